// The dry run's Env: changes held in memory read back as a real file system
// would give them, over the real files, which stay as they were.
#include "run/run_env.h"

#include <gtest/gtest.h>

#include "helpers/error.h"
#include "helpers/platform.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::S;

TEST(RunEnvTest, ChangesAreHeldInMemoryOverTheRealFiles) {
  test::TempDir dir;
  test::WriteBytes(dir / "RIDEVI/L1.txt", "1,a\r\n");
  test::WriteBytes(dir / "RIDEVI/KISHITU.TXT", "old");
  const auto before = test::Snapshot(dir.path());
  ScratchFiles scratch(NativePathForm());
  std::vector<std::string> written;
  RunEnv env(DefaultEnv(), &scratch, &written);

  AppendWholeLines(env, dir / "RIDEVI/L1.txt", "2,b\r\n");  // through "L1.txt.new", replaced
  ReplaceWholeFile(env, dir / "RIDEVI/kishitu.txt", "new");   // the same file in another letter case
  env.CreateFolder(dir / "OUT");
  env.CreateFolder(dir / "OUT/B-1");
  WriteWholeFile(env, dir / "OUT/B-1/X1.txt", "x1");
  env.CopyFile(dir / "RIDEVI/L1.txt", dir / "OUT/B-1/L1.txt");
  env.DeleteFile(dir / "OUT/B-1/L1.txt");

  EXPECT_EQ(env.ReadFile(dir / "RIDEVI/L1.txt"), "1,a\r\n2,b\r\n");
  EXPECT_EQ(env.ReadFile(dir / "RIDEVI/KISHITU.TXT"), "new");
  EXPECT_FALSE(env.Exists(dir / "RIDEVI/L1.txt.new"));
  EXPECT_TRUE(env.IsFolder(dir / "OUT/B-1"));
  EXPECT_EQ(env.FileSize(dir / "OUT/B-1/L1.txt"), -1);
  EXPECT_THROW(env.ReadFile(dir / "OUT/B-1/L1.txt"), Error);
  EXPECT_EQ(ListFiles(env, dir / "OUT/B-1/"), std::vector<std::string>{"X1.txt"});
  EXPECT_EQ(ListFiles(env, dir / "RIDEVI/"), (std::vector<std::string>{"KISHITU.TXT", "L1.txt"}));
  EXPECT_THROW(WriteWholeFile(env, dir / "NOWHERE/X.txt", ""), Error);  // a folder that does not exist
  EXPECT_EQ(written, (std::vector<std::string>{dir / "RIDEVI/L1.txt", dir / "RIDEVI/kishitu.txt",
                                               dir / "OUT/B-1/X1.txt"}));

  EXPECT_EQ(test::Snapshot(dir.path()), before);
  scratch.Forget(dir / "OUT/B-1");
  EXPECT_FALSE(env.Exists(dir / "OUT/B-1/X1.txt"));
}

// Letter case is ignored in single-byte characters only: the second byte
// of a double-byte character may be an ASCII letter ("ア" is 83 41, "ャ"
// 83 61), and two such names are two files.
TEST(RunEnvTest, TheSecondByteOfACharacterKeepsItsCase) {
  test::TempDir dir;
  ScratchFiles scratch(NativePathForm());
  RunEnv env(DefaultEnv(), &scratch, nullptr);
  WriteWholeFile(env, dir / S(u8"ア.txt"), "a");
  WriteWholeFile(env, dir / ("\x83" "a.txt"), "b");
  EXPECT_EQ(env.ReadFile(dir / S(u8"ア.TXT")), "a");
  EXPECT_EQ(env.ReadFile(dir / ("\x83" "a.txt")), "b");
}

}  // namespace
}  // namespace s1ordo
