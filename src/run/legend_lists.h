// The legend lists "L1.txt", "L2.txt" and "L3.txt" of the pattern-data
// folder. Each holds records of a numeric code and a name, written one a line
// as code "," name. The title sheets translate a code into its name (forward
// lookup) and that name back into the list's code for it (backward lookup);
// the backward lookup appends a name the list lacks, so the lists grow as
// boreholes are converted.
#ifndef S1ORDO_RUN_LEGEND_LISTS_H_
#define S1ORDO_RUN_LEGEND_LISTS_H_

#include <string>
#include <string_view>
#include <utility>

#include "helpers/borehole_notes.h"
#include "helpers/env.h"

namespace s1ordo {

struct LegendList {
  std::string_view file;     // file name in the pattern-data folder
  int name_width;            // bytes of a found name; 0: the name as listed
  std::string_view no_code;  // the backward lookup's result when there is no code
};

inline constexpr LegendList kLegendL1{"L1.txt", 8, "  "};
inline constexpr LegendList kLegendL2{"L2.txt", 0, " "};
inline constexpr LegendList kLegendL3{"L3.txt", 4, " "};

// The legend lists of the pattern-data folder as the title sheets of a run
// use them. The backward lookup extends the lists, so lookups run one at a
// time, borehole after borehole in list order.
class LegendLists {
 public:
  // folder ends with the separator.
  LegendLists(Env& env, std::string folder) : env_(env), folder_(std::move(folder)) {}

  // The name of the first record whose code has the numeric value of key,
  // read record by record (a record cut short at the end of the list keeps
  // the name of the record before). A fixed-width list gives the name
  // without surrounding blanks, padded with blanks or cut to name_width
  // bytes; otherwise the name item as read. When the list is missing, empty
  // or lacks the code: name_width blanks. The list file is never deleted.
  // *listed (when given) gets the name as listed, without surrounding
  // blanks for a fixed-width list ("" when not found).
  std::string LookupLegendName(const LegendList& list, const std::string& key, std::string* listed = nullptr);

  // The code text of the first record whose name, without surrounding
  // blanks, equals name without surrounding blanks. A name the list lacks
  // (and that is not blank) is appended under the list's largest code plus 1
  // (1 for a list without records) while that code is below 99. Gives
  // list.no_code when there is no code, also when the list does not exist
  // (nothing is created then). A record with a code but no name at the end
  // of the list throws Error. The line appended goes to notes->additions
  // (when notes is given).
  std::string LookupLegendCode(const LegendList& list, const std::string& name, BoreholeNotes* notes = nullptr);

 private:
  std::string PathOf(const LegendList& list) const { return folder_ + std::string(list.file); }

  Env& env_;
  std::string folder_;
};

}  // namespace s1ordo

#endif  // S1ORDO_RUN_LEGEND_LISTS_H_
