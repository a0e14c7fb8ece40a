// Tests of the command line: help, usage errors, conversions of named or
// all boreholes, settings, overlapping folders and failures.
#include "app/cli.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "app/ui_language.h"
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
    CliStreams io{in, out, err, in_is_terminal, false};
    io.japanese = japanese;
    io.stop = stop;
    return RunCommandLine(args, DefaultEnv(), io);
  }

  TempDir dir;
  std::istringstream in;
  std::ostringstream out, err;
  bool in_is_terminal = false, japanese = false;
  const StopRequest* stop = nullptr;
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
  for (const char* jobs : {"0", "00", "x", "-1", ""})
    EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--jobs", jobs}), kExitUsage) << jobs;
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
  EXPECT_EQ(Run({"convert", dir / "NOWHERE", dir / "OUT", "B-1"}), kExitUsage);  // no source: no borehole
  WriteBytes(dir / "SYS/DodavoZ5.ini", "[RIDEVI]\r\n" + (dir / "RIDEVI") + Separator(NativePathForm()) + "\r\n");
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

// Exit 3 after the prescribed line and a line that names the settings file
// read and why it was rejected; nothing is written anywhere, not even in
// the system folder.
TEST_F(CliTest, RejectedSettingsEndWithExitThreeSayingWhy) {
  const std::string sep(1, Separator(NativePathForm()));
  const std::string ini = (dir / "SYS") + sep + "DodavoZ5.ini";
  const std::string folder = "2行目のフォルダ \"";
  const struct {
    std::string setting, why;  // setting "-": no settings file
  } cases[] = {
      {"-", "ファイルがありません"},
      {"", "ファイルが空です"},
      {"only one line\r\n", "2行目 (パターンデータのフォルダ) がありません"},
      {"[RIDEVI]\r\n  ,x\r\n", "2行目にパターンデータのフォルダが書かれていません"},
      {"[RIDEVI]\r\n" + (dir / "NOWHERE") + sep + "\r\n", folder + (dir / "NOWHERE") + sep + "\" がありません"},
      {"[RIDEVI]\r\n" + (dir / "RIDEVI") + "\r\n",
       folder + (dir / "RIDEVI") + "\" の最後に区切りの \"" + sep + "\" がありません。\"" + (dir / "RIDEVI") + sep +
           "\" と書いてください"},
      // A NUL would make every pattern-data file name the same file.
      {"[RIDEVI]\r\n" + (dir / "RIDEVI") + std::string("\0x", 2) + sep + "\r\n", "2行目に制御文字があります"},
      {"[RIDEVI]\r\n" + (dir / "RIDEVI") + "\x01" + sep + "\r\n", "2行目に制御文字があります"},
      {"[RIDEVI]\r\n" + (dir / "RIDEVI") + "\xFF" + sep + "\r\n",
       "2行目をコードページ932 (シフトJIS) の文字として読めません"},
  };
  for (const auto& c : cases) {
    std::remove(ini.c_str());
    if (c.setting != "-") WriteBytes(ini, c.setting);
    auto before = test::Snapshot(dir.path());
    EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes"}), kExitStartup) << c.why;
    EXPECT_EQ(err.str(), " RIDEVI の設定がありません.\n設定ファイル " + ini + ": " + c.why + "\n");
    EXPECT_EQ(test::Snapshot(dir.path()), before) << c.why;
  }
}

// The source tree is only read and the pattern data is never overwritten by
// a copy: folders that overlap are refused before anything is written.
TEST_F(CliTest, OverlappingFoldersAreRefusedBeforeAnythingIsWritten) {
  const std::string source = dir / "DIZIVAD";
  auto slashed = [](std::string text) {  // the message in one separator on every platform
    for (char& c : text)
      if (c == '\\') c = '/';
    return text;
  };
  test::MakeFolder(dir / "DIZIVAD/B-1/RIDEVI");
  test::MakeFolder(dir / "OUT/B-1/R");
  struct Case {
    std::string destination, ridevi, inner, outer;
  } cases[] = {
      {dir / "DIZIVAD/B-2/conv", dir / "RIDEVI/", dir / "DIZIVAD/B-2/conv/", dir / "DIZIVAD/"},
      {dir / "dizivad/out", dir / "RIDEVI/", dir / "dizivad/out/", dir / "DIZIVAD/"},
      {dir / "OUT", dir / "DIZIVAD/B-1/RIDEVI/", dir / "DIZIVAD/B-1/RIDEVI/", dir / "DIZIVAD/"},
      {dir / "OUT", dir / "out//B-1//", dir / "out//B-1//", dir / "OUT/B-1/"},
      {dir / "OUT", dir / "OUT/B-1/R/", dir / "OUT/B-1/R/", dir / "OUT/B-1/"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir / "SYS/DodavoZ5.ini", "[RIDEVI]\r\n" + c.ridevi + "\r\n");
    auto before = test::Snapshot(dir.path());
    EXPECT_EQ(Run({"convert", source, c.destination, "--all", "--yes"}), kExitFailed) << c.destination;
    const std::string message = slashed(err.str());
    EXPECT_NE(message.find(": " + slashed(c.inner)), std::string::npos) << message;
    EXPECT_NE(message.find(": " + slashed(c.outer)), std::string::npos) << message;
    EXPECT_EQ(test::Snapshot(dir.path()), before) << c.destination << " " << c.ridevi;
  }
}

