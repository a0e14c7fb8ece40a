// Tests of the check that a file's bytes are code page 932 text.
#include "helpers/encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace s1ordo {
namespace {

TEST(EncodingTest, TheFirstLineThatIsNotCodePage932IsNamed) {
  const std::string sjis = Sjis(u8"砂質シルト");
  EXPECT_EQ(FirstLineNotCodePage932(""), 0);
  EXPECT_EQ(FirstLineNotCodePage932("1,2\r\n" + sjis + "\r\n\xB1\xB2\r\n"), 0);
  // A lead byte without its second byte, at each kind of line end.
  EXPECT_EQ(FirstLineNotCodePage932("a\r\nb\r\n" + sjis + "\x82\r\nc"), 3);
  EXPECT_EQ(FirstLineNotCodePage932("a\rb\n\x82"), 3);
  EXPECT_EQ(FirstLineNotCodePage932("a\n\x82\x20\n"), 2);  // 0x20 completes no character
  // UTF-8 that also reads as code page 932: its first line beyond ASCII.
  const std::u8string utf8 = u8"depth\r\n1,2\r\nシルト\r\n";
  EXPECT_EQ(FirstLineNotCodePage932(std::string(utf8.begin(), utf8.end())), 3);
}

// The check answers as the platform's own conversion does, for every kind
// of byte in every position.
TEST(EncodingTest, TheCheckAgreesWithTheConversion) {
  std::mt19937 random(932);
  std::uniform_int_distribution<int> length(1, 6), byte(0x20, 0xFF);
  int valid = 0, invalid = 0;
  for (int k = 0; k < 20000; ++k) {
    // Half-width katakana first: never UTF-8, so only the conversion decides.
    std::string text = "\xB1";
    for (int n = length(random); n > 0; --n) text += static_cast<char>(byte(random));
    const bool converts = TryCp932ToUtf8(text).has_value();
    ASSERT_EQ(FirstLineNotCodePage932(text) == 0, converts) << ::testing::PrintToString(text);
    ++(converts ? valid : invalid);
  }
  EXPECT_GT(valid, 1000);
  EXPECT_GT(invalid, 1000);
}

}  // namespace
}  // namespace s1ordo
