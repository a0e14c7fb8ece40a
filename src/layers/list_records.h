// Records of a fixed number of items, read item by item from a list or a
// source file held in memory, as the coded interval and layer description
// converters read "L8.txt", "L9.txt", "L23.txt", "L100.txt", "N6.txt" and
// "N7.txt".
#ifndef S1ORDO_LAYERS_LIST_RECORDS_H_
#define S1ORDO_LAYERS_LIST_RECORDS_H_

#include <string>
#include <vector>

#include "helpers/env.h"
#include "helpers/item_reader.h"

namespace s1ordo {

class RecordFile {
 public:
  // Reads the whole file; a missing file throws Error naming it.
  RecordFile(Env& env, std::string path);

  // Reads the next record of n items into items (resized to n). False at the
  // end of the file. Running past the end (a record cut short, or only the
  // empty last line left) throws Error naming the file and its line.
  bool Next(int n, std::vector<std::string>& items);

  // 1-based line on which the record last read began.
  long line() const { return line_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  ItemReader in_;
  long line_ = 0;
};

// The existence test of a source read as records: true when the file holds
// something; an empty one is deleted, a missing one stays missing.
bool SourceHasData(Env& env, const std::string& path);

// Throws Error naming the file and the line of the record just read: the
// file holds more than `bound` records.
[[noreturn]] void ThrowTooManyRecords(const RecordFile& file, int bound);

}  // namespace s1ordo

#endif  // S1ORDO_LAYERS_LIST_RECORDS_H_
