#include "layers/ridevi_ini.h"

#include <gtest/gtest.h>

#include "helpers/error.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::TempDir;
using test::WriteBytes;

class RideviIniTest : public ::testing::Test {
 protected:
  RideviIniTest() : ctx(DefaultEnv()) { ctx.SystemFolder = dir.path(); }

  std::string Setting(const std::string& content) {
    WriteBytes(dir / "Ridevi.ini", content);
    return ReadRideviIniSetting(ctx);
  }

  TempDir dir;
  Context ctx;
};

TEST_F(RideviIniTest, MissingOrEmptyFileGivesNoSettingAndCreatesNothing) {
  EXPECT_EQ(ReadRideviIniSetting(ctx), "");
  EXPECT_TRUE(test::Snapshot(dir.path()).empty());
  EXPECT_EQ(Setting(""), "");
  EXPECT_EQ(test::ReadBytes(dir / "Ridevi.ini"), "");  // left as it was
}

TEST_F(RideviIniTest, FirstItemOfLineTwoWithBlanksTrimmed) {
  EXPECT_EQ(Setting(Lines({"/not/this/", "   /lists/a/   ", "/nor/this/"})), "/lists/a/");
  EXPECT_EQ(Setting(Lines({"[LISTS]", "/lists/a/,/other/"})), "/lists/a/");
  EXPECT_EQ(Setting(Lines({"", "\" /lists/a,b/ \",x"})), "/lists/a,b/");
  EXPECT_EQ(Setting(Lines({"x", test::S(u8"/データ/一覧/")})), test::S(u8"/データ/一覧/"));
  // The system folder is used without its trailing blanks.
  ctx.SystemFolder = dir.path() + "  ";
  EXPECT_EQ(Setting("\r\n/lists/b/\r\n"), "/lists/b/");
}

// A NUL would cut "L8.txt" and "L9.txt" off the folder's name.
TEST_F(RideviIniTest, AFolderThatCannotBeAPathIsNoSetting) {
  for (std::string folder : {std::string("/lists/\0a/", 10), std::string("/lists/\x01/"), std::string("/lists/\xFF/"),
                             std::string("\"/lists\r\n/\"")})
    EXPECT_EQ(Setting(Lines({"[LISTS]", folder})), "") << folder;
}

TEST_F(RideviIniTest, FileWithoutSecondLineFailsNamingIt) {
  try {
    Setting(Lines({"/lists/a/"}));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), dir / "Ridevi.ini");
  }
}

}  // namespace
}  // namespace s1ordo
