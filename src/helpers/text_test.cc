// Tests of the code page 932 text operations: characters by lead byte, cuts
// by bytes and characters, justified fields, trimming and searching.
#include "helpers/text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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
  EXPECT_EQ(RightChars("abc", 0), "");  // once read before the text's first character
  EXPECT_EQ(RightJustify("abc", 0), "");
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

TEST(TextTest, ALoneLeadByteAtTheEndTakesTheFirstPaddingBlank) {
  // "a" + lead byte + 2 blanks: the lead byte and a blank are one character.
  EXPECT_EQ(LeftJustify(std::string("a\x82"), 3), std::string("a\x82  "));
  EXPECT_EQ(LeftJustify(std::string("\x82"), 1), std::string("\x82 "));
  EXPECT_EQ(LeftJustify(std::string("a\x82"), 1), "a");
  EXPECT_EQ(LeftJustify("", 2), "  ");
  EXPECT_EQ(LeftJustify(S(u8"粘土砂"), 2), S(u8"粘土"));
  for (std::string text : {std::string("a\x82"), S(u8"粘土砂"), std::string("abcdefgh")}) {
    const std::string expected = LeftJustify(text, 3);
    LeftJustifyInPlace(text, 3);
    EXPECT_EQ(text, expected);
  }
  EXPECT_EQ(LeftJustifyBytes("abcdef", 4), "abcd");
  EXPECT_EQ(LeftJustifyBytes("abc", 0), "");
  EXPECT_EQ(RightJustifyWith(S(u8"粘土"), 1, '0'), S(u8"土"));
  EXPECT_EQ(RightJustifyWith(std::string("\x82"), 3, '0'), std::string("00\x82"));
}

// The justified fields as their definitions build them (the text and w
// blanks, then a cut by characters or bytes), on random texts of single
// bytes, double-byte characters and lone lead bytes.
TEST(TextTest, JustifiedFieldsFollowTheirDefinitions) {
  std::mt19937 gen(5);
  const std::string pieces[] = {"a", "1", " ", S(u8"粘"), S(u8"ｶ"), "\x82", "\xE0", "\x9F\x40"};
  for (int k = 0; k < 20000; ++k) {
    std::string text;
    for (size_t n = gen() % 8; n > 0; --n) text += pieces[gen() % std::size(pieces)];
    size_t w = gen() % 12;
    std::string blanks(w, ' ');
    EXPECT_EQ(LeftJustify(text, w), LeftChars(text + blanks, w)) << text << " " << w;
    EXPECT_EQ(LeftJustifyBytes(text, w), LeftBytes(text + blanks, static_cast<long>(w))) << text << " " << w;
    EXPECT_EQ(RightJustify(text, w), RightChars(blanks + text, w)) << text << " " << w;
    EXPECT_EQ(RightJustifyWith(text, w, '0'), RightChars(std::string(w, '0') + text, w)) << text << " " << w;
    if (HasFailure()) return;
  }
}

// MidChars as a cut at the character starts, on the same kind of texts.
TEST(TextTest, MiddleCutsFollowTheCharacterStarts) {
  std::mt19937 gen(7);
  const std::string pieces[] = {"a", " ", S(u8"粘"), S(u8"ｶ"), "\x82", "\x9F\x40"};
  for (int k = 0; k < 20000; ++k) {
    std::string text;
    for (size_t n = gen() % 8; n > 0; --n) text += pieces[gen() % std::size(pieces)];
    size_t start = gen() % 10, n = gen() % 10;
    std::vector<size_t> starts = CharStarts(text);
    std::string expected;
    if (start >= 1 && start <= starts.size()) {
      size_t end = start - 1 + n >= starts.size() ? text.size() : starts[start - 1 + n];
      expected = text.substr(starts[start - 1], end - starts[start - 1]);
    }
    ASSERT_EQ(MidChars(text, start, n), expected) << text << " " << start << " " << n;
  }
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

TEST(TextTest, SearchSkipsMatchesInsideACharacterAndFindsTheNextOne) {
  // 0x81 0x41 is one character; the "A" bytes after it stand alone.
  const std::string text = "\x81" "AAA";
  EXPECT_EQ(FindChars(text, "A"), 2u);
  EXPECT_EQ(FindChars(text, "AA"), 2u);  // overlaps the match at byte 1
  EXPECT_EQ(FindChars(text, "AAA"), std::string::npos);
  EXPECT_EQ(FindChars("abcabc", "abc", 1), 3u);
  EXPECT_EQ(FindChars("abc", "", 1), 1u);
  EXPECT_EQ(FindChars("abc", "c", 9), std::string::npos);
  // Long repetitive texts, as a hostile list may hold.
  const std::string many(200000, 'a');
  EXPECT_EQ(FindChars(many + "b", std::string(100000, 'a') + "b"), 100000u);
  EXPECT_FALSE(ContainsChars(many, std::string(100000, 'a') + "b"));
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
