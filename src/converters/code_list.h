// A code list of the pattern-data folder ("l10.txt", "L4.txt", "L13.txt" ...)
// held in memory. A list is a run of comma-separated items read item by item:
// each entry is a code and a name, or (as in "L17.txt") a code, an item that
// is skipped and a name. Entries need not keep to lines: a line with a
// single item pairs it with the first item of the next line.
//
// The list is read once, at its first lookup, so that a missing list is
// found at the first record of a source with data, after the target file
// has been created. Codes are compared as numbers (the leading numeric part
// of the item, 0 when there is none); a code of 0 never matches.
#ifndef S1ORDO_CONVERTERS_CODE_LIST_H_
#define S1ORDO_CONVERTERS_CODE_LIST_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "helpers/env.h"

namespace s1ordo {

class CodeList {
 public:
  // Nothing is read yet. items_per_entry is 2 or 3; the name is the last.
  CodeList(Env& env, std::string path, int items_per_entry = 2);

  // The name of the last entry whose code equals code; empty when none.
  // Every lookup of this kind goes through the whole list, so a list whose
  // last entry lacks its name always fails here.
  const std::string& LastName(double code);
  // The name of the first entry whose code equals code; empty when none.
  // The search stops at the match, so a last entry without its name fails
  // only a search that reaches it.
  const std::string& FirstName(double code);

  const std::string& path() const { return path_; }

 private:
  // Reads the list unless it is in memory already. A missing list throws
  // Error naming it.
  void Read();
  [[noreturn]] void FailIncomplete() const;

  Env& env_;
  std::string path_;
  int items_per_entry_;
  bool read_ = false;
  bool incomplete_ = false;  // the last entry ends before its name
  long incomplete_line_ = 0;
  std::vector<std::string> names_;
  std::unordered_map<double, size_t> first_;  // code -> index of its first entry
  std::unordered_map<double, size_t> last_;   // code -> index of its last entry
  std::string none_;
};

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_CODE_LIST_H_
