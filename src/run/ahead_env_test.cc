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

  AheadWork work = env.TakeWork();
  ASSERT_TRUE(WriteAhead(*disk, work));
  EXPECT_EQ(disk->ReadFile("/out/A.TXT"), "rewritten");
  EXPECT_EQ(disk->ReadFile("/out/B.TXT"), "b+");
}

}  // namespace
}  // namespace s1ordo