// The vocabulary search reads "KISHITU.TXT" to its end; the additions stop
// before the target system's own codes. Either failure leaves the pattern
// data as it was, and the work folder as the staging left it.
TEST_F(CliTest, VocabularyFailuresExitWithTwoAndLeaveThePatternData) {
  WriteBytes(dir / "DIZIVAD/B-1/N1A.TXT", "1,1.20,0,0,99,0,0,0,,,,,,,,,,,,\r\n");  // 盛土
  struct Case {
    std::string kishitu, additions, named;
  } cases[] = {
      {test::S(u8"0001,盛土,,,,\r\n0002,埋土,,\r\n"), "", "KISHITU.TXT"},
      {test::S(u8"0010,礫,,,,\r\n"), "3999,A,,,,\r\n4000,B,,,,\r\n", "1000～3999"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir / "RIDEVI/KISHITU.TXT", c.kishitu);
    WriteBytes(dir / "RIDEVI/XKISHITU.TXT", c.additions);
    auto ridevi = test::Snapshot(dir / "RIDEVI");
    EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes"}), kExitFailed) << c.named;
    EXPECT_NE(err.str().find(c.named), std::string::npos) << err.str();
    EXPECT_EQ(test::Snapshot(dir / "RIDEVI"), ridevi);
    ASSERT_TRUE(FileExists(dir / "OUT/B-1/N4.TXT"));  // left empty by the staging for a borehole without it
    EXPECT_EQ(ReadBytes(dir / "OUT/B-1/N4.TXT"), "");
  }
}

TEST_F(CliTest, TheQuestionIsAnsweredNoWithoutATerminal) {
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1"}), kExitEnded);
  EXPECT_NE(err.str().find(" no "), std::string::npos);
  EXPECT_FALSE(FileExists(dir / "OUT"));
  EXPECT_EQ(out.str(), "");
}

// As shell completion types them: the separators at the end are dropped.
TEST_F(CliTest, ATrailingSeparatorOnSourceAndDestIsDropped) {
  const std::string sep(1, Separator(NativePathForm()));
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD" + sep, dir / "OUT" + sep + sep, "B-1", "--yes"}), kExitOk) << err.str();
  EXPECT_TRUE(FileExists(dir / "OUT/B-1/N1.TXT"));
}

TEST_F(CliTest, HelpOfEachCommandAndUsageErrorsInTwoLines) {
  EXPECT_EQ(Run({"convert", "--help"}), kExitOk);
  EXPECT_EQ(out.str().rfind("Usage: s1ordo convert SOURCE DEST", 0), 0u) << out.str();
  EXPECT_NE(out.str().find("--keep-going"), std::string::npos);
  EXPECT_EQ(Run({"check", "--help"}), kExitOk);
  EXPECT_EQ(out.str().rfind("Usage: s1ordo check SOURCE", 0), 0u) << out.str();
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--bogus"}), kExitUsage);
  EXPECT_EQ(err.str(), "s1ordo: unknown option: --bogus\nSee 's1ordo convert --help'.\n");
  EXPECT_EQ(Run({"check", dir / "DIZIVAD", "--yes"}), kExitUsage);  // convert's, not check's
  EXPECT_EQ(Run({"frobnicate"}), kExitUsage);
  EXPECT_EQ(err.str(), "s1ordo: unknown command: frobnicate\nSee 's1ordo --help'.\n");
  japanese = true;
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--bogus"}), kExitUsage);
  EXPECT_EQ(err.str(), "s1ordo: 不明なオプションです: --bogus\n詳しくは s1ordo convert --help\n");
  EXPECT_EQ(Run({"check", "--help"}), kExitOk);
  EXPECT_EQ(out.str().rfind("使い方: s1ordo check SOURCE", 0), 0u) << out.str();
}

