// Tests of the in-memory Env: the same answers as the POSIX platform for
// names in another letter case, listing order, sizes and failures.
#include "helpers/memory_env.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/stdio_file.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::S;

// The cause and file of the Error that op throws; "none" when it throws none.
std::string Failure(const std::function<void()>& op) {
  try {
    op();
  } catch (const Error& e) {
    return e.cause() + " @ " + e.file();
  }
  return "none";
}

TEST(MemoryEnvTest, PartsAreFoundInAnyLetterCaseAndKeepTheirNames) {
  auto env = NewMemoryEnv();
  env->CreateFolder("/Data");
  env->CreateFolder("/DATA/bh1");
  WriteWholeFile(*env, "/data/BH1/n1.txt", "abc");
  EXPECT_EQ(env->ReadFile("/dAtA/Bh1/N1.TXT"), "abc");
  EXPECT_EQ(env->FileSize("/DATA/BH1/N1.TXT"), 3);
  EXPECT_EQ(env->FileSize("/DATA/BH1/N2.TXT"), -1);
  EXPECT_EQ(env->FileSize("/data/bh1"), -1);  // a folder
  EXPECT_EQ(env->ListSubfolders("/", nullptr), std::vector<std::string>{"Data"});
  EXPECT_EQ(env->ListFiles("/data/bh1/", nullptr), std::vector<std::string>{"n1.txt"});

  // A rename takes the name as written and replaces the file of the other
  // case; a replace keeps the name of the file it replaces.
  WriteWholeFile(*env, "/data/bh1/new", "xy");
  env->RenameFile("/data/bh1/NEW", "/data/bh1/N1.TXT");
  EXPECT_EQ(env->ListFiles("/data/bh1", nullptr), std::vector<std::string>{"N1.TXT"});
  WriteWholeFile(*env, "/data/bh1/n1.txt.new", "z");
  env->ReplaceFile("/data/bh1/n1.txt.new", "/data/bh1/n1.txt");
  EXPECT_EQ(env->ListFiles("/data/bh1", nullptr), std::vector<std::string>{"N1.TXT"});
  EXPECT_EQ(env->ReadFile("/data/bh1/n1.txt"), "z");

  // A file open for appending adds to what is there.
  auto out = env->NewAppendableFile("/data/bh1/N1.txt");
  out->Append("!");
  out->Close();
  EXPECT_EQ(env->ReadFile("/data/bh1/n1.txt"), "z!");
  EXPECT_NE(Failure([&] { out->Append("late"); }), "none");
}

TEST(MemoryEnvTest, FailuresNameTheFileWithThePlatformCauses) {
  auto env = NewMemoryEnv();
  env->CreateFolder("/d");
  WriteWholeFile(*env, "/d/f", "1");
  EXPECT_EQ(Failure([&] { env->ReadFile("/d/g"); }), Cause(u8"ファイルを開けません", ENOENT) + " @ /d/g");
  EXPECT_EQ(Failure([&] { env->ReadFile("/d"); }), NotRegularFileCause() + " @ /d");
  EXPECT_EQ(Failure([&] { env->NewWritableFile("/e/f"); }), Cause(u8"ファイルを作成できません", ENOENT) + " @ /e/f");
  EXPECT_EQ(Failure([&] { env->ListFiles("/e", nullptr); }), Cause(u8"フォルダを一覧できません", ENOENT) + " @ /e");
  EXPECT_EQ(Failure([&] { env->ListFiles("/d/f", nullptr); }), Cause(u8"フォルダを一覧できません", ENOTDIR) + " @ /d/f");
  EXPECT_EQ(Failure([&] { env->CreateFolder("/D/F"); }), Cause(u8"フォルダを作成できません", EEXIST) + " @ /D/F");
  EXPECT_EQ(Failure([&] { env->RenameFile("/d/g", "/d/h"); }), Cause(u8"ファイル名を変更できません", ENOENT) + " @ /d/g");
  // A copy that has no source names the copy, and fails without making it.
  EXPECT_EQ(Failure([&] { env->CopyFile("/d/g", "/d/h"); }), Cause(u8"ファイルをコピーできません", ENOENT) + " @ /d/h");
  EXPECT_FALSE(env->Exists("/d/h"));
  EXPECT_EQ(Failure([&] { env->CopyFile("/d/f", "/D/F"); }),
            Sjis(u8"ファイルをコピーできません: コピー元とコピー先が同じファイルです") + " @ /D/F");
  EXPECT_EQ(env->ReadFile("/d/f"), "1");
  // A failed replace leaves the target and removes the new file.
  env->CreateFolder("/d/sub");
  WriteWholeFile(*env, "/d/sub.new", "2");
  EXPECT_EQ(Failure([&] { env->ReplaceFile("/d/sub.new", "/d/SUB"); }), NotRegularFileCause() + " @ /d/SUB");
  EXPECT_TRUE(env->IsFolder("/d/sub"));
  EXPECT_FALSE(env->Exists("/d/sub.new"));

  auto lock = env->TryLockFolder("/d");
  ASSERT_NE(lock, nullptr);
  EXPECT_EQ(env->TryLockFolder("/D/"), nullptr);
  lock.reset();
  EXPECT_NE(env->TryLockFolder("/D/"), nullptr);
}

#ifndef _WIN32
// The same names listed by the real file system and by memory.
TEST(MemoryEnvTest, ListsInTheOrderOfThePlatform) {
  const std::vector<std::string> names = {"b",         "A2",         "a1",         "_x",         S(u8"ア"),
                                          S(u8"ａ"), S(u8"砂.txt"), S(u8"Ｂ"),  "Z",          ".hidden",
                                          "[1]",       "~tilde",     S(u8"ｶﾅ"), "0"};
  test::TempDir dir;
  auto memory = NewMemoryEnv();
  memory->CreateFolder("/t");
  for (const std::string& name : names) {
    WriteWholeFile(DefaultEnv(), dir / name, "");
    WriteWholeFile(*memory, "/t/" + name, "");
  }
  DefaultEnv().CreateFolder(dir / "Folder");
  memory->CreateFolder("/t/Folder");
  EXPECT_EQ(memory->ListFiles("/t", nullptr), DefaultEnv().ListFiles(dir.path(), nullptr));
  EXPECT_EQ(memory->ListSubfolders("/t", nullptr), DefaultEnv().ListSubfolders(dir.path(), nullptr));
}
#endif

}  // namespace
}  // namespace s1ordo
