// The title sheets from any title files and legend lists. The sheets always
// have 23 and 41 lines; a legend list only grows, by whole lines.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "run/title_sheets.h"

using namespace s1ordo;
using fuzz::Require;

namespace {

const std::vector<std::string> kNames = {"TITL1.TXT", "TITL2.TXT", "L1.txt", "L2.txt", "L3.txt"};

size_t CountLineEnds(const std::string& text) {
  size_t n = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) n += text[i] == '\r' && text[i + 1] == '\n';
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto files = fuzz::AssignChunks(std::string_view(reinterpret_cast<const char*>(data), size), kNames);
  fuzz::Scratch& scratch = fuzz::Scratch::Get();
  scratch.Reset({"RIDEVI", "B-1"});
  const std::string ridevi = scratch.path() + "/RIDEVI/";
  const std::string work = scratch.path() + "/B-1/";
  for (const auto& [name, bytes] : files) fuzz::WriteFile((name[0] == 'L' ? ridevi : work) + name, bytes);

  LegendLists legends(DefaultEnv(), ridevi);
  const BoreholeFolder borehole(DefaultEnv(), work.substr(0, work.size() - 1));
  bool completed = false;
  try {
    WriteTitleSheets(borehole, ReadTitleFiles(borehole), legends);
    completed = true;
  } catch (const Error& e) {
    Require(!e.cause().empty(), "an error without a cause");
  }

  if (completed) {
    // Title lines come from whole lines; names from the lists may hold
    // quoted line ends, so only the least count is sure.
    Require(CountLineEnds(fuzz::ReadFileOr(work + "titl01.txt")) >= 23, "titl01.txt short");
    Require(CountLineEnds(fuzz::ReadFileOr(work + "titl02.txt")) >= 41, "titl02.txt short");
  }
  for (const char* name : {"L1.txt", "L2.txt", "L3.txt"}) {
    auto it = files.find(name);
    const std::string before = it == files.end() ? std::string() : it->second;
    bool exists = false;
    const std::string after = fuzz::ReadFileOr(ridevi + name, &exists);
    if (!exists) {
      Require(before.empty(), "a legend list with content was removed:", name);
      continue;
    }
    Require(after.compare(0, before.size(), before) == 0, "legend list rewritten:", name);
    if (after.size() == before.size()) continue;
    Require(after.ends_with("\r\n"), "legend list left mid-line:", name);
    const bool own_line = before.empty() || before.ends_with("\n") || before.ends_with("\r") ||
                          after.compare(before.size(), 2, "\r\n") == 0;
    Require(own_line, "a record appended to the unfinished last line of", name);
  }
  return 0;
}
