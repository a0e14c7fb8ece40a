// Tests of the platform Env on the real disk: listing and sorting, names
// found in another letter case, renames, copies, locks and failures.
#include "helpers/platform.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "fault_env.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;
using test::S;
using test::TempDir;
using test::WriteBytes;

TEST(ListingTest, OrdinaryFilesSortedByName) {
  TempDir dir;
  WriteBytes(dir / "b.txt", "1");
  WriteBytes(dir / "N1.TXT", "1");
  WriteBytes(dir / "a.TXT", "1");
  WriteBytes(dir / ".hidden", "1");
  WriteBytes(dir / S(u8"調査.txt"), "1");
  WriteBytes(dir / "sub/inner.txt", "1");
  chmod((dir / "b.txt").c_str(), 0444);  // read-only files are ordinary
  std::vector<std::string> expected = {"a.TXT", "b.txt", "N1.TXT", S(u8"調査.txt")};
  EXPECT_EQ(ListFiles(DefaultEnv(), dir.path()), expected);
  EXPECT_EQ(ListSubfoldersOrNone(DefaultEnv(), dir.path()), std::vector<std::string>{"sub"});
}

TEST(ListingTest, SubfoldersSortedWithoutHiddenOnes) {
  TempDir dir;
  for (std::string name : {std::string("B-2"), std::string("b-1"), std::string(".git"), std::string("A"), S(u8"追加孔3")}) test::MakeFolder(dir / name);
  WriteBytes(dir / "file.txt", "x");
  std::vector<std::string> expected = {"A", "b-1", "B-2", S(u8"追加孔3")};
  EXPECT_EQ(ListSubfoldersOrNone(DefaultEnv(), dir.path()), expected);
  EXPECT_TRUE(ListSubfoldersOrNone(DefaultEnv(), dir / "missing").empty());
  EXPECT_TRUE(ListFiles(DefaultEnv(), dir / "A").empty());
}

// A file or folder path below dir from a UTF-8 name, made as the file
// system holds it (not through code page 932).
fs::path OnDisk(const TempDir& dir, std::u8string_view name) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(dir.path().data()), dir.path().size())) / name;
}

TEST(ListingTest, EntriesLeftOutAreNamedInWarnings) {
  TempDir dir;
  WriteBytes(dir / "ok.txt", "1");
  WriteBytes(dir / ".hidden", "1");
  // U+2603 (snowman) has no code page 932 form: the converter cannot name
  // such a file or folder, and says so instead of passing over it.
  std::ofstream(OnDisk(dir, u8"\u2603.txt")) << "1";
  fs::create_directory(OnDisk(dir, u8"B\u2603"));
  test::MakeFolder(dir / "B-1");
  std::vector<std::string> files_left_out, folders_left_out;
  EXPECT_EQ(ListFiles(DefaultEnv(), dir.path(), &files_left_out), std::vector<std::string>{"ok.txt"});
  EXPECT_EQ(DefaultEnv().ListSubfolders(dir.path(), &folders_left_out), std::vector<std::string>{"B-1"});
  ASSERT_EQ(files_left_out.size(), 1u);
  EXPECT_NE(files_left_out[0].find(dir.path()), std::string::npos);
  EXPECT_NE(files_left_out[0].find("<U+2603>.txt"), std::string::npos);
  ASSERT_EQ(folders_left_out.size(), 1u);
  EXPECT_NE(folders_left_out[0].find("B<U+2603>"), std::string::npos);
#ifndef _WIN32
  // Among the files, what is not a regular file is named too: a FIFO, a
  // link to nothing.
  ASSERT_EQ(mkfifo((dir / "pipe.txt").c_str(), 0644), 0);
  ASSERT_EQ(symlink((dir / "gone").c_str(), (dir / "dangling.txt").c_str()), 0);
  files_left_out.clear();
  EXPECT_EQ(ListFiles(DefaultEnv(), dir.path(), &files_left_out), std::vector<std::string>{"ok.txt"});
  EXPECT_EQ(files_left_out.size(), 3u);
  for (const std::string& name : {dir / "dangling.txt", dir / "pipe.txt"})
    EXPECT_TRUE(std::any_of(files_left_out.begin(), files_left_out.end(),
                            [&](const std::string& w) { return w.find(name) != std::string::npos; }))
        << name;
#endif
}

