#include "helpers/platform.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "fault_env.h"
#include "helpers/error.h"
#include "test_support.h"

namespace s1ordo {
namespace {

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
  EXPECT_EQ(ListSubfolders(DefaultEnv(), dir.path()), std::vector<std::string>{"sub"});
}

TEST(ListingTest, SubfoldersSortedWithoutHiddenOnes) {
  TempDir dir;
  for (std::string name : {std::string("B-2"), std::string("b-1"), std::string(".git"), std::string("A"), S(u8"追加孔3")}) test::MakeFolder(dir / name);
  WriteBytes(dir / "file.txt", "x");
  std::vector<std::string> expected = {"A", "b-1", "B-2", S(u8"追加孔3")};
  EXPECT_EQ(ListSubfolders(DefaultEnv(), dir.path()), expected);
  EXPECT_TRUE(ListSubfolders(DefaultEnv(), dir / "missing").empty());
  EXPECT_TRUE(ListFiles(DefaultEnv(), dir / "A").empty());
}

TEST(ListingTest, FileNamesThatCodePage932CannotHoldAreAnError) {
  TempDir dir;
  WriteBytes(dir / "ok.txt", "1");
  // U+2603 (snowman) has no code page 932 form; it cannot be named in the
  // converter's texts, so listing reports it rather than skipping it.
  std::string name = dir.path() + "/\xE2\x98\x83.txt";
  FILE* f = fopen(name.c_str(), "w");
  ASSERT_NE(f, nullptr);
  fclose(f);
  EXPECT_THROW(ListFiles(DefaultEnv(), dir.path()), Error);
}

TEST(EnvTest, PathsIgnoreLetterCaseInEveryPart) {
  TempDir dir;
  WriteBytes(dir / "Data/BH1/N1.TXT", "abc");
  Env& env = DefaultEnv();
  EXPECT_TRUE(env.Exists(dir / "DATA/bh1/n1.txt"));
  EXPECT_EQ(env.ReadFile(dir / "data/Bh1/N1.txt"), "abc");
  EXPECT_EQ(FileSize(env, dir / "DATA/BH1/N1.TXT"), 3);
  EXPECT_EQ(FileSize(env, dir / "DATA/BH1/N2.TXT"), 0);
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
    EXPECT_EQ(ListSubfolders(*env, dir.path()), std::vector<std::string>{"sub"});
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

TEST(EnvTest, AFullDiskShowsAtTheLatestInClose) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  auto small = DefaultEnv().NewWritableFile("/dev/full");
  small->Append("fits in the buffer");
  try {
    small->Close();
    FAIL() << "Close reported no failure";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), "/dev/full");
    EXPECT_NE(e.cause().find("No space left on device"), std::string::npos) << e.cause();
  }
  auto big = DefaultEnv().NewWritableFile("/dev/full");
  EXPECT_THROW(big->Append(std::string(200000, 'x')), Error);  // too big to wait for Close
  EXPECT_THROW(big->Close(), Error);
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
  EXPECT_EQ(ListSubfolders(DefaultEnv(), dir.path()), (std::vector<std::string>{"linked", "real"}));
  EXPECT_EQ(ListFiles(DefaultEnv(), dir.path()), std::vector<std::string>{"link.txt"});
  EXPECT_EQ(DefaultEnv().ReadFile(dir / "LINKED/FILE.TXT"), "1");
}
#endif  // _WIN32

TEST(EnvTest, FailuresNameTheFile) {
  TempDir dir;
  try {
    DefaultEnv().ReadFile(dir / "missing.txt");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), dir / "missing.txt");
  }
  EXPECT_THROW(DefaultEnv().NewWritableFile(dir / "no/such/folder/x.txt"), Error);
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
      if (fault == 1 && op == "RenameFile") throw Error("rename refused");
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

TEST(LibraryTest, CountsCharacters) {
  EXPECT_EQ(InCount("C:\\A\\B", "\\"), 2);
  EXPECT_EQ(InCount(S(u8"表\\"), "\\"), 1);  // the second byte of 表 is not counted
}

}  // namespace
}  // namespace s1ordo
