#include "helpers/number.h"

#include <gtest/gtest.h>

#include "helpers/error.h"

namespace s1ordo {
namespace {

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