// Names the file system holds in another form than the converter writes
// them: another letter case, or characters that code page 932 has once
// (U+2212 MINUS SIGN and U+FF0D FULLWIDTH HYPHEN-MINUS are both its 0x817C).
// Every operation reaches the existing file or folder, and a new copy takes
// its source's name.
TEST(EnvTest, PathsReachTheNamesTheFileSystemHolds) {
  TempDir dir;
  fs::create_directories(OnDisk(dir, u8"data/B\u22122"));                  // B−2
  std::ofstream(OnDisk(dir, u8"data/B\u22122/\u5DE5\u7A0B\u301C.txt")) << "memo";  // 工程〜.txt
  fs::create_directory(OnDisk(dir, u8"\u51FA\u529B\u2014\u5148"));          // 出力—先
  auto env = NewPlatformEnv();
  const std::string borehole = dir / ("DATA/" + S(u8"B－2"));
  const std::string memo = borehole + Separator(NativePathForm()) + S(u8"工程～.txt");
  const std::string out = dir / S(u8"出力―先");
  EXPECT_EQ(ListSubfoldersOrNone(*env, dir / "data"), std::vector<std::string>{S(u8"B－2")});
  EXPECT_EQ(ListFiles(*env, borehole), std::vector<std::string>{S(u8"工程～.txt")});
  EXPECT_EQ(env->ReadFile(memo), "memo");
  EXPECT_EQ(env->FileSize(memo), 4);
  env->CreateFolder(out + Separator(NativePathForm()) + "B-2");
  env->CopyFile(memo, out + Separator(NativePathForm()) + "B-2" + Separator(NativePathForm()) + S(u8"工程～.txt"));
  WriteWholeFile(*env, out + Separator(NativePathForm()) + "b-2" + Separator(NativePathForm()) + "X1.txt", "x");
  EXPECT_FALSE(fs::exists(OnDisk(dir, u8"\u51FA\u529B\u2015\u5148")));  // never made beside it
  EXPECT_TRUE(fs::exists(OnDisk(dir, u8"\u51FA\u529B\u2014\u5148/B-2/\u5DE5\u7A0B\u301C.txt")));
  EXPECT_TRUE(fs::exists(OnDisk(dir, u8"\u51FA\u529B\u2014\u5148/B-2/X1.txt")));
}

TEST(EnvTest, PathsIgnoreLetterCaseInEveryPart) {
  TempDir dir;
  WriteBytes(dir / "Data/BH1/N1.TXT", "abc");
  Env& env = DefaultEnv();
  EXPECT_TRUE(env.Exists(dir / "DATA/bh1/n1.txt"));
  EXPECT_EQ(env.ReadFile(dir / "data/Bh1/N1.txt"), "abc");
  EXPECT_EQ(FileSizeOrZero(env, dir / "DATA/BH1/N1.TXT"), 3);
  EXPECT_EQ(FileSizeOrZero(env, dir / "DATA/BH1/N2.TXT"), 0);
  // Writing through another case replaces the existing file, as on the
  // source system, instead of making a second one.
  WriteWholeFile(env, dir / "data/bh1/n1.txt", "xy");
  EXPECT_EQ(test::ReadBytes(dir / "Data/BH1/N1.TXT"), "xy");
  EXPECT_EQ(ListFiles(env, dir / "Data/BH1").size(), 1u);
}

TEST(EnvTest, LetterCaseMatchingSeesChangesMadeByOthers) {
  TempDir dir;
  auto env = NewPlatformEnv();
  WriteBytes(dir / "A.TXT", "a");
  EXPECT_FALSE(env->Exists(dir / "b.txt"));  // the folder's entries are now remembered
  WriteWholeFile(*env, dir / "c.txt", "c");  // ...and kept up to date by our own changes
  EXPECT_EQ(env->ReadFile(dir / "C.TXT"), "c");
  // A change by another program shows in the folder's modification time,
  // which the file system keeps in steps of a few milliseconds.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  WriteBytes(dir / "B.TXT", "b");
  EXPECT_TRUE(env->Exists(dir / "b.txt"));
  WriteWholeFile(*env, dir / "b.txt", "new");
  EXPECT_EQ(test::ReadBytes(dir / "B.TXT"), "new");
  env->RenameFile(dir / "b.txt", dir / "d.txt");
  EXPECT_FALSE(env->Exists(dir / "B.TXT"));
  EXPECT_EQ(env->ReadFile(dir / "D.TXT"), "new");
  env->DeleteFile(dir / "a.txt");
  EXPECT_FALSE(env->Exists(dir / "A.TXT"));
  EXPECT_EQ(ListFiles(*env, dir.path()), (std::vector<std::string>{"c.txt", "d.txt"}));
}

