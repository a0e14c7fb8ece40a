#include "helpers/text.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace s1ordo {
namespace {

using test::S;

TEST(TextTest, CharactersFollowShiftJisLeadBytes) {
  EXPECT_EQ(CharCount(S(u8"あいa")), 3u);
  EXPECT_EQ(CharCount(S(u8"ﾌｫﾙﾀﾞ")), 5u);  // half-width katakana: one byte each
  // A lone lead byte at the end counts as one character.
  EXPECT_EQ(CharCount(std::string("a\x82")), 2u);
  EXPECT_EQ(LeftChars(S(u8"調査名"), 2), S(u8"調査"));
  EXPECT_EQ(RightChars(S(u8"表ソa"), 2), S(u8"ソa"));
  EXPECT_EQ(MidChars(S(u8"C:\\表"), 3, 1), "\\");
}

TEST(TextTest, ByteCuts) {
  EXPECT_EQ(LeftBytes(S(u8"ＡＢＣ"), 4), S(u8"ＡＢ"));
  EXPECT_EQ(LeftBytes("abc", 8), "abc");
  EXPECT_EQ(LeftBytes("ab      ", 8), "ab      ");
  // A cut inside a double-byte character keeps the lone first byte.
  EXPECT_EQ(LeftBytes(S(u8"砂"), 1), S(u8"砂").substr(0, 1));
  EXPECT_EQ(MidBytes("C:\\DATA", 2, 1), ":");
  EXPECT_EQ(MidBytes(S(u8"あC"), 2, 1), S(u8"あ").substr(1, 1));
  EXPECT_EQ(MidBytes("abc", 4, 1), "");
  EXPECT_EQ(MidBytes("abc", 2, 10), "bc");
}

TEST(TextTest, JustifiedFields) {
  EXPECT_EQ(RightJustify("1", 3), "  1");
  EXPECT_EQ(RightJustify("12345", 3), "345");
  EXPECT_EQ(RightJustify(S(u8"粘土"), 3), S(u8" 粘土"));  // widths in characters
  EXPECT_EQ(RightJustifyWith("7", 3, '0'), "007");
  EXPECT_EQ(LeftJustify("ab", 4), "ab  ");
  EXPECT_EQ(LeftJustifyBytes(S(u8"粘土"), 8), S(u8"粘土") + "    ");
  EXPECT_EQ(LeftJustifyBytes(S(u8"砂"), 3), S(u8"砂") + " ");
}

TEST(TextTest, TrimRemovesSpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim(S(u8"　a　")), S(u8"　a　"));  // the full-width space is not a blank
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(TextTest, SubstringsMatchWholeCharacters) {
  // "\" (0x5C) is the second byte of 表 but never a character of its own there.
  EXPECT_FALSE(ContainsChars(S(u8"表"), "\\"));
  EXPECT_TRUE(ContainsChars(S(u8"砂質シルト"), S(u8"シルト")));
  EXPECT_TRUE(ContainsChars("abc", ""));
  EXPECT_FALSE(ContainsChars("", ""));
}

TEST(TextTest, LetterCaseIsIgnoredForSingleByteLettersOnly) {
  EXPECT_TRUE(EqualsIgnoreCase("n1.txt", "N1.TXT"));
  EXPECT_FALSE(EqualsIgnoreCase("n1.txt", "N2.TXT"));
  // ア (0x83 0x41) and ャ (0x83 0x61) differ only in a trail byte that is a letter.
  EXPECT_FALSE(EqualsIgnoreCase(S(u8"ア"), S(u8"ャ")));
  EXPECT_TRUE(StartsWithIgnoreCase("/Data/BH1/", "/data/"));
}

}  // namespace
}  // namespace s1ordo
