// Soil name to the target system's 4-digit geology code, through
// "KISHITU.TXT" and "XKISHITU.TXT", adding names the vocabulary lacks.
#ifndef S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_
#define S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace s1ordo {

struct Context;

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
  // The file ends inside a record: a search that gets there fails, at this
  // line, as reading past the end of the file.
  bool cut_short = false;
  long cut_short_line = 0;
  // Lines appended to the bytes read on their own as they read after the
  // rest: the records ended exactly at a line end and no quote is open.
  bool appends_separately = false;
};

// What the lookups of one run know of the vocabulary files, so that
// "KISHITU.TXT" is not read again for every layer. Every change the lookup
// makes to a file goes to the same bytes here, so a search gives the answer
// that reading the file anew would give. Cleared at the start of every run.
struct GeologyLookupCache {
  VocabularyFileCache kishitu;
  VocabularyFileCache xkishitu;
  // Whether the marker "PATADD.txt" could not be written in this run (then
  // warnings holds the message).
  bool marker_failed = false;
  // Warnings for the user: the run shows them when it ends.
  std::vector<std::string> warnings;
  // Read both files anew for every lookup, as without this cache (kept by
  // Clear); for comparing the two ways.
  bool reread_files = false;

  void Clear() {
    bool reread = reread_files;
    *this = GeologyLookupCache();
    reread_files = reread;
  }
};

// The geology code of the name (blanks at both ends ignored); "0000" for an
// empty name. A name not in "KISHITU.TXT" is taken from "XKISHITU.TXT", or
// given a new code in the additions range of "XKISHITU.TXT" (rewritten
// through "XKISHITU.TMP"), and appended to "KISHITU.TXT"; the marker
// "PATADD.txt" in the program's folder then shows that the vocabulary grew.
// A vocabulary file that is missing when it is needed throws Error naming it.
std::string LookupGeologyCode(Context& ctx, const std::string& name);

}  // namespace s1ordo

#endif  // S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_
