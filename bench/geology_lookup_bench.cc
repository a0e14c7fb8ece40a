// Times a run that adds 1000 new names to a "KISHITU.TXT" of 10000 records
// through LookupGeologyCode, with the run's vocabulary cache and, for
// comparison, with the files read anew for every lookup.
//
//   bench_geology_lookup [new-names [records [--cache-only]]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "helpers/env.h"
#include "helpers/item_reader.h"
#include "vocabulary/geology_lookup.h"

namespace fs = std::filesystem;
using namespace s1ordo;

namespace {

const char kBlanks[] = ",    ,    ,    ,    ";

// A RIDEVI folder with `records` vocabulary records and an additions file of
// 300 codes below 4000 and 200 from 4000 on.
void MakeVocabulary(Env& env, const std::string& folder, int records) {
  std::string kishitu, additions;
  for (int k = 0; k < records; ++k)
    kishitu += std::to_string(k % 10000 + 10000).substr(1) + ",NAME" + std::to_string(k) + kBlanks + "\r\n";
  for (int k = 0; k < 300; ++k) additions += std::to_string(1000 + k) + ",ADD" + std::to_string(k) + kBlanks + "\r\n";
  for (int k = 0; k < 200; ++k) additions += std::to_string(4000 + k) + ",OWN" + std::to_string(k) + kBlanks + "\r\n";
  WriteWholeFile(env, folder + "KISHITU.TXT", kishitu);
  WriteWholeFile(env, folder + "XKISHITU.TXT", additions);
}

long CountLines(Env& env, const std::string& path) {
  ItemReader in(env.ReadFile(path));
  std::string line;
  long n = 0;
  while (in.ReadLine(&line)) ++n;
  return n;
}

// One run: for each new name, the lookup that adds it and three lookups of
// names already known (as the layers of a borehole repeat their soils).
double TimedRun(const std::string& root, int new_names, int records, bool reread_each_time) {
  Env& env = DefaultEnv();
  const std::string folder = root + "/RIDEVI/";
  fs::remove_all(root);
  fs::create_directories(folder);
  MakeVocabulary(env, folder, records);
  setenv("S1ORDO_PROGRAM_FOLDER", root.c_str(), 1);

  GeologyLookup lookup(env, folder, reread_each_time);
  auto start = std::chrono::steady_clock::now();
  for (int k = 0; k < new_names; ++k) {
    const std::string known[] = {"NAME" + std::to_string(k * 7 % records), "ADD" + std::to_string(k % 300),
                                 "NEW" + std::to_string(k / 2)};
    lookup.LookupGeologyCode("NEW" + std::to_string(k));
    for (const std::string& name : known) lookup.LookupGeologyCode(name);
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  long lines = CountLines(env, folder + "KISHITU.TXT");
  std::printf("%-28s %8.3f s   KISHITU.TXT %ld records, XKISHITU.TXT %ld lines\n",
              reread_each_time ? "files read for every lookup" : "one cache for the run", seconds, lines,
              CountLines(env, folder + "XKISHITU.TXT"));
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  int new_names = argc > 1 ? std::atoi(argv[1]) : 1000;
  int records = argc > 2 ? std::atoi(argv[2]) : 10000;
  std::string root = (fs::temp_directory_path() / ("s1ordo-bench-" + std::to_string(::getpid()))).string();
  std::printf("%d new names (and %d lookups of known names) into KISHITU.TXT of %d records\n", new_names,
              3 * new_names, records);
  double cached = TimedRun(root, new_names, records, false);
  if (argc <= 3 || std::string(argv[3]) != "--cache-only") {
    double reread = TimedRun(root, new_names, records, true);
    std::printf("speed-up %.1fx\n", reread / cached);
  }
  fs::remove_all(root);
  return 0;
}
