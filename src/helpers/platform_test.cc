#include "helpers/platform.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
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
  EXPECT_EQ(FCount(DefaultEnv(), dir.path()), 4);
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

TEST(LibraryTest, CountsAndTrims) {
  EXPECT_EQ(InCount("C:\\A\\B", "\\"), 2);
  EXPECT_EQ(InCount(S(u8"表\\"), "\\"), 1);  // the second byte of 表 is not counted
  EXPECT_EQ(QPRTrim("abc   "), "abc");
  EXPECT_EQ(QPRTrim("  abc"), "  abc");
}

}  // namespace
}  // namespace s1ordo