TEST(EnvTest, RenameReplacesAndCopyKeepsBytes) {
  TempDir dir;
  Env& env = DefaultEnv();
  std::string bytes("a\r\n\x82\xa0\0z", 7);
  WriteBytes(dir / "N4.TXT", "old");
  WriteBytes(dir / "N4_WK.TXT", bytes);
  env.RenameFile(dir / "N4_WK.TXT", dir / "n4.txt");
  EXPECT_EQ(ListFiles(env, dir.path()).size(), 1u);
#ifndef _WIN32
  // The name as written replaces the one that differs only in letter case
  // (on Windows the file system decides).
  EXPECT_EQ(ListFiles(env, dir.path()), std::vector<std::string>{"n4.txt"});
#endif
  EXPECT_EQ(test::ReadBytes(dir / "n4.txt"), bytes);
  env.CopyFile(dir / "n4.txt", dir / "X.TXT");
  EXPECT_EQ(test::ReadBytes(dir / "X.TXT"), bytes);
}

// A fresh Env for each case, so that which folders it remembers is known.
TEST(EnvTest, ANameInAnotherCaseReachesTheExistingFileWhetherOrNotItsFolderIsRemembered) {
  for (int form = 0; form < 3; ++form) {
    const bool remembered = form > 0;
    const bool doubled = form == 2;  // the folder written with a doubled separator
    SCOPED_TRACE(doubled ? "doubled separator" : remembered ? "folder remembered" : "folder not remembered");
    TempDir dir;
    const std::string twice(2, Separator(NativePathForm()));
    auto at = [&](const std::string& name) { return doubled ? dir.path() + twice + name : dir / name; };
    WriteBytes(dir / "N1.TXT", "old");
    WriteBytes(dir / "SRC.TXT", "copied");
    auto env = NewPlatformEnv();
    if (remembered) {
      EXPECT_FALSE(env->Exists(at("none.txt")));  // reads the folder's entries
    }
    WriteWholeFile(*env, at("n1.txt"), "new");
    EXPECT_EQ(test::ReadBytes(dir / "N1.TXT"), "new");
    auto appended = env->NewAppendableFile(at("N1.txt"));
    appended->Append("+more");
    appended->Close();
    EXPECT_EQ(test::ReadBytes(dir / "N1.TXT"), "new+more");
    env->CopyFile(at("src.txt"), at("n1.Txt"));
    EXPECT_EQ(test::ReadBytes(dir / "N1.TXT"), "copied");
    EXPECT_EQ(env->FileSize(at("n1.txt")), 6);
    env->CreateFolder(at("sub"));
    env->CreateFolder(at("SUB"));  // already there
    EXPECT_EQ(ListFiles(*env, dir.path()), (std::vector<std::string>{"N1.TXT", "SRC.TXT"}));
    EXPECT_EQ(ListSubfoldersOrNone(*env, dir.path()), std::vector<std::string>{"sub"});
    env->DeleteFile(at("src.TXT"));
    env->DeleteFile(at("src.TXT"));  // nothing left to delete
    EXPECT_FALSE(test::FileExists(dir / "SRC.TXT"));
    EXPECT_EQ(ListFiles(*env, dir.path()), std::vector<std::string>{"N1.TXT"});
  }
}

