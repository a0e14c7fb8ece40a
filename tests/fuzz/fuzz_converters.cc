// The converter sequence on a borehole built from the fuzz input: its source
// files, the code lists and vocabulary of the pattern-data folder and the
// lists of the list folder. Byte 0 picks the way in: bit 0 clear runs
// ConvertBoreholeFiles on the files as given; set, the whole staging of the
// borehole (copy, count file, title sheets, "N4.TXT", converters) from a
// source folder, which must stay unchanged. Either way the pattern-data
// lists may only have grown by whole appended lines.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "converters/converter_sequence.h"
#include "fuzz_support.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "run/run_caches.h"
#include "run/session.h"
#include "run/staging.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

using namespace s1ordo;
using fuzz::Require;

namespace {

// The borehole's files (the source system's record files, their companions,
// the count and title files) and, after them, the lists. make_corpus.py
// keeps the same order.
const std::vector<std::string> kBoreholeFiles = {
    "N1A.TXT", "N4.TXT",   "N11.TXT",  "N3.TXT",     "N13.TXT",   "N12.TXT", "G101.TXT", "N5.TXT",
    "N5.hed",  "N5.hd2",   "G30.TXT",  "G31.TXT",    "G32.TXT",   "G33.TXT", "G34.TXT",  "G35.TXT",
    "G41.TXT", "G41A.txt", "G41B.txt", "MITUDO.TXT", "G72.TXT",   "N6.txt",  "N7.txt",   "CNT.TXT",
    "TITL1.TXT", "TITL2.TXT", "N1.TXT"};
const std::vector<std::string> kPatternFiles = {
    "L1.txt",  "L2.txt",  "L3.txt",   "l10.txt",  "L4.txt",      "L13.txt",     "L14.txt",     "L15.txt",
    "L16.txt", "L17.txt", "L18.txt",  "L18b.txt", "L19.txt",     "L100.txt",    "L23.txt",     "KISHITU.TXT",
    "KONNYU.TXT", "XKISHITU.TXT"};
const std::vector<std::string> kListFiles = {"L8.txt", "L9.txt"};
// Pattern-data files that a run may only append to.
const std::vector<std::string> kAppendOnly = {"L1.txt", "L2.txt", "L3.txt", "KISHITU.TXT"};

std::vector<std::string> AllNames() {
  std::vector<std::string> names = kBoreholeFiles;
  names.insert(names.end(), kPatternFiles.begin(), kPatternFiles.end());
  names.insert(names.end(), kListFiles.begin(), kListFiles.end());
  return names;
}

bool Among(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (n == name) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool staged = data[0] & 1;
  static const std::vector<std::string> names = AllNames();
  const std::map<std::string, std::string> files =
      fuzz::AssignChunks(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), names);

  fuzz::Scratch& scratch = fuzz::Scratch::Get();
  scratch.Reset({"DIZIVAD/B-1", "out/B-1", "RIDEVI", "LISTS", "system"});
  const std::string root = scratch.path() + "/";
  const std::string source = root + "DIZIVAD/B-1/";
  const std::string work = root + "out/B-1/";
  fuzz::WriteFile(root + "system/Ridevi.ini", "[LISTS]\r\n" + root + "LISTS/\r\n");
  for (const auto& [name, bytes] : files) {
    std::string folder = Among(kPatternFiles, name) ? root + "RIDEVI/"
                         : Among(kListFiles, name) ? root + "LISTS/"
                         : staged                  ? source
                                                   : work;
    fuzz::WriteFile(folder + name, bytes);
  }
  std::map<std::string, std::string> lists_before;
  for (const std::string& name : kAppendOnly) lists_before[name] = fuzz::ReadFileOr(root + "RIDEVI/" + name);

  Session session(DefaultEnv());
  session.settings.system_folder = root + "system";
  session.settings.pattern_folder = root + "RIDEVI/";
  session.settings.list_folder = ListFolderSetting::Read(session.env, session.settings.system_folder);
  RunCaches caches(session, false);
  LoadGeologyVocabulary(session.env, session.settings.pattern_folder, caches.vocabulary);  // as a run does
  try {
    if (staged) {
      BoreholeJob job{source, work, "out", "B-1", ""};
      StageBorehole(session.env, job, caches.count_carry, caches.legends, caches.converter_inputs);
    } else {
      ConvertBoreholeFiles(BoreholeFolder(session.env, work.substr(0, work.size() - 1)), caches.converter_inputs);
    }
  } catch (const Error& e) {
    // A clean failure; it names what failed.
    Require(!e.cause().empty(), "an error without a cause");
  }

  if (staged) {
    for (const auto& [name, bytes] : files) {
      if (Among(kPatternFiles, name) || Among(kListFiles, name)) continue;
      bool exists = false;
      Require(fuzz::ReadFileOr(source + name, &exists) == bytes && exists, "source file changed:", name);
    }
  }
  for (const std::string& name : kAppendOnly) {
    const std::string& before = lists_before[name];
    std::string after = fuzz::ReadFileOr(root + "RIDEVI/" + name);
    Require(after.compare(0, before.size(), before) == 0, "pattern-data list rewritten:", name);
    if (after.size() == before.size()) continue;
    Require(after.ends_with("\r\n"), "pattern-data list left mid-line:", name);
    const bool own_line = before.empty() || before.ends_with("\n") || before.ends_with("\r") ||
                          after.compare(before.size(), 2, "\r\n") == 0;
    Require(own_line, "a record appended to the unfinished last line of", name);
  }
  return 0;
}
