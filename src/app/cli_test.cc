#include "app/cli.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "helpers/platform.h"

#include "test_support.h"

namespace s1ordo {
namespace {

using test::FileExists;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// A source tree DATA/DIZIVAD with boreholes, a pattern-data folder and the
// settings file, all in a temporary folder.
class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    test::MakeFolder(dir / "RIDEVI");
    test::MakeFolder(dir / "SYS");
    WriteBytes(dir / "SYS/DodavoZ5.ini", "[RIDEVI]\r\n" + (dir / "RIDEVI") + Separator(NativePathForm()) + "\r\n");
    Borehole("B-2");
    Borehole("B-1");
    Borehole(test::S(u8"追加孔3"));
  }
  void Borehole(const std::string& name) {
    WriteBytes(dir / ("DIZIVAD/" + name + "/N1.TXT"), "1,0.00,1.00,x\r\n");  // "/" works everywhere
  }
  int Run(std::vector<std::string> args, bool with_system = true) {
    if (with_system && args.size() > 0 && args[0] == "convert") {
      args.push_back("--system-folder");
      args.push_back(dir / "SYS");
    }
    out.str("");
    err.str("");
    CliStreams io{in, out, err, false, false};
    return RunCommandLine(args, DefaultEnv(), io);
  }

  TempDir dir;
  std::istringstream in;
  std::ostringstream out, err;
};

TEST_F(CliTest, HelpAndVersion) {
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out.str().find("s1ordo convert SOURCE DEST"), std::string::npos);
#ifdef _WIN32
  EXPECT_NE(out.str().find("Windows system folder"), std::string::npos);
#else
  EXPECT_NE(out.str().find("/etc/s1ordo"), std::string::npos);
#endif
  EXPECT_EQ(Run({"--version"}), kExitOk);
  EXPECT_EQ(out.str().rfind("s1ordo ", 0), 0u);
}

TEST_F(CliTest, UsageErrors) {
  EXPECT_EQ(Run({}), kExitUsage);
  EXPECT_EQ(Run({"frobnicate"}), kExitUsage);
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD"}), kExitUsage);
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--bogus"}), kExitUsage);
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--all"}), kExitUsage);
  EXPECT_FALSE(FileExists(dir / "OUT"));
}

TEST_F(CliTest, ConvertsNamedBoreholesInTheOrderGiven) {
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-2", "B-1", "--yes"}), kExitOk);
  EXPECT_EQ(out.str(), "変換が正常に終了しました。\n");
  EXPECT_NE(err.str().find("[B-2]ﾌｫﾙﾀﾞがありません。新規作成しますか？ yes"), std::string::npos);
  EXPECT_LT(err.str().find("[B-2]"), err.str().find("[B-1]"));
  EXPECT_EQ(ReadBytes(dir / "OUT/B-1/N1.TXT"), "1,0.00,1.00,x\r\n");
  EXPECT_FALSE(FileExists(dir / test::S(u8"OUT/追加孔3")));
}

TEST_F(CliTest, AllTakesEverySubfolderSortedByName) {
  EXPECT_EQ(Run({"convert", "--all", dir / "DIZIVAD", dir / "OUT", "--yes"}), kExitOk);
  std::string e = err.str();
  size_t b1 = e.find("[B-1]"), b2 = e.find("[B-2]"), b3 = e.find("[追加孔3]");
  ASSERT_NE(b3, std::string::npos);
  EXPECT_LT(b1, b2);
  EXPECT_LT(b2, b3);
  EXPECT_TRUE(FileExists(dir / test::S(u8"OUT/追加孔3/N1.TXT")));
}

TEST_F(CliTest, BoreholeNamesAreCheckedBeforeAnythingElse) {
  auto before = test::Snapshot(dir.path());
  for (std::string bad : {"B-9", "..", ".", "B-1/..", "", "../DIZIVAD"}) {
    EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", bad, "--yes"}), kExitUsage) << bad;
  }
  // Even without settings the name check comes first.
  std::remove((dir / "SYS/DodavoZ5.ini").c_str());
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-9"}), kExitUsage);
  WriteBytes(dir / "SYS/DodavoZ5.ini", "[RIDEVI]\r\n" + (dir / "RIDEVI") + Separator(NativePathForm()) + "\r\n");
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

TEST_F(CliTest, MissingSettingsEndWithExitThree) {
  std::remove((dir / "SYS/DodavoZ5.ini").c_str());
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1"}), kExitStartup);
  EXPECT_EQ(err.str(), " RIDEVI の設定がありません.\n");
  EXPECT_FALSE(FileExists(dir / "SYS/DodavoZ5.ini"));  // nothing created in the system folder
  WriteBytes(dir / "SYS/DodavoZ5.ini", "[RIDEVI]\r\n" + (dir / "NOWHERE") + Separator(NativePathForm()) + "\r\n");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1"}), kExitStartup);
  WriteBytes(dir / "SYS/DodavoZ5.ini", "only one line\r\n");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1"}), kExitStartup);
}

TEST_F(CliTest, TheQuestionIsAnsweredNoWithoutATerminal) {
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1"}), kExitEnded);
  EXPECT_NE(err.str().find(" no "), std::string::npos);
  EXPECT_FALSE(FileExists(dir / "OUT"));
  EXPECT_EQ(out.str(), "");
}

TEST_F(CliTest, ATrailingSeparatorTypedOnDestIsKeptForTheCheck) {
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT" + Separator(NativePathForm()), "B-1", "--yes"}),
            kExitEnded);
  EXPECT_NE(err.str().find("最後のﾌｫﾙﾀﾞに「￥」は要りません。"), std::string::npos);
  EXPECT_FALSE(FileExists(dir / "OUT"));
}