TEST(EnvTest, NewFilesAreSeenByTheEnvThatMadeThem) {
  TempDir dir;
  auto env = NewPlatformEnv();
  EXPECT_FALSE(env->Exists(dir / "A.TXT"));
  WriteWholeFile(*env, dir / "A.TXT", "a");
  env->CopyFile(dir / "A.TXT", dir / "B.TXT");
  env->CreateFolder(dir / "C");
  env->RenameFile(dir / "B.TXT", dir / "D.TXT");
  EXPECT_TRUE(env->Exists(dir / "a.txt"));
  EXPECT_TRUE(env->IsFolder(dir / "c"));
  EXPECT_FALSE(env->Exists(dir / "b.txt"));
  EXPECT_EQ(env->ReadFile(dir / "d.txt"), "a");
  // Made through a differently written name, the file is not made twice.
  WriteWholeFile(*env, dir / "e.txt", "1");
  WriteWholeFile(*env, dir / "E.TXT", "2");
  EXPECT_EQ(test::ReadBytes(dir / "e.txt"), "2");
  EXPECT_EQ(ListFiles(*env, dir.path()), (std::vector<std::string>{"A.TXT", "D.TXT", "e.txt"}));
}

TEST(EnvTest, WholeFilesOfAnySizeAreReadAndWrittenByteForByte) {
  TempDir dir;
  Env& env = DefaultEnv();
  std::string big;
  for (int i = 0; big.size() < 300001; ++i) big += std::to_string(i) + "\r\n";
  for (const std::string& bytes : {std::string(), std::string("x"), big.substr(0, 65536), big}) {
    SCOPED_TRACE(bytes.size());
    WriteBytes(dir / "in.txt", bytes);
    EXPECT_EQ(env.ReadFile(dir / "in.txt"), bytes);
    env.CopyFile(dir / "in.txt", dir / "copy.txt");
    EXPECT_EQ(test::ReadBytes(dir / "copy.txt"), bytes);
    // Appends of every size: within the buffer, across its end, larger than it.
    auto out = env.NewWritableFile(dir / "out.txt");
    for (size_t at = 0, step = 1; at < bytes.size(); at += step, step = step * 7 % 100003 + 1)
      out->Append(std::string_view(bytes).substr(at, step));
    out->Close();
    EXPECT_EQ(test::ReadBytes(dir / "out.txt"), bytes);
  }
  // A copy over a longer file leaves nothing of it behind.
  WriteBytes(dir / "short.txt", "abc");
  env.CopyFile(dir / "short.txt", dir / "copy.txt");
  EXPECT_EQ(test::ReadBytes(dir / "copy.txt"), "abc");
}

TEST(EnvTest, WritesAfterCloseFailAndAnUnclosedFileKeepsItsBytes) {
  TempDir dir;
  auto out = DefaultEnv().NewWritableFile(dir / "a.txt");
  out->Append("abc");
  out->Close();
  EXPECT_THROW(out->Append("d"), Error);
  out->Close();  // a second Close does nothing
  EXPECT_EQ(test::ReadBytes(dir / "a.txt"), "abc");
  DefaultEnv().NewAppendableFile(dir / "a.txt")->Append("def");
  EXPECT_EQ(test::ReadBytes(dir / "a.txt"), "abcdef");
}

TEST(EnvTest, ACopyOntoItselfFailsAndKeepsTheFile) {
  TempDir dir;
  WriteBytes(dir / "A.TXT", "keep");
  for (const char* to : {"A.TXT", "a.txt"}) {
    try {
      DefaultEnv().CopyFile(dir / "A.TXT", dir / to);
      ADD_FAILURE() << "copied onto itself as " << to;
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), dir / to);
    }
    EXPECT_EQ(test::ReadBytes(dir / "A.TXT"), "keep");
  }
  // A missing source names the copy, as every failure of a copy does.
  try {
    DefaultEnv().CopyFile(dir / "missing.txt", dir / "B.TXT");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), dir / "B.TXT");
  }
  EXPECT_FALSE(test::FileExists(dir / "B.TXT"));
  EXPECT_THROW(DefaultEnv().ReadFile(dir.path()), Error);  // a folder is no file
  EXPECT_THROW(DefaultEnv().CreateFolder(dir / "a.txt"), Error);  // a file is there
}

