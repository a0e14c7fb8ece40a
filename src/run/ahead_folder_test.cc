// The hidden folder of work done ahead: boreholes written there and put in
// place, its empty folders used again, nothing of it left at the end.
#include "run/ahead_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "helpers/platform.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
TEST(AheadFolderTest, BoreholesHeldThereArePutInPlaceAndNothingOfItStays) {
  test::TempDir dir;
  Env& env = DefaultEnv();
  test::WriteBytes(dir / "DIZIVAD/B1/N12.TXT", "n12");
  for (const char* b : {"B1", "B2"}) fs::create_directories(fs::path(dir / ("out/" + std::string(b))));
  {
    auto folder = AheadFolder::Make(env, dir / "out/");
    ASSERT_TRUE(folder);
    // A copy of the source, a file written, a copy of that one.
    auto files = [&] {
      return std::vector<Env::NewFile>{{"N12.TXT", dir / "DIZIVAD/B1/N12.TXT", true, "n12", ""},
                                       {"N12.tmp", "", false, "converted", ""},
                                       {"X12.TXT", "N12.tmp", true, "converted", ""}};
    };
    std::vector<Env::NewFile> first = files(), second = files();
    const std::string held = folder->Hold(env, first);
    ASSERT_FALSE(held.empty());
    ASSERT_TRUE(env.ReplaceEmptyFolder(held, dir / "out/B1"));
    folder->Reuse(held);
    EXPECT_EQ(test::ReadBytes(dir / "out/B1/X12.TXT"), "converted");
    EXPECT_EQ(test::Snapshot(dir / "out/B1").size(), 3u);

    EXPECT_EQ(folder->Hold(env, second), held);  // the empty folder that came back
    folder->Drop(env, held);
  }
  // The hidden folder is gone; B2, which nothing took, is as it was.
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(fs::path(dir / "out"))) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"B1", "B2"}));
  EXPECT_TRUE(fs::is_empty(fs::path(dir / "out/B2")));
}
#endif

}  // namespace
}  // namespace s1ordo
