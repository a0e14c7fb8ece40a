// A temporary folder laid out as a run sees it: a borehole work folder B-1,
// the pattern-data folder RIDEVI, the list folder LISTS named by
// system/Ridevi.ini, and a program folder for the vocabulary marker; with
// the tables and lists a run shares, for the tests of the converters, the
// lookups and the staging.
#ifndef S1ORDO_TESTS_CONVERTER_FIXTURE_H_
#define S1ORDO_TESTS_CONVERTER_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "converters/code_list.h"
#include "converters/converter_sequence.h"
#include "helpers/borehole_folder.h"
#include "helpers/env.h"
#include "layers/ridevi_ini.h"
#include "test_support.h"
#include "vocabulary/geology_lookup.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo::test {

class ConverterTest : public ::testing::Test {
 protected:
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

  TempDir dir;
  Env& env = DefaultEnv();
  const std::string pattern_folder;
  BoreholeFolder borehole;
  SoilTables soil;
  GeologyVocabulary vocabulary;
  CodeLists code_lists;
  GeologyLookup geology;
};

}  // namespace s1ordo::test

#endif  // S1ORDO_TESTS_CONVERTER_FIXTURE_H_
