// Soil name to the target system's 4-digit geology code, through
// "KISHITU.TXT" and "XKISHITU.TXT", adding names the vocabulary lacks.
#ifndef S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_
#define S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "helpers/borehole_notes.h"
#include "helpers/env.h"

namespace s1ordo {

// One vocabulary file as the lookups know it: its bytes exactly as they are
// on disk, and the records that reading it item by item from the start
// gives, with the first record of every name.
struct VocabularyFileCache {
  using Record = std::array<std::string, 6>;

  bool loaded = false;
  std::string path;
  std::string bytes;
  std::vector<Record> records;
  std::unordered_map<std::string, size_t> first_by_name;  // item 2 -> index in records
  // The file ends inside a record: a search that gets there fails, at the
  // line where that record begins, as reading past the end of the file
  // after the items it found.
  bool cut_short = false;
  long cut_short_line = 0;
  int cut_short_items = 0;
  // Lines appended to the bytes read on their own as they read after the
  // rest: the records ended exactly at a line end and no quote is open.
  bool appends_separately = false;
};

// The geology codes of soil names during one run: "KISHITU.TXT" and
// "XKISHITU.TXT" of the pattern-data folder as the lookups see them, so that
// "KISHITU.TXT" is not read again for every layer. Every change a lookup
// makes to a file goes to the same bytes here, so a search gives the answer
// that reading the file anew would give. Made when a run starts; the lookups
// change files outside the borehole, so they run one at a time, borehole
// after borehole in list order.
class GeologyLookup {
 public:
  // pattern_folder ends with the separator. With reread_files, both files
  // are read anew for every lookup, as without this cache (for comparing
  // the two ways).
  GeologyLookup(Env& env, std::string pattern_folder, bool reread_files = false);

  // The geology code of the name (blanks at both ends ignored); "0000" for
  // an empty name. A name not in "KISHITU.TXT" is taken from "XKISHITU.TXT",
  // or given a new code in the additions range of "XKISHITU.TXT" (rewritten
  // through "XKISHITU.TMP"), and appended to "KISHITU.TXT"; the marker
  // "PATADD.txt" in the program's folder then shows that the vocabulary
  // grew. A vocabulary file that is missing when it is needed throws Error
  // naming it. The lines added to either file go to notes->additions (when
  // notes is given).
  std::string LookupGeologyCode(const std::string& name, BoreholeNotes* notes = nullptr);

  // Warnings for the user, shown when the run ends: the marker could not be
  // written (once per run).
  const std::vector<std::string>& warnings() const { return warnings_; }

 private:
  VocabularyFileCache& Load(VocabularyFileCache& file, const char* name);
  std::string AddToAdditions(const std::string& name);
  void MarkVocabularyAdded();

  Env& env_;
  std::string pattern_folder_;
  bool reread_files_;
  VocabularyFileCache kishitu_;
  VocabularyFileCache xkishitu_;
  bool marker_failed_ = false;
  std::vector<std::string> warnings_;
};

}  // namespace s1ordo

#endif  // S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_