#ifndef _WIN32
int ModeOf(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

TEST(EnvTest, ACopyHasTheSourcesPermissionsAndCanBeRewritten) {
  TempDir dir;
  Env& env = DefaultEnv();
  WriteBytes(dir / "ro.txt", "r");
  WriteBytes(dir / "all.txt", "w");
  chmod((dir / "ro.txt").c_str(), 0444);
  chmod((dir / "all.txt").c_str(), 0666);  // more than the usual umask lets a new file have
  env.CopyFile(dir / "ro.txt", dir / "new-ro.txt");
  env.CopyFile(dir / "all.txt", dir / "new-all.txt");
  EXPECT_EQ(ModeOf(dir / "new-ro.txt"), 0644);
  EXPECT_EQ(ModeOf(dir / "new-all.txt"), 0666);
  // A copy over an existing file gives it the permissions too.
  env.CopyFile(dir / "ro.txt", dir / "new-all.txt");
  EXPECT_EQ(ModeOf(dir / "new-all.txt"), 0644);
  EXPECT_EQ(test::ReadBytes(dir / "new-all.txt"), "r");
  WriteWholeFile(env, dir / "new-ro.txt", "rewritten");
  EXPECT_EQ(test::ReadBytes(dir / "new-ro.txt"), "rewritten");
}

// A folder that holds nothing is filled, through its descriptor, with the
// files, names and permissions that the ordinary calls give; one that holds
// anything, even a hidden file, is left to them.
TEST(EnvTest, AnEmptyFolderIsFilledAsTheOrdinaryCallsFillIt) {
  TempDir dir;
  Env& env = DefaultEnv();
  WriteBytes(dir / "src/RO.TXT", "read only");
  WriteBytes(dir / "src/ALL.TXT", "all");
  chmod((dir / "src/RO.TXT").c_str(), 0444);
  chmod((dir / "src/ALL.TXT").c_str(), 0666);
  auto files = [&] {
    std::vector<Env::NewFile> made(5);
    made[0] = {"RO.TXT", dir / "src/RO.TXT", true, "read only", ""};
    made[1] = {"ALL.TXT", dir / "src/ALL.TXT", false, "rewritten", ""};
    made[2] = {"N4_WK.TXT", "", false, "renamed", "N4.TXT"};
    made[3] = {"empty.txt", "", false, "", ""};
    made[4] = {"X.TXT", "ALL.TXT", true, "rewritten", ""};  // a copy of a file made before
    return made;
  };
  fs::create_directories(fs::path(dir / "ordinary"));
  for (const Env::NewFile& f : files()) {
    const std::string path = dir / ("ordinary/" + f.name);
    if (!f.copy_of.empty()) env.CopyFile(f.copy_of[0] == '/' ? f.copy_of : dir / ("ordinary/" + f.copy_of), path);
    if (!f.keeps_copy) WriteWholeFile(env, path, f.bytes);
    if (!f.renamed_to.empty()) env.RenameFile(path, dir / ("ordinary/" + f.renamed_to));
  }
  fs::create_directories(fs::path(dir / "filled"));
  std::vector<Env::NewFile> made = files();
  ASSERT_TRUE(env.FillEmptyFolder(dir / "filled/", made));
  const auto ordinary = test::Snapshot(dir / "ordinary"), filled = test::Snapshot(dir / "filled");
  EXPECT_EQ(ordinary, filled);
  EXPECT_EQ(ordinary.size(), 5u);
  for (const auto& [name, bytes] : ordinary) EXPECT_EQ(ModeOf(dir / ("filled/" + name)), ModeOf(dir / ("ordinary/" + name))) << name;
  EXPECT_EQ(ModeOf(dir / "filled/RO.TXT"), 0644);
  // The Env finds what it made under another letter case.
  EXPECT_EQ(env.ReadFile(dir / "filled/n4.txt"), "renamed");

  WriteBytes(dir / "hidden/.keep", "");
  made = files();
  EXPECT_FALSE(env.FillEmptyFolder(dir / "hidden/", made));
  EXPECT_EQ(test::Snapshot(dir / "hidden").size(), 1u);  // .keep alone
}

// A filled folder takes the place of an empty one, which comes back under
// its name; one that holds anything, or is not there, is left as it is.
TEST(EnvTest, AFolderTakesThePlaceOfAnEmptyFolderOnly) {
  TempDir dir;
  Env& env = DefaultEnv();
  WriteBytes(dir / "held/X1.txt", "x1");
  fs::create_directories(fs::path(dir / "out/B1"));
  ASSERT_TRUE(env.ReplaceEmptyFolder(dir / "held", dir / "out/b1"));
  EXPECT_EQ(test::ReadBytes(dir / "out/B1/X1.txt"), "x1");
  EXPECT_TRUE(fs::is_empty(fs::path(dir / "held")));

  WriteBytes(dir / "held/X1.txt", "new");
  WriteBytes(dir / "out/B2/keep.txt", "kept");
  EXPECT_FALSE(env.ReplaceEmptyFolder(dir / "held", dir / "out/B2"));
  EXPECT_FALSE(env.ReplaceEmptyFolder(dir / "held", dir / "out/B3"));
  EXPECT_EQ(test::ReadBytes(dir / "out/B2/keep.txt"), "kept");
  EXPECT_EQ(test::ReadBytes(dir / "held/X1.txt"), "new");
  EXPECT_FALSE(test::FileExists(dir / "out/B2/X1.txt"));
  EXPECT_FALSE(fs::exists(fs::path(dir / "out/B3")));
}

// A write that fails (here past the file size limit of a child process)
// shows at the latest in Close.
TEST(EnvTest, AFailedWriteShowsAtTheLatestInClose) {
  TempDir dir;
  const std::string path = dir / "X1.txt";
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{8, 8};
    setrlimit(RLIMIT_FSIZE, &limit);
    auto small = DefaultEnv().NewWritableFile(path);
    small->Append("fits in the buffer");
    try {
      small->Close();
      _exit(10);
    } catch (const Error& e) {
      if (e.file() != path || e.cause().find("File too large") == std::string::npos) _exit(11);
    }
    auto big = DefaultEnv().NewWritableFile(path);
    try {
      big->Append(std::string(200000, 'x'));  // too big to wait for Close
      _exit(12);
    } catch (const Error&) {
    }
    try {
      big->Close();
      _exit(13);
    } catch (const Error&) {
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no failure in Close, 11: not named, 12/13: big write or its Close";
}

TEST(EnvTest, FilesThatClaimNoSizeAreReadToTheirEnd) {
  // /proc files have size 0 until read.
  std::string status = DefaultEnv().ReadFile("/proc/self/status");
  EXPECT_NE(status.find("Umask:"), std::string::npos);
  TempDir dir;
  DefaultEnv().CopyFile("/proc/self/status", dir / "status.txt");
  EXPECT_NE(test::ReadBytes(dir / "status.txt").find("Umask:"), std::string::npos);
}

TEST(ListingTest, LinksCountAsWhatTheyPointTo) {
  TempDir dir;
  WriteBytes(dir / "real/file.txt", "1");
  ASSERT_EQ(symlink((dir / "real").c_str(), (dir / "linked").c_str()), 0);
  ASSERT_EQ(symlink((dir / "real/file.txt").c_str(), (dir / "link.txt").c_str()), 0);
  ASSERT_EQ(symlink((dir / "gone").c_str(), (dir / "dangling.txt").c_str()), 0);
  EXPECT_EQ(ListSubfoldersOrNone(DefaultEnv(), dir.path()), (std::vector<std::string>{"linked", "real"}));
  EXPECT_EQ(ListFiles(DefaultEnv(), dir.path()), std::vector<std::string>{"link.txt"});
  EXPECT_EQ(DefaultEnv().ReadFile(dir / "LINKED/FILE.TXT"), "1");
}
// What stands under the name of a file that is written was not made by the
// converter: a link is replaced, never followed, and so is a file that has
// other names. Anything that is not a regular file is a failure naming it,
// never a wait.
TEST(EnvTest, WhatStandsUnderAWrittenNameIsNeverWrittenThrough) {
  test::Deadline deadline(20);
  TempDir dir;
  Env& env = DefaultEnv();
  const std::string src = dir / "src/N1A.TXT";
  WriteBytes(src, "source");
  WriteBytes(dir / "other.txt", "other");
  test::MakeFolder(dir / "out");
  ASSERT_EQ(symlink(src.c_str(), (dir / "out/X1.txt").c_str()), 0);
  ASSERT_EQ(symlink(src.c_str(), (dir / "out/N1A.TXT").c_str()), 0);
  ASSERT_EQ(symlink((dir / "src/gone.txt").c_str(), (dir / "out/dangling.txt").c_str()), 0);
  ASSERT_EQ(link(src.c_str(), (dir / "out/hard.txt").c_str()), 0);
  WriteWholeFile(env, dir / "out/x1.txt", "x1");  // in another letter case too
  env.CopyFile(dir / "other.txt", dir / "out/N1A.TXT");
  WriteWholeFile(env, dir / "out/dangling.txt", "d");
  WriteWholeFile(env, dir / "out/hard.txt", "h");
  EXPECT_EQ(test::ReadBytes(src), "source");
  EXPECT_FALSE(test::FileExists(dir / "src/gone.txt"));
  for (std::string name : {"X1.txt", "N1A.TXT", "dangling.txt", "hard.txt"}) {
    struct stat st;
    ASSERT_EQ(lstat((dir / ("out/" + name)).c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode) && st.st_nlink == 1) << name;
  }
  EXPECT_EQ(test::ReadBytes(dir / "out/N1A.TXT"), "other");

  const std::string fifo = dir / "out/KISHITU.TXT";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  auto expect_refused = [&](const char* what, auto op) {
    try {
      op();
      ADD_FAILURE() << what << " took the FIFO";
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), fifo) << what;
      EXPECT_EQ(e.cause(), NotRegularFileCause()) << what;
    }
  };
  for (int readers = 0; readers < 2; ++readers) {  // a FIFO that someone reads opens at once for writing
    int reader = readers ? ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK) : -1;
    expect_refused("NewWritableFile", [&] { env.NewWritableFile(fifo); });
    expect_refused("NewAppendableFile", [&] { env.NewAppendableFile(fifo); });
    expect_refused("CopyFile to", [&] { env.CopyFile(dir / "other.txt", fifo); });
    if (reader >= 0) ::close(reader);
  }
  expect_refused("ReadFile", [&] { env.ReadFile(fifo); });
  expect_refused("FileSize", [&] { env.FileSize(fifo); });
  expect_refused("CopyFile from", [&] { env.CopyFile(fifo, dir / "copy.txt"); });
}

