// The item and line reader on any bytes: every call ends, each successful
// read moves on, and line numbers stay within the line ends of the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "helpers/item_reader.h"

using s1ordo::ItemReader;
using s1ordo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // Byte 0: which reads to mix (bit k of the pattern: line or item).
  const uint8_t pattern = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  long line_ends = 1;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) ++line_ends;

  ItemReader in(bytes);
  std::string value;
  for (size_t call = 0;; ++call) {
    Require(call <= bytes.size() + 1, "the reader does not move on");
    const int64_t before = in.Position();
    const long line_before = in.LineNumber();
    const bool as_line = (pattern >> (call % 8)) & 1;
    const bool read = as_line ? in.ReadLine(&value) : in.ReadItem(&value);
    if (!read) {
      Require(in.AtEnd(), "a failed read leaves bytes unread");
      break;
    }
    Require(in.Position() > before, "a successful read did not move on");
    Require(in.LineNumber() >= line_before && in.LineNumber() <= line_ends, "line number out of range");
    Require(static_cast<int64_t>(value.size()) < in.Position(), "the value is longer than what was read");
    if (as_line) Require(value.find_first_of("\r\n") == std::string::npos, "a line holds a line end");
  }
  return 0;
}
