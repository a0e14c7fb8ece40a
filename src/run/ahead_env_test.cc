// Work done ahead: what it reads while its files are held in memory, and
// what it leaves once written into place.
#include "run/ahead_env.h"

#include <gtest/gtest.h>

#include "helpers/memory_env.h"

namespace s1ordo {
namespace {

// A source file read again after its copy reads as the copy held in
// memory, but never once the copy has been written over or appended to:
// then the source itself is read.
TEST(AheadEnvTest, ASourceReadAgainGivesItsBytesWhateverBecameOfTheCopy) {
  auto disk = NewMemoryEnv();
  disk->CreateFolder("/src");
  disk->CreateFolder("/out");
  WriteWholeFile(*disk, "/src/A.TXT", "a");
  WriteWholeFile(*disk, "/src/B.TXT", "b");
  AheadEnv env(*disk);
  env.Begin("/out/");
  env.CopyFile("/src/A.TXT", "/out/A.TXT");
  env.CopyFile("/src/B.TXT", "/out/B.TXT");
  // Changed meanwhile: the copies are what the work holds.
  WriteWholeFile(*disk, "/src/A.TXT", "A on disk");
  WriteWholeFile(*disk, "/src/B.TXT", "B on disk");
  EXPECT_EQ(env.ReadFile("/src/A.TXT"), "a");
  EXPECT_EQ(env.ReadFile("/src/B.TXT"), "b");
  WriteWholeFile(env, "/out/A.TXT", "rewritten");
  env.NewAppendableFile("/out/B.TXT")->Append("+");
  EXPECT_EQ(env.ReadFile("/src/A.TXT"), "A on disk");
  EXPECT_EQ(env.ReadFile("/src/B.TXT"), "B on disk");

  AheadFiles work = env.TakeFiles();
  ASSERT_TRUE(WriteAhead(*disk, work));
  EXPECT_EQ(disk->ReadFile("/out/A.TXT"), "rewritten");
  EXPECT_EQ(disk->ReadFile("/out/B.TXT"), "b+");
}

// The files of an unchanging folder are read once; those of its
// sub-folders and of any other folder, and files that were missing, are
// looked at anew each time.
TEST(AheadEnvTest, OnlyTheFilesOfUnchangingFoldersAreReadOnce) {
  auto disk = NewMemoryEnv();
  for (const char* folder : {"/pat", "/pat/sub", "/src"}) disk->CreateFolder(folder);
  for (const char* file : {"/pat/L1.txt", "/pat/sub/L2.txt", "/src/N1.TXT"}) WriteWholeFile(*disk, file, "old");
  AheadEnv env(*disk, {"/PAT/"});
  env.Begin("/out/");
  for (const char* file : {"/pat/l1.txt", "/pat/sub/L2.txt", "/src/N1.TXT"}) EXPECT_EQ(env.ReadFile(file), "old");
  EXPECT_FALSE(env.Exists("/pat/L3.txt"));
  for (const char* file : {"/pat/L1.txt", "/pat/sub/L2.txt", "/src/N1.TXT", "/pat/L3.txt"})
    WriteWholeFile(*disk, file, "new!");
  EXPECT_EQ(env.ReadFile("/pat/L1.txt"), "old");
  EXPECT_EQ(env.FileSize("/pat/L1.txt"), 3);
  EXPECT_EQ(env.ReadFile("/pat/sub/L2.txt"), "new!");
  EXPECT_EQ(env.ReadFile("/src/N1.TXT"), "new!");
  EXPECT_EQ(env.FileSize("/pat/L3.txt"), 4);
}

}  // namespace
}  // namespace s1ordo