// A file of the pattern data that is replaced keeps its name, permissions
// and group, so the other users of a shared folder keep theirs; one the
// user may not write is a failure and stays as it was.
TEST(EnvTest, AReplacedFileKeepsItsModeAndGroup) {
  TempDir dir;
  const std::string list = dir / "l1.txt";  // named "L1.txt" by the converter
  WriteBytes(list, "old");
  ASSERT_EQ(chmod(list.c_str(), 0664), 0);
  gid_t group = getegid();
  if (geteuid() == 0) {
    group = getegid() == 100 ? 101 : 100;
  } else {
    gid_t groups[64];
    int n = getgroups(64, groups);
    for (int i = 0; i < n; ++i)
      if (groups[i] != getegid()) group = groups[i];
  }
  ASSERT_EQ(chown(list.c_str(), static_cast<uid_t>(-1), group), 0);
  ReplaceWholeFile(DefaultEnv(), dir / "L1.txt", "new");
  EXPECT_EQ(ListFiles(DefaultEnv(), dir.path()), std::vector<std::string>{"l1.txt"});
  struct stat st;
  ASSERT_EQ(stat(list.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
  EXPECT_EQ(st.st_gid, group);
  EXPECT_EQ(test::ReadBytes(list), "new");

  ASSERT_EQ(chmod(list.c_str(), 0444), 0);
  if (access(list.c_str(), W_OK) == 0) GTEST_SKIP() << "running as root: permissions are not enforced";
  try {
    ReplaceWholeFile(DefaultEnv(), dir / "L1.txt", "newer");
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), dir / "L1.txt");
    EXPECT_NE(e.cause().find(S(u8"アクセスが拒否されました")), std::string::npos) << DisplayText(e.cause());
  }
  EXPECT_EQ(test::ReadBytes(list), "new");
  EXPECT_FALSE(test::FileExists(dir / "L1.txt.new"));
}
#endif  // _WIN32

