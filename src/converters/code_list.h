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

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "helpers/env.h"

namespace s1ordo {

// The entries of one list as reading it gives them, indexed by code.
class CodeListEntries {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  void Add(double code, std::string name);
  // Index in names of the first or last entry of a code; kNone when none.
  size_t First(double code) const { return Find(code, true); }
  size_t Last(double code) const { return Find(code, false); }

  bool incomplete = false;  // the last entry ends before its name
  long incomplete_line = 0;  // where that entry begins
  int incomplete_items = 0;  // the items it has
  std::vector<std::string> names;

 private:
  // Whole codes from 1 to kSmall - 1 (nearly all codes) are looked up by
  // position, others by hash.
  static constexpr double kSmall = 65536;
  static bool IsSmall(double code) { return code >= 1 && code < kSmall && code == static_cast<double>(static_cast<int>(code)); }
  size_t Find(double code, bool first) const;

  std::vector<std::pair<size_t, size_t>> small_;                     // code -> first, last
  std::unordered_map<double, std::pair<size_t, size_t>> others_;     // code -> first, last
};

// The code lists of the pattern-data folder as one run reads them. The
// converters of every borehole look up the same lists, and a run never
// writes them, so each list is read once per run instead of once per
// borehole and converter. Every run makes its own, so a list edited between
// runs is read anew. What is kept goes in and out through Find and Keep
// only, the one place to guard should converters of different boreholes
// ever read lists at the same time.
class CodeLists {
 public:
  // folder ends with the separator. With reread_files every list is read
  // anew for each converter, as without this cache (for comparing the two
  // ways).
  CodeLists(Env& env, std::string folder, bool reread_files = false);

  Env& env() const { return env_; }
  const std::string& folder() const { return folder_; }

  std::shared_ptr<const CodeListEntries> Find(const std::string& path, int items_per_entry) const;
  void Keep(const std::string& path, int items_per_entry, std::shared_ptr<const CodeListEntries> entries);

 private:
  Env& env_;
  std::string folder_;
  bool reread_files_;
  std::map<std::pair<std::string, int>, std::shared_ptr<const CodeListEntries>> lists_;
};

class CodeList {
 public:
  // The list of that file name in the folder of lists, nothing read yet.
  // items_per_entry is 2 or 3; the name is the last. A list another
  // converter of the run has read already is taken from lists.
  CodeList(CodeLists& lists, std::string_view name, int items_per_entry = 2);

  // The name of the last entry whose code equals code; empty when none.
  // Every lookup of this kind goes through the whole list, so a list whose
  // last entry lacks its name always fails here.
  const std::string& LastName(double code);
  // The name of the first entry whose code equals code; empty when none.
  // The search stops at the match, so a last entry without its name fails
  // only a search that reaches it.
  const std::string& FirstName(double code);

  const std::string& path() const { return path_; }
  // The file name given, for messages.
  const std::string& name() const { return name_; }

 private:
  // Reads the list unless it is in memory already. A missing list throws
  // Error naming it.
  void Read();
  std::shared_ptr<const CodeListEntries> ReadEntries() const;
  [[noreturn]] void FailIncomplete() const;

  CodeLists& lists_;
  std::string name_;
  std::string path_;
  int items_per_entry_;
  std::shared_ptr<const CodeListEntries> entries_;  // null until read
  std::string none_;
};

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_CODE_LIST_H_
