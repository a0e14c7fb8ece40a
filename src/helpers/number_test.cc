// Tests of the numbers: integers and reals as the source system prints
// them, numbers read from text, rounding, decimals and grid square codes.
#include "helpers/number.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "helpers/error.h"
#include "plain_numbers.h"

namespace s1ordo {
namespace {


// Same bits (so -0 and 0 differ), or both fail.
void ExpectSameReading(const std::string& text) {
  bool plain_fails = false, fast_fails = false;
  double want = 0, got = 0;
  try { want = plain::ReadNumber(text); } catch (const Error&) { plain_fails = true; }
  try { got = ReadNumber(text); } catch (const Error&) { fast_fails = true; }
  ASSERT_EQ(fast_fails, plain_fails) << "\"" << text << "\"";
  EXPECT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(want))
      << "\"" << text << "\": " << got << " against " << want;
}

void ExpectSameTexts(double d) {
  EXPECT_EQ(DoubleText(d), plain::RealText(d, 15, 15)) << std::hexfloat << d;
  EXPECT_EQ(TrimmedDoubleText(d), plain::DropBlank(plain::RealText(d, 15, 15))) << std::hexfloat << d;
}

void ExpectSameTexts(float f) {
  EXPECT_EQ(SingleText(f), plain::RealText(f, 7, 7)) << std::hexfloat << f;
  EXPECT_EQ(TrimmedSingleText(f), plain::DropBlank(plain::RealText(f, 7, 7))) << std::hexfloat << f;
  for (int width : {-1, 0, 3, 7, 10, 20})
    EXPECT_EQ(FormatDecimal2(width, f), plain::FormatDecimal2(width, f)) << std::hexfloat << f << " " << width;
}

// Values around x: its neighbours up to n steps either side.
template <typename T>
std::vector<T> Around(T x, int n) {
  std::vector<T> out{x};
  T up = x, down = x;
  for (int k = 0; k < n; ++k) {
    up = std::nextafter(up, std::numeric_limits<T>::infinity());
    down = std::nextafter(down, -std::numeric_limits<T>::infinity());
    out.push_back(up);
    out.push_back(down);
  }
  return out;
}

TEST(NumberTextTest, IntegersCarryABlankOrAMinus) {
  EXPECT_EQ(IntText(12), " 12");
  EXPECT_EQ(IntText(0), " 0");
  EXPECT_EQ(IntText(-5), "-5");
  EXPECT_EQ(IntText(2147483647), " 2147483647");
  EXPECT_EQ(TrimmedText(-32768), "-32768");
}

TEST(NumberTextTest, RealsHaveNoLeadingZeroAndNoTrailingZeros) {
  EXPECT_EQ(SingleText(0.5f), " .5");
  EXPECT_EQ(SingleText(-0.25f), "-.25");
  EXPECT_EQ(SingleText(12.0f), " 12");
  EXPECT_EQ(SingleText(3.14159f), " 3.14159");
  EXPECT_EQ(DoubleText(1.5), " 1.5");
  EXPECT_EQ(DoubleText(-1234.5), "-1234.5");
  EXPECT_EQ(DoubleText(0.0001), " .0001");
  EXPECT_EQ(TrimmedDoubleText(100), "100");
}

TEST(NumberTextTest, SignificantDigitsPerType) {
  // 0.1 as a 32-bit real is 0.100000001...: seven digits give .1
  EXPECT_EQ(SingleText(0.1f), " .1");
  EXPECT_EQ(SingleText(1.2345678f), " 1.234568");
  EXPECT_EQ(DoubleText(0.1), " .1");
  EXPECT_EQ(DoubleText(1.0 / 3), " .333333333333333");
  EXPECT_EQ(DoubleText(2.675), " 2.675");
}

TEST(NumberTextTest, ExponentFormOutsideTheDecimalRange) {
  EXPECT_EQ(SingleText(9999999.0f), " 9999999");
  EXPECT_EQ(SingleText(10000000.0f), " 1E+07");
  EXPECT_EQ(SingleText(12345678.0f), " 1.234568E+07");
  EXPECT_EQ(SingleText(0.00001f), " 1E-05");
  EXPECT_EQ(DoubleText(999999999999999.0), " 999999999999999");
  EXPECT_EQ(DoubleText(1e15), " 1E+15");
  EXPECT_EQ(DoubleText(-1.5e-5), "-1.5E-05");
  EXPECT_EQ(DoubleText(1e100), " 1E+100");
}

TEST(NumberTextTest, IntegersAtTheEndsOfTheRange) {
  EXPECT_EQ(IntText(LLONG_MAX), " 9223372036854775807");
  EXPECT_EQ(IntText(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(TrimmedText(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(TrimmedText(0), "0");
  EXPECT_EQ(TrimmedText(332), "332");
}

// Exact ties round to the even digit, as printf does.
TEST(NumberTextTest, ExactTiesGoToTheEvenDigit) {
  EXPECT_EQ(SingleText(1234566.5f), " 1234566");
  EXPECT_EQ(SingleText(1234567.5f), " 1234568");
  EXPECT_EQ(SingleText(-1234566.5f), "-1234566");
  EXPECT_EQ(SingleText(0.5f), " .5");
  EXPECT_EQ(DoubleText(100000000000000.5), " 100000000000000");
  EXPECT_EQ(DoubleText(100000000000001.5), " 100000000000002");
  EXPECT_EQ(DoubleText(12345678901234.25), " 12345678901234.2");
  EXPECT_EQ(DoubleText(12345678901234.75), " 12345678901234.8");
  EXPECT_EQ(FormatDecimal2(10, 1234566.5f), "1234566.00");
  // 9999999.5 as a 64-bit real rounds up to the exponent form.
  EXPECT_EQ(DoubleText(999999999999999.5), " 1E+15");
}

// The scientific digits of to_chars, which the texts are built from, against
// printf's, with exact ties among them.
TEST(NumberTextTest, ScientificDigitsAgreeWithPrintf) {
  auto both = [](double v, int precision) {
    char a[64], b[64];
    std::snprintf(a, sizeof a, "%.*e", precision, v);
    *std::to_chars(b, b + sizeof b - 1, v, std::chars_format::scientific, precision).ptr = 0;
    EXPECT_STREQ(b, a) << std::hexfloat << v << " precision " << precision;
  };
  for (double tie : {0.125, 2.5, 3.5, -2.5, 0.375, 1234566.5, 1234567.5, 100000000000000.5, 1e22, 5e-324, 0.0,
                     static_cast<double>(1.1f), 1.7976931348623157e308})
    for (int precision = 0; precision <= 16; ++precision) both(tie, precision);
  std::mt19937_64 bits(7);
  for (int k = 0; k < 20000; ++k) {
    uint64_t b = bits();
    double d = std::bit_cast<double>(b);
    float f = std::bit_cast<float>(static_cast<uint32_t>(b));
    if (std::isfinite(d)) both(d, 14);  // not-a-number texts differ between C libraries
    if (std::isfinite(f)) both(f, 6);
  }
}

TEST(NumberTextTest, RandomBitsGiveThePlainTexts) {
  std::mt19937_64 bits(12345);
  for (int k = 0; k < 40000; ++k) {
    uint64_t b = bits();
    ExpectSameTexts(std::bit_cast<double>(b));
    ExpectSameTexts(std::bit_cast<float>(static_cast<uint32_t>(b)));
  }
}

TEST(NumberTextTest, FieldSizedValuesGiveThePlainTexts) {
  // Depths and codes as the files hold them: few digits, 0 to 4 decimals.
  std::mt19937 gen(99);
  for (int k = 0; k < 40000; ++k) {
    int decimals = static_cast<int>(gen() % 5);
    double v = static_cast<double>(gen() % 2000000) / std::pow(10.0, decimals);
    if (gen() % 4 == 0) v = -v;
    ExpectSameTexts(v);
    ExpectSameTexts(static_cast<float>(v));
  }
}

TEST(NumberTextTest, WhereTheExponentFormStartsGivesThePlainTexts) {
  for (double edge : {1e-4, 9.9999995e-5, 9.99999999999999e-5, 9.999999999999995e-5, 1e-5, 1e7, 9999999.5, 1e15,
                      999999999999999.5, 1e16, 1e100, 1e-100, 1e-10, 1e308, 4.9e-324, 2.2250738585072014e-308}) {
    for (double d : Around(edge, 40)) {
      ExpectSameTexts(d);
      ExpectSameTexts(-d);
    }
  }
  for (float edge : {1e-4f, 9.9999995e-5f, 1e7f, 9999999.0f, 10000001.0f, 1e-5f, 1e15f, 3.4028235e38f, 1e-45f}) {
    for (float f : Around(edge, 40)) {
      ExpectSameTexts(f);
      ExpectSameTexts(-f);
    }
  }
  for (double special : {0.0, -0.0, HUGE_VAL, -HUGE_VAL, std::nan("")}) ExpectSameTexts(special);
  for (float special : {0.0f, -0.0f, HUGE_VALF, -HUGE_VALF, std::nanf("")}) ExpectSameTexts(special);
}

// Values whose digits sit exactly halfway between two roundings: I + r / 2^(t+1)
// with r odd has t+1 decimals, the last a 5; with I of digits - t digits that
// is one digit more than the text keeps.
TEST(NumberTextTest, HalfwayValuesGiveThePlainTexts) {
  std::mt19937_64 gen(31);
  for (int k = 0; k < 20000; ++k) {
    int digits = k % 2 == 0 ? 15 : 7;
    int t = static_cast<int>(gen() % static_cast<unsigned>(digits));
    double low = std::pow(10.0, digits - t - 1);
    double whole = std::floor(low + static_cast<double>(gen() % static_cast<uint64_t>(9 * low)));
    if (t == digits - 1 && gen() % 2 == 0) whole = 0;  // a pure fraction
    double bits = std::ldexp(1.0, t + 1);
    double value = whole + static_cast<double>((gen() % static_cast<uint64_t>(bits)) | 1) / bits;
    if (gen() % 2 == 0) value = -value;
    if (digits == 15) {
      ExpectSameTexts(value);
    } else if (static_cast<double>(static_cast<float>(value)) == value) {
      ExpectSameTexts(static_cast<float>(value));
    }
    if (HasFailure()) return;
  }
}

// All binary exponents from far below 1E-4 to far beyond 1E15, and the values
// next to 999999950...0 and 9999999999999995...0 (those that round up to the next
// power of ten) at every decimal exponent.
TEST(NumberTextTest, EveryScaleGivesThePlainTexts) {
  std::mt19937_64 gen(77);
  for (int k = 0; k < 60000; ++k) {
    int shift = static_cast<int>(gen() % 200) - 140;
    ExpectSameTexts(std::ldexp(static_cast<double>(gen() >> 11), shift - 52));
    ExpectSameTexts(std::ldexp(static_cast<float>(gen() >> 40), shift - 23));
    if (HasFailure()) return;
  }
  for (int e = -30; e <= 30; ++e) {
    char text[3][32];
    std::snprintf(text[0], sizeof text[0], "9.999999999999995e%d", e);
    std::snprintf(text[1], sizeof text[1], "9.9999995e%d", e);
    std::snprintf(text[2], sizeof text[2], "1e%d", e);
    for (const char* t : text) {
      for (double d : Around(std::strtod(t, nullptr), 20)) ExpectSameTexts(d);
      for (float f : Around(std::strtof(t, nullptr), 20)) ExpectSameTexts(f);
    }
  }
}

TEST(ReadNumberTest, TakesTheLeadingNumber) {
  EXPECT_EQ(ReadNumber("12"), 12);
  EXPECT_EQ(ReadNumber("  1 2 3"), 123);  // blanks skipped anywhere
  EXPECT_EQ(ReadNumber("1.5.3"), 1.5);    // a second point ends it
  EXPECT_EQ(ReadNumber("25abc"), 25);
  EXPECT_EQ(ReadNumber("1,2"), 1);
  EXPECT_EQ(ReadNumber("-.25"), -0.25);
  EXPECT_EQ(ReadNumber("+7"), 7);
  EXPECT_EQ(ReadNumber("1E3"), 1000);
  EXPECT_EQ(ReadNumber("1D2"), 100);
  EXPECT_EQ(ReadNumber("1E"), 1);
  EXPECT_EQ(ReadNumber("02"), 2);
  EXPECT_EQ(ReadNumber("&H10"), 16);
  EXPECT_EQ(ReadNumber("&HFFFF"), -1);
  EXPECT_EQ(ReadNumber("&O17"), 15);
}

// The same grammar, every character used: blanks only around the number.
TEST(ReadNumberTest, IsNumberTextWantsTheWholeTextToBeANumber) {
  for (const char* number : {"12", " -.25 ", "+7", "5.", "1E3", "1d-2", "&H1f", "&o17", "&HFFFFFFFFFFFFFFFFFF"})
    EXPECT_TRUE(IsNumberText(number)) << number;
  for (const char* other : {"", " ", "abc", "1 2", "- 5", "25abc", "1.5.3", "1E", "1E+", ".", "-", "&H", "&O8",
                            "&HG", "\t1", "1,2"})
    EXPECT_FALSE(IsNumberText(other)) << other;
}

TEST(ReadNumberTest, NoDigitsReadsAsZero) {
  EXPECT_EQ(ReadNumber(""), 0);
  EXPECT_EQ(ReadNumber("abc"), 0);
  EXPECT_EQ(ReadNumber("-"), 0);
  EXPECT_EQ(ReadNumber("."), 0);
}

TEST(ReadNumberTest, ANumberTooLargeFailsCleanly) {
  EXPECT_THROW(ReadNumber("1E999"), Error);
  EXPECT_EQ(ReadNumber("1E308"), 1e308);
}

TEST(ReadNumberTest, SignOfZeroIsKept) {
  EXPECT_TRUE(std::signbit(ReadNumber("-0")));
  EXPECT_TRUE(std::signbit(ReadNumber(" - 0.000")));
  EXPECT_FALSE(std::signbit(ReadNumber("0")));
  EXPECT_FALSE(std::signbit(ReadNumber("+0.0")));
  EXPECT_FALSE(std::signbit(ReadNumber("-")));  // no digits: plain 0
}

TEST(ReadNumberTest, EdgeCasesReadAsThePlainReading) {
  const char* texts[] = {
      "", ".", "-", "+", "-.", "1.", ".5", "-0", "+0", "00012", "0.50", "82.85", "332", "051411", " 1 2 . 5 ",
      "\t-\n3.25", "1.5.3", "12,5", "1 E 3", "1E", "1E+", "1e-", "2D2", "2d-2", "5e", ".e5", "-.e5", "1..2",
      "123456789012345", "1234567890123456", "12345678901234567", "1234567890123456789",
      "12345678901234567890", "0.123456789012345", "0.1234567890123456", "-9.87654321098765",
      "9007199254740992", "9007199254740993", "9007199254740991", "900719925474099.3", "9007199254740.993",
      "90071992547409921", "0.9007199254740993", "00000000000000000000009007199254740993",
      "0.0000000000000000000001", "0.00000000000000000000001", "1.0000000000000000000000",
      "1.00000000000000000000000", "123.4567890123456789012", "123.45678901234567890123",
      "0.3", "0.1", "0.7", "2.675", "1.0000000000000002", "4.35", "1E22", "1E23", "1E308", "1E309", "1E999",
      "-1E999", "1E-400", "0E999999", "179769313486231570000000000000000000000000000000000000000000000000000000"
      "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
      "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
      "00000000000000000000000000000000000000000000000000000000000000000000",
      "&", "-&H10", "+&O17", "abc", "1,2", "9999999999999999999", "18446744073709551616"};
  for (const char* t : texts) ExpectSameReading(t);
  std::string long_zeros = "0." + std::string(400, '0') + "1";
  ExpectSameReading(long_zeros);
  ExpectSameReading("1" + std::string(400, '0'));  // too large: both fail
  ExpectSameReading(std::string(400, '0') + "1.5");
}

// Texts of 1 to 20 digits after up to 5 leading zeros, up to 25 of them
// behind the point, with a sign, blanks, tabs and line feeds among them, and
// sometimes an exponent or another character after them.
TEST(ReadNumberTest, RandomDecimalTextsReadAsThePlainReading) {
  std::mt19937 gen(2024);
  auto pick = [&gen](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
  const char* tails[] = {"", "", "", ",", "abc", ".7", "E5", "e-12", "D+3", "E", "E+", " 1", "E400", "-3"};
  const char blanks[] = {' ', '\t', '\n'};
  for (int k = 0; k < 200000; ++k) {
    std::string t;
    if (pick(8) == 0) t += blanks[pick(3)];
    int sign = pick(4);
    if (sign == 1) t += '-';
    if (sign == 2) t += '+';
    int digits = 1 + pick(20);
    int zeros = pick(4) == 0 ? pick(6) : 0;
    std::string body(static_cast<size_t>(zeros), '0');
    int leading = pick(3);  // small leading digits, often a 0 or 1
    for (int d = 0; d < digits; ++d) body += static_cast<char>('0' + (d == 0 && leading == 0 ? pick(2) : pick(10)));
    if (pick(6) == 0) {  // trailing zeros
      size_t n = static_cast<size_t>(std::min(digits, 1 + pick(8)));
      body.replace(body.size() - n, n, n, '0');
    }
    // Up to 25 decimals, so that the limit of 22 is crossed; sometimes all
    // digits behind the point (".nnn").
    size_t decimals = std::min(static_cast<size_t>(pick(26)), body.size());
    if (pick(3) == 0) decimals = body.size();
    size_t point = body.size() - decimals;
    if (decimals > 0 || pick(5) == 0) body.insert(body.begin() + static_cast<std::ptrdiff_t>(point), '.');
    for (char c : body) {
      t += c;
      if (pick(25) == 0) t += blanks[pick(3)];
    }
    t += tails[pick(static_cast<int>(std::size(tails)))];
    ExpectSameReading(t);
    if (HasFailure()) return;
  }
}

TEST(RoundToInt16Test, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
  EXPECT_EQ(RoundToInt16(2.6), 3);
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
}

TEST(RoundToInt16Test, OutsideSixteenBitsIsAFailure) {
  EXPECT_THROW(RoundToInt16(32767.5), Error);
  EXPECT_THROW(RoundToInt16(40000), Error);
  EXPECT_THROW(RoundToInt16(-32768.6), Error);
  EXPECT_THROW(RoundToInt16(1e300), Error);
  try {
    RoundToInt16(70000);
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(e.cause().find("70000"), std::string::npos);
  }
}

TEST(FormatDecimal2Test, TwoDecimalsCutAndRightJustified) {
  EXPECT_EQ(FormatDecimal2(7, 12), "  12.00");
  EXPECT_EQ(FormatDecimal2(7, 0.5f), "   0.50");
  EXPECT_EQ(FormatDecimal2(7, -0.25f), "  -0.25");
  EXPECT_EQ(FormatDecimal2(7, -12.5f), " -12.50");
  EXPECT_EQ(FormatDecimal2(7, 0), "   0.00");
  EXPECT_EQ(FormatDecimal2(7, 3.14159f), "   3.14");
  EXPECT_EQ(FormatDecimal2(7, 2.999f), "   2.99");
  EXPECT_EQ(FormatDecimal2(7, 0.999f), "   0.99");
  EXPECT_EQ(FormatDecimal2(7, 3.456f), "   3.45");
}

TEST(FormatDecimal2Test, NarrowWidthsCutTheLeftmostCharacters) {
  EXPECT_EQ(FormatDecimal2(3, 1.5f), ".50");
  EXPECT_EQ(FormatDecimal2(7, 1234567), "4567.00");
  EXPECT_EQ(FormatDecimal2(0, 1.5f), "");
  // Values in exponent form do not fail.
  EXPECT_EQ(FormatDecimal2(7, 1e-5f).size(), 7u);
}

TEST(GridSquareCodeTest, ThirdLevelSquare) {
  EXPECT_EQ(GridSquareCode(35, 30, 0, 139, 45, 0), "53392600");
  // A point on a square's southern and western edge belongs to that square.
  EXPECT_EQ(GridSquareCode(36, 0, 0, 140, 0, 0), "54400000");
  EXPECT_EQ(GridSquareCode(35, 40, 58, 139, 46, 10), "53394611");
}

TEST(GridSquareCodeTest, UnknownPositionGivesEightBlanks) {
  EXPECT_EQ(GridSquareCode(0, 0, 0, 0, 0, 0), "        ");
  EXPECT_EQ(GridSquareCode(0, 0, 0, 139, 45, 0), "        ");
  EXPECT_EQ(GridSquareCode(35, 30, 0, 0, 0, 0), "        ");
}

}  // namespace
}  // namespace s1ordo