// Each failure names its file and says why in Japanese, the system's own
// text after it in parentheses.
TEST(EnvTest, FailuresNameTheFileAndSayWhyInJapanese) {
  TempDir dir;
  Env& env = DefaultEnv();
  WriteBytes(dir / "file.txt", "x");
  const std::string missing = dir / "no" + Separator(NativePathForm()) + "x.txt";
  const struct {
    std::function<void()> fail;
    std::string file, cause;
  } cases[] = {
      {[&] { env.ReadFile(dir / "missing.txt"); }, dir / "missing.txt",
       S(u8"ファイルを開けません: ファイルまたはフォルダがありません")},
      {[&] { env.NewWritableFile(missing); }, missing, S(u8"ファイルを作成できません: ファイルまたはフォルダがありません")},
      {[&] { env.CreateFolder(dir / "file.txt"); }, dir / "file.txt",
       S(u8"フォルダを作成できません: 同じ名前のファイルまたはフォルダが既にあります")},
      {[&] { env.ListFiles(dir / "file.txt", nullptr); }, dir / "file.txt",
       S(u8"フォルダを一覧できません: フォルダではありません")},
  };
  for (const auto& c : cases) {
    try {
      c.fail();
      ADD_FAILURE() << "no failure: " << DisplayText(c.cause);
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), c.file);
      const std::string shown = DisplayText(e.cause());
      EXPECT_TRUE(e.cause().starts_with(c.cause + " (") && e.cause().ends_with(")")) << shown;
    }
  }
}