TEST_F(CliTest, RelativePathsAreMadeAbsolute) {
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  int code = Run({"convert", "DIZIVAD", "OUT", "B-1", "--yes"});
  std::string e = err.str();
  ASSERT_EQ(chdir(cwd), 0);
  EXPECT_EQ(code, kExitOk) << e;
  EXPECT_TRUE(FileExists(dir / "OUT/B-1/N1.TXT"));
}

TEST_F(CliTest, AFailureDuringTheRunExitsWithTwo) {
  WriteBytes(dir / "DIZIVAD/B-1/CNT.TXT", "1,2\r\n");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes"}), kExitFailed);
  EXPECT_NE(err.str().find("CNT.TXT"), std::string::npos);
  EXPECT_NE(err.str().find("B-1"), std::string::npos);
  EXPECT_EQ(out.str(), "");
}

TEST_F(CliTest, ListPrintsTheBoreholes) {
  EXPECT_EQ(Run({"list", dir / "DIZIVAD"}), kExitOk);
  EXPECT_EQ(out.str(), "B-1\nB-2\n追加孔3\n");
  EXPECT_EQ(Run({"list", dir / "NOWHERE"}), kExitEnded);
}

// A destination that exists in another letter case is that folder: the
// run creates, writes and renames in it instead of failing on the name as
// typed.
TEST_F(CliTest, ADestinationInAnotherLetterCaseIsTheExistingFolder) {
  WriteBytes(dir / "DIZIVAD/B-1/N4.TXT", "1,0.50,,7\r\n");
  test::MakeFolder(dir / "out");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes"}), kExitOk) << err.str();
  EXPECT_EQ(ReadBytes(dir / "out/B-1/N4.TXT"), "  1,   0.50,       ,007\r\n");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "DEST", "b-1", "--yes"}), kExitOk) << err.str();
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "DEST", "B-1", "--yes"}), kExitOk) << err.str();
  EXPECT_EQ(ReadBytes(dir / "DEST/b-1/N4.TXT"), "  1,   0.50,       ,007\r\n");
  EXPECT_EQ(ListSubfolders(DefaultEnv(), dir / "DEST"), std::vector<std::string>{"b-1"});
}

// While another conversion holds the pattern-data folder a run waits for
// it, saying so; with --no-wait it fails at once.
TEST_F(CliTest, ARunWaitsForAnotherOnTheSamePatternData) {
  auto other = NewPlatformEnv();
  auto held = other->TryLockFolder(dir / "RIDEVI" + Separator(NativePathForm()));
  ASSERT_NE(held, nullptr);
  const std::string in_use = "他の変換がパターンデータフォルダを使用中です。";
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes", "--no-wait"}), kExitFailed);
  EXPECT_NE(err.str().find(in_use), std::string::npos) << err.str();
  EXPECT_FALSE(FileExists(dir / "OUT/B-1/N1.TXT"));
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    held.reset();
  });
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes"}), kExitOk);
  release.join();
  EXPECT_NE(err.str().find(in_use + "終わるまで待ちます"), std::string::npos) << err.str();
  EXPECT_TRUE(FileExists(dir / "OUT/B-1/N1.TXT"));
}

#ifndef _WIN32
// A folder the user may not read is a failure that names it, never a
// borehole without data or an empty list (checked as an ordinary user).
TEST_F(CliTest, FoldersThatMayNotBeReadAreFailures) {
  ASSERT_EQ(chmod((dir / "DIZIVAD/B-2").c_str(), 0), 0);
  const bool enforced = access((dir / "DIZIVAD/B-2").c_str(), R_OK) != 0;
  if (enforced) {
    EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--all", "--yes"}), kExitFailed);
    EXPECT_NE(err.str().find("アクセスが拒否されました"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(dir / "DIZIVAD/B-2"), std::string::npos) << err.str();
  }
  ASSERT_EQ(chmod((dir / "DIZIVAD/B-2").c_str(), 0755), 0);
  if (!enforced) GTEST_SKIP() << "running as root: permissions are not enforced";
  ASSERT_EQ(chmod((dir / "DIZIVAD").c_str(), 0311), 0);  // searched, not listed
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT2", "--all", "--yes"}), kExitFailed);
  EXPECT_NE(err.str().find("アクセスが拒否されました: " + (dir / "DIZIVAD")), std::string::npos) << err.str();
  EXPECT_EQ(Run({"list", dir / "DIZIVAD"}), kExitFailed);
  ASSERT_EQ(chmod((dir / "DIZIVAD").c_str(), 0755), 0);
  EXPECT_FALSE(FileExists(dir / "OUT2"));
}
#endif

}  // namespace
}  // namespace s1ordo
