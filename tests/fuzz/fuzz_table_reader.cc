// The table reader on any table file: records of any item count are read
// until the end of the table, which always comes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "helpers/table_reader.h"

using namespace s1ordo;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // Byte 0: first item count (1 .. 100); byte 1: whether an empty file is
  // kept. The rest is the file.
  const int first_count = 1 + data[0] % 100;
  const EmptyFile empty_file = (data[1] & 0x80) ? EmptyFile::kKeep : EmptyFile::kDelete;
  const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

  fuzz::Scratch& scratch = fuzz::Scratch::Get();
  scratch.Reset({});
  const std::string path = scratch.path() + "/N9.TXT";
  fuzz::WriteFile(path, bytes);

  TableReader table;
  const bool has_data = OpenTableFile(DefaultEnv(), table, path, empty_file);
  Require(has_data == !bytes.empty(), "data found wrongly");
  Require(DefaultEnv().Exists(path) == (!bytes.empty() || empty_file == EmptyFile::kKeep),
          "empty file kept or deleted wrongly");
  if (has_data) {
    int count = first_count;
    for (size_t records = 0;; ++records) {
      Require(records <= bytes.size(), "the table never ends");
      if (!ReadTableRecord(table, count)) break;
      count = 1 + (count * 7 + static_cast<int>(records)) % 100;
    }
  }
  // Item counts out of range are refused.
  bool refused = false;
  try {
    ReadTableRecord(table, 101);
  } catch (const Error&) {
    refused = true;
  }
  Require(refused, "item count 101 accepted");
  return 0;
}