TEST_F(CliTest, TheLanguageIsTheLocales) {
  struct Case {
    const char *all, *messages, *lang;
    bool japanese;
  } cases[] = {{"", "", "ja_JP.UTF-8", true}, {"", "C", "ja_JP.UTF-8", false}, {"ja_JP", "C", "C", true},
               {"", "", "en_US.UTF-8", false}};
  for (const Case& c : cases) {
    test::SetEnvironment("LC_ALL", c.all);
    test::SetEnvironment("LC_MESSAGES", c.messages);
    test::SetEnvironment("LANG", c.lang);
    EXPECT_EQ(UserWantsJapanese(), c.japanese) << c.all << " " << c.messages << " " << c.lang;
  }
  test::SetEnvironment("LC_ALL", "");
  test::SetEnvironment("LC_MESSAGES", "");
  test::SetEnvironment("LANG", "");
}

TEST_F(CliTest, ASourceWithoutBoreholesIsSaidSo) {
  EXPECT_EQ(Run({"convert", dir / "NOWHERE", dir / "OUT", "--all", "--yes"}), kExitEnded);
  EXPECT_EQ(err.str(), "s1ordo: 変換元のフォルダがありません: " + (dir / "NOWHERE") + "\n");
  test::MakeFolder(dir / "EMPTY");
  EXPECT_EQ(Run({"convert", dir / "EMPTY", dir / "OUT", "--all", "--yes"}), kExitEnded);
  EXPECT_EQ(err.str(), "s1ordo: 変換元のフォルダにボーリング孔のフォルダがありません: " + (dir / "EMPTY") + "\n");
  EXPECT_EQ(Run({"check", dir / "DIZIVAD/B-1/N1.TXT"}), kExitFailed);
  EXPECT_EQ(out.str().rfind("error: 変換元はフォルダではありません: ", 0), 0u) << out.str();
  EXPECT_FALSE(FileExists(dir / "OUT"));
}

// On a terminal "a" answers yes for this borehole and every one after it.
TEST_F(CliTest, AllAtTheQuestionAnswersYesForTheRest) {
  in.str("a\n");
  in_is_terminal = true;
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--all"}), kExitOk) << err.str();
  EXPECT_TRUE(FileExists(dir / test::S(u8"OUT/追加孔3/N1.TXT")));
  EXPECT_NE(err.str().find("[B-2]ﾌｫﾙﾀﾞがありません。新規作成しますか？ yes\n"), std::string::npos) << err.str();
}

// A file an earlier conversion left in the destination folder is named;
// --clean empties the folder before the copy.
TEST_F(CliTest, FilesLeftFromBeforeAreNamedOrCleanedAway) {
  ASSERT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes"}), kExitOk);
  WriteBytes(dir / "OUT/B-1/N7.txt", "stale");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes"}), kExitOk);
  EXPECT_NE(err.str().find("[B-1]変換先のフォルダに、変換元にないファイルが以前の変換から残っています: N7.txt\n"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "--yes", "--clean"}), kExitOk);
  EXPECT_EQ(err.str().find("N7.txt"), std::string::npos) << err.str();
  EXPECT_FALSE(FileExists(dir / "OUT/B-1/N7.txt"));
  EXPECT_TRUE(FileExists(dir / "OUT/B-1/N1.TXT"));
}

// Ctrl-C: the run stops between two files and says which borehole it left
// unfinished; a run waiting for another one's pattern data stops too.
TEST_F(CliTest, AStopRequestEndsTheRunWithExit130) {
  for (const char* borehole : {"OUT/B-1", "OUT/B-2"}) test::MakeFolder(dir / borehole);  // no question first
  StopRequest ctrl_c;
  stop = &ctrl_c;
  ctrl_c.Ask();
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-1", "B-2", "--yes"}), kExitInterrupted);
  EXPECT_NE(err.str().find("s1ordo: interrupted: B-1 was left unfinished"), std::string::npos) << err.str();
  EXPECT_FALSE(FileExists(dir / "OUT/B-1/N1.TXT"));

  StopRequest later;
  stop = &later;
  auto other = NewPlatformEnv();
  auto held = other->TryLockFolder(dir / "RIDEVI" + Separator(NativePathForm()));
  ASSERT_NE(held, nullptr);
  std::thread press([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    later.Ask();
  });
#ifndef _WIN32
  test::Deadline deadline(20);  // a wait that does not look at the request fails instead of hanging
#endif
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "B-2", "--yes"}), kExitInterrupted);
  press.join();
  EXPECT_FALSE(FileExists(dir / "OUT/B-2/N1.TXT"));
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
  EXPECT_EQ(ListSubfoldersOrNone(DefaultEnv(), dir / "DEST"), std::vector<std::string>{"b-1"});
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
  EXPECT_NE(err.str().find("アクセスが拒否されました (Permission denied): " + (dir / "DIZIVAD")), std::string::npos)
      << err.str();
  EXPECT_EQ(Run({"list", dir / "DIZIVAD"}), kExitFailed);
  ASSERT_EQ(chmod((dir / "DIZIVAD").c_str(), 0755), 0);
  EXPECT_FALSE(FileExists(dir / "OUT2"));
}
#endif

}  // namespace
}  // namespace s1ordo
