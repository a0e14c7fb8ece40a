// A table file read record by record, item by item, into numbered fields.
// Each converter and each legend lookup owns its reader: what one record
// leaves in the fields is seen only by the next records of the same file.
#ifndef S1ORDO_HELPERS_TABLE_READER_H_
#define S1ORDO_HELPERS_TABLE_READER_H_

#include <array>
#include <string>

#include "helpers/env.h"
#include "helpers/item_reader.h"

namespace s1ordo {

// Element j (1..100) holds item j of the record last read; element 0 is
// never written.
using RecordFields = std::array<std::string, 101>;

struct TableReader {
  ItemReader in;
  std::string path;      // the open file, for messages
  RecordFields fields;   // elements a record does not reach keep their values
  long record_line = 0;  // 1-based line on which the record last read began
};

// What OpenTableFile does with an existing empty file.
enum class EmptyFile { kDelete, kKeep };

// Opens the file at path on the reader. True when there is something to
// read; false for a missing file (not created) or an empty one (deleted
// unless told to keep it). A file that exists but cannot be read throws
// Error.
bool OpenTableFile(Env& env, TableReader& reader, const std::string& path, EmptyFile empty = EmptyFile::kDelete);

// Reads the next record of n items (1..100) into fields 1..n. False, with
// nothing read, when fewer than two bytes are left. Items past the end of
// the file are not read: their fields keep their values.
bool ReadTableRecord(TableReader& reader, int n);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_TABLE_READER_H_
