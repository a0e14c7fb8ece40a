// Tests of the list folder setting file: missing, empty, trimmed, and
// folders that cannot be paths.
#include "layers/ridevi_ini.h"

#include <gtest/gtest.h>

#include "helpers/error.h"
#include "converter_fixture.h"

namespace s1ordo {
namespace {

using test::Lines;

class RideviIniTest : public test::ConverterTest {
 protected:
  RideviIniTest() { MakeFolder(settings); }

  std::string Setting(const std::string& content) {
    WriteBytes(settings + "/Ridevi.ini", content);
    return ReadRideviIniSetting(env, system_folder);
  }

  const std::string settings = dir / "settings";
  std::string system_folder = settings;
};

TEST_F(RideviIniTest, MissingOrEmptyFileGivesNoSettingAndCreatesNothing) {
  EXPECT_EQ(ReadRideviIniSetting(env, system_folder), "");
  EXPECT_TRUE(Snapshot(settings).empty());
  EXPECT_EQ(Setting(""), "");
  EXPECT_EQ(ReadBytes(settings + "/Ridevi.ini"), "");  // left as it was
}

TEST_F(RideviIniTest, FirstItemOfLineTwoWithBlanksTrimmed) {
  EXPECT_EQ(Setting(Lines({"/not/this/", "   /lists/a/   ", "/nor/this/"})), "/lists/a/");
  EXPECT_EQ(Setting(Lines({"[LISTS]", "/lists/a/,/other/"})), "/lists/a/");
  EXPECT_EQ(Setting(Lines({"", "\" /lists/a,b/ \",x"})), "/lists/a,b/");
  EXPECT_EQ(Setting(Lines({"x", test::S(u8"/データ/一覧/")})), test::S(u8"/データ/一覧/"));
  // The system folder is used without its trailing blanks.
  system_folder = settings + "  ";
  EXPECT_EQ(Setting("\r\n/lists/b/\r\n"), "/lists/b/");
}

// A NUL would cut "L8.txt" and "L9.txt" off the folder's name.
TEST_F(RideviIniTest, AFolderThatCannotBeAPathIsNoSetting) {
  for (std::string folder : {std::string("/lists/\0a/", 10), std::string("/lists/\x01/"), std::string("/lists/\xFF/"),
                             std::string("\"/lists\r\n/\"")})
    EXPECT_EQ(Setting(Lines({"[LISTS]", folder})), "") << folder;
}

// Read at start-up, the failure waits for the first converter that needs
// the folder: a run without such data is not stopped by it.
TEST_F(RideviIniTest, FileWithoutSecondLineFailsWhereTheFolderIsNeeded) {
  WriteBytes(settings + "/Ridevi.ini", Lines({"/lists/a/"}));
  const ListFolderSetting setting = ListFolderSetting::Read(env, system_folder);
  for (int use = 0; use < 2; ++use) {
    try {
      setting.folder();
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), settings + "/Ridevi.ini");
      EXPECT_EQ(e.line(), 2);
    }
  }
}

}  // namespace
}  // namespace s1ordo