TEST(EnvTest, AppendedLinesReachTheFileWholeOrNotAtAll) {
  TempDir dir;
  const std::string path = dir / "L1.txt";
  WriteBytes(path, "1,a\r\n2,b");
  test::FaultEnv env;
  AppendWholeLines(env, path, "3,c\r\n");
  EXPECT_EQ(test::ReadBytes(path), "1,a\r\n2,b\r\n3,c\r\n");
  AppendWholeLines(env, dir / "new.txt", "1,x\r\n");  // a missing file is created
  EXPECT_EQ(test::ReadBytes(dir / "new.txt"), "1,x\r\n");

  // The disk fills up half-way through the new content, or the final
  // rename fails: the file keeps its old content and nothing is left beside.
  for (int fault = 0; fault < 2; ++fault) {
    env.space = fault == 0 ? 10 : -1;
    env.before = [&](std::string_view op, const std::string&) {
      if (fault == 1 && op == "ReplaceFile") throw Error("rename refused");
    };
    try {
      AppendWholeLines(env, path, "4,d\r\n");
      ADD_FAILURE() << "no failure with fault " << fault;
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), path);
    }
    EXPECT_EQ(test::ReadBytes(path), "1,a\r\n2,b\r\n3,c\r\n");
    EXPECT_FALSE(test::FileExists(path + ".new"));
  }
}

// One holder at a time, in this process or another; nothing is left in the
// folder, and a holder that is killed lets the next one in.
TEST(EnvTest, AFolderLockHasOneHolderAtATime) {
  TempDir dir;
  WriteBytes(dir / "KISHITU.TXT", "k");
  const std::string folder = dir.path() + Separator(NativePathForm());
  const auto before = test::Snapshot(dir.path());
  auto first = NewPlatformEnv(), second = NewPlatformEnv();
  auto held = first->TryLockFolder(folder);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(second->TryLockFolder(folder), nullptr);
  EXPECT_EQ(first->TryLockFolder(folder), nullptr);
  held.reset();
  EXPECT_NE(second->TryLockFolder(folder), nullptr);
  EXPECT_EQ(test::Snapshot(dir.path()), before);
#ifndef _WIN32
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto lock = NewPlatformEnv()->TryLockFolder(folder);
    char c = lock ? 'y' : 'n';
    if (write(ready[1], &c, 1) != 1) _exit(1);
    pause();
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  EXPECT_EQ(first->TryLockFolder(folder), nullptr);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_NE(first->TryLockFolder(folder), nullptr);
  close(ready[0]);
  close(ready[1]);
#endif
}

TEST(LibraryTest, CountsCharacters) {
  EXPECT_EQ(InCount("C:\\A\\B", "\\"), 2);
  EXPECT_EQ(InCount(S(u8"表\\"), "\\"), 1);  // the second byte of 表 is not counted
}

}  // namespace
}  // namespace s1ordo
