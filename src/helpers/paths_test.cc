// Tests of the path checks and path texts in both path forms: drives, roots,
// rejected paths, fields and folders inside folders.
#include "helpers/paths.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace s1ordo {
namespace {

using test::S;

// IsValidPath with drives C, D and E usable, recording messages.
struct Checker {
  std::vector<std::string> messages;
  bool operator()(std::string& path, PathForm form = PathForm::kWindows) {
    return IsValidPath(
        path, form, [](char letter) { return letter == 'C' || letter == 'D' || letter == 'E' || letter == 'c'; },
        [this](const std::string& m) { messages.push_back(m); });
  }
};

TEST(IsValidPathWindowsTest, MalformedDriveShowsTheDriveMessage) {
  for (std::string path : {std::string(""), std::string("C"), std::string("   "), S(u8"あ:\\DATA"),
                           std::string("\\DATA")}) {
    Checker check;
    EXPECT_FALSE(check(path)) << path;
    ASSERT_EQ(check.messages.size(), 1u);
    EXPECT_EQ(check.messages[0], DriveMessage());
  }
}

TEST(IsValidPathWindowsTest, NormalisesToATrailingSeparator) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {" C:\\DATA ", "C:\\DATA\\"}, {"C:DATA", "C:\\DATA\\"}, {"C:", "C:\\"}, {"C:\\", "C:\\"},
      {S(u8"C:\\A B\\ｆｏｌｄｅｒ.x"), S(u8"C:\\A B\\ｆｏｌｄｅｒ.x\\")},
      {S(u8"C:\\調査\\表"), S(u8"C:\\調査\\表\\")},  // 表 ends in byte 0x5C but is no separator
  };
  for (auto& c : cases) {
    Checker check;
    std::string path = c.in;
    EXPECT_TRUE(check(path)) << c.in;
    EXPECT_EQ(path, c.out);
    EXPECT_TRUE(check.messages.empty());
  }
}

TEST(IsValidPathWindowsTest, RejectsSilently) {
  for (std::string path : {"C:\\DA*TA", "C:\\DATA?", "C:\\A\\\\B", "C:\\A\\\\"}) {
    Checker check;
    EXPECT_FALSE(check(path)) << path;
    EXPECT_TRUE(check.messages.empty());
  }
  Checker check;
  std::string path = "Q:DATA";  // no such drive: left half normalised
  EXPECT_FALSE(check(path));
  EXPECT_EQ(path, "Q:\\DATA");
  EXPECT_TRUE(check.messages.empty());
}

TEST(IsValidPathPosixTest, RootPlaysTheDrive) {
  Checker check;
  std::string path = "  /data/DIZIVAD ";
  EXPECT_TRUE(check(path, PathForm::kPosix));
  EXPECT_EQ(path, "/data/DIZIVAD/");
  path = "/";
  EXPECT_TRUE(check(path, PathForm::kPosix));
  EXPECT_EQ(path, "/");
  path = "/data/";
  EXPECT_TRUE(check(path, PathForm::kPosix));
  EXPECT_EQ(path, "/data/");
  EXPECT_TRUE(check.messages.empty());
}

TEST(IsValidPathPosixTest, Rejections) {
  Checker check;
  std::string path = "data/x";
  EXPECT_FALSE(check(path, PathForm::kPosix));
  EXPECT_EQ(check.messages.size(), 1u);  // a relative path has no drive
  path = "";
  EXPECT_FALSE(check(path, PathForm::kPosix));
  EXPECT_EQ(check.messages.size(), 2u);
  for (std::string bad : {"/a/*", "/a?/b", "/a//b", "//"}) {
    EXPECT_FALSE(check(bad, PathForm::kPosix)) << bad;
  }
  EXPECT_EQ(check.messages.size(), 2u);
}

TEST(SplitFieldsTest, PiecesIncludeEmptyOnes) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitFields("C:\\A\\B", "\\"), (V{"C:", "A", "B"}));
  EXPECT_EQ(SplitFields("\\A\\", "\\"), (V{"", "A", ""}));
  EXPECT_EQ(SplitFields("A\\\\B", "\\"), (V{"A", "", "B"}));
  EXPECT_EQ(SplitFields("", "\\"), (V{""}));
  EXPECT_EQ(SplitFields("abc", "\\"), (V{"abc"}));
  EXPECT_EQ(SplitFields("a,b;c", ",;"), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitFields("/home/u/WORK/BH1", "/"), (V{"", "home", "u", "WORK", "BH1"}));
}

TEST(SplitFieldsTest, CountMatchesPieces) {
  EXPECT_EQ(CountDelimiters("", "\\"), 0);
  EXPECT_EQ(CountDelimiters("abc", "\\"), 0);
  EXPECT_EQ(CountDelimiters("a,b;c", ",;"), 2);
  EXPECT_EQ(CountDelimiters("a,b", ",,"), 2);  // a doubled delimiter counts twice
  // Full-width characters whose second byte is 0x5C are never cut or counted.
  std::string text = S(u8"D:\\表示\\ソフト");
  EXPECT_EQ(CountDelimiters(text, "\\"), 2);
  EXPECT_EQ(SplitFields(text, "\\"), (std::vector<std::string>{"D:", S(u8"表示"), S(u8"ソフト")}));
}

TEST(IsSameOrInsideTest, ComparesAsTheFileSystemWalksThePaths) {
  const PathForm w = PathForm::kWindows, p = PathForm::kPosix;
  EXPECT_TRUE(IsSameOrInside("d:/Data//DIZIVAD/.\\X\\..\\B-1\\", "D:\\DATA\\DIZIVAD", w));
  EXPECT_FALSE(IsSameOrInside("D:\\DATA\\DIZIVAD2", "D:\\DATA\\DIZIVAD\\", w));
  EXPECT_FALSE(IsSameOrInside(S(u8"D:\\表示"), S(u8"D:\\表"), w));  // the second byte of 表 is 0x5C
  EXPECT_TRUE(IsSameOrInside("//home///U/y/", "/home/u/./x/../y", p));
  EXPECT_FALSE(IsSameOrInside("/home/u\\x", "/home/u/", p));  // "\\" is part of a POSIX name
}

}  // namespace
}  // namespace s1ordo
