// The shared record reader: one table file open at a time on TableChannel,
// whose records are read item by item into RecordFields, with the position
// at which each record began (or EndOfTable) in RecordPositions.
#ifndef S1ORDO_HELPERS_TABLE_READER_H_
#define S1ORDO_HELPERS_TABLE_READER_H_

#include <array>
#include <cstdint>
#include <string>

#include "helpers/env.h"
#include "helpers/item_reader.h"

namespace s1ordo {

constexpr int32_t EndOfTable = -999;

struct TableReader {
  ItemReader TableChannel;
  std::string channel_path;  // the file open on TableChannel, for messages
  // Element j (1..N) holds item j of the record last read; element 0 is
  // never written; elements beyond N keep what they held.
  std::array<std::string, 101> RecordFields;
  // Per slot: the 1-based byte position at which the record last read for
  // that slot began, or EndOfTable.
  std::array<int32_t, 101> RecordPositions{};
};

// What OpenTableFile does with an existing empty file.
enum class EmptyFile { kDelete, kKeep };

// Opens the file at path on TableChannel. empty_flag becomes 0 when there is
// something to read, 1 when the file is missing or empty; an empty file is
// deleted (unless told to keep it) and a missing one is not created. A file
// that exists but cannot be read throws Error.
void OpenTableFile(Env& env, TableReader& reader, const std::string& path, int16_t& empty_flag,
                   EmptyFile empty = EmptyFile::kDelete);

// Reads the next record of n items (1..100) for the slot (0..100). While at
// least two bytes are unread it stores the record's position in the slot
// and reads up to n items (items past the end of the file are not read:
// those fields keep their values); otherwise it stores EndOfTable.
void ReadTableRecord(TableReader& reader, int n, int slot);

// Closes TableChannel.
void CloseTable(TableReader& reader);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_TABLE_READER_H_
