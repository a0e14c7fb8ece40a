// Files held in memory, laid out under /w as a run sees them: a borehole
// work folder B-1, the pattern-data folder RIDEVI, the list folder LISTS
// named by system/Ridevi.ini, and a program folder for the vocabulary
// marker; with the tables and lists a run shares, and the file operations
// of the tests over that Env, for the tests of the converters, the lookups
// and the staging.
#ifndef S1ORDO_TESTS_CONVERTER_FIXTURE_H_
#define S1ORDO_TESTS_CONVERTER_FIXTURE_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "converters/code_list.h"
#include "converters/converter_sequence.h"
#include "helpers/borehole_folder.h"
#include "helpers/env.h"
#include "helpers/memory_env.h"
#include "helpers/paths.h"
#include "layers/ridevi_ini.h"
#include "test_support.h"
#include "vocabulary/geology_lookup.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo::test {

class ConverterTest : public ::testing::Test {
 protected:
  // The folder the files are under: dir / "B-1" is "/w/B-1".
  struct Root {
    std::string path() const { return "/w"; }
    std::string operator/(std::string_view relative) const { return "/w/" + std::string(relative); }
  };

  ConverterTest()
      : pattern_folder(dir / "RIDEVI/"),
        borehole(env, dir / "B-1"),
        code_lists(env, pattern_folder),
        geology(env, pattern_folder) {
    MakeFolder(dir / "RIDEVI");
    MakeFolder(dir / "B-1");
    MakeFolder(dir / "program");
    WriteBytes(dir / "system/Ridevi.ini", Lines({"[LISTS]", dir / "LISTS/"}));
    SetEnvironment("S1ORDO_PROGRAM_FOLDER", dir / "program");
    BuildSoilNameTables(soil);
  }
  ~ConverterTest() override { SetEnvironment("S1ORDO_PROGRAM_FOLDER", ""); }

  // Files as bytes, in the memory Env; WriteBytes and MakeFolder make the
  // folders on the way.
  void WriteBytes(const std::string& path, std::string_view bytes) {
    MakeFolder(path.substr(0, path.rfind('/')));
    WriteWholeFile(env, path, bytes);
  }
  std::string ReadBytes(const std::string& path) { return env.ReadFile(path); }
  bool FileExists(const std::string& path) { return env.Exists(path); }
  void MakeFolder(const std::string& path) {
    for (size_t end = path.find('/', 1); !path.empty(); end = path.find('/', end + 1)) {
      env.CreateFolder(path.substr(0, end));
      if (end == std::string::npos) break;
    }
  }
  // Everything below a folder, "name/" for a folder, sorted, as
  // test::Snapshot gives a folder of the disk (but without the hidden
  // files, which the Env does not list).
  std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder, const std::string& under = "") {
    std::vector<std::pair<std::string, std::string>> out;
    for (const std::string& name : env.ListFiles(folder, nullptr))
      out.emplace_back(under + name, env.ReadFile(folder + "/" + name));
    for (const std::string& name : env.ListSubfolders(folder, nullptr)) {
      out.emplace_back(under + name + "/", "");
      auto inside = Snapshot(folder + "/" + name, under + name + "/");
      out.insert(out.end(), inside.begin(), inside.end());
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  // Deletes a folder with everything in it; a missing folder is no failure.
  void RemoveAll(const std::string& folder) {
    if (!env.IsFolder(folder)) return;
    for (const std::string& name : env.ListFiles(folder, nullptr)) env.DeleteFile(folder + "/" + name);
    for (const std::string& name : env.ListSubfolders(folder, nullptr)) RemoveAll(folder + "/" + name);
    env.DeleteFile(folder);
  }
  // Copies a folder of the disk (the sample data) with everything in it.
  void CopyFromDisk(const std::string& disk_folder, const std::string& folder) {
    Env& disk = DefaultEnv();
    const char sep = Separator(disk.form());
    MakeFolder(folder);
    for (const std::string& name : disk.ListFiles(disk_folder, nullptr))
      WriteWholeFile(env, folder + "/" + name, disk.ReadFile(disk_folder + sep + name));
    for (const std::string& name : disk.ListSubfolders(disk_folder, nullptr))
      CopyFromDisk(disk_folder + sep + name, folder + "/" + name);
  }

  // A file of the borehole folder, of the pattern-data folder or of the
  // list folder, written as lines ended by CR LF.
  void Source(std::string_view name, const std::vector<std::string>& lines) {
    WriteBytes(borehole.File(name), Lines(lines));
  }
  void List(std::string_view name, const std::vector<std::string>& lines) {
    WriteBytes(pattern_folder + std::string(name), Lines(lines));
  }
  void ListFolderFile(std::string_view name, const std::vector<std::string>& lines) {
    WriteBytes(dir / ("LISTS/" + std::string(name)), Lines(lines));
  }
  std::string Target(std::string_view name) { return ReadBytes(borehole.File(name)); }
  bool Has(std::string_view name) { return FileExists(borehole.File(name)); }

  // "Ridevi.ini" as start-up reads it now.
  ListFolderSetting Lists() { return ListFolderSetting::Read(env, dir / "system"); }
  // Everything the converters of a run get, with the list folder as read
  // now; lists must outlive the result.
  ConverterInputs Inputs(const ListFolderSetting& lists) {
    return ConverterInputs{pattern_folder, lists, vocabulary, soil, geology, code_lists};
  }

  std::unique_ptr<Env> memory = NewMemoryEnv();
  Env& env = *memory;
  const Root dir{};
  const std::string pattern_folder;
  BoreholeFolder borehole;
  SoilTables soil;
  GeologyVocabulary vocabulary;
  CodeLists code_lists;
  GeologyLookup geology;
};

}  // namespace s1ordo::test

#endif  // S1ORDO_TESTS_CONVERTER_FIXTURE_H_
