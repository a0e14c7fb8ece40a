// Tests of the converters of level-coded lists: codes split by level, names
// joined, codes padded and failures naming their file.
#include "converters/level_coded_lists.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;
using Levels = std::array<int16_t, 3>;

TEST(LevelSplitTest, HundredsTensUnitsAndTwoDigitPairs) {
  EXPECT_EQ(HundredsTensUnits(123), (Levels{100, 120, 123}));
  EXPECT_EQ(HundredsTensUnits(105), (Levels{100, 0, 105}));
  EXPECT_EQ(HundredsTensUnits(120), (Levels{100, 120, 0}));
  EXPECT_EQ(HundredsTensUnits(45), (Levels{0, 40, 45}));
  EXPECT_EQ(HundredsTensUnits(7.5), (Levels{0, 0, 8}));  // units: the code rounded
  EXPECT_THROW(HundredsTensUnits(40000), Error);
  EXPECT_EQ(TwoDigitLevels("0102  "), (Levels{1, 2, 0}));
  EXPECT_EQ(TwoDigitLevels(" 1 2 3"), (Levels{1, 2, 3}));
  EXPECT_EQ(TwoDigitLevels(S(u8"砂1") + "0203"), (Levels{0, 2, 3}));  // pairs of characters
}

class LevelCodedListTest : public test::ConverterTest {};

TEST_F(LevelCodedListTest, X11JoinsTheNamesOfAllLevels) {
  List("l10.txt", {S(u8"100,砂"), S(u8"120,礫混り"), S(u8"123,細砂"), "7,X", S(u8"7,貝殻")});
  Source("N11.TXT", {S(u8"1,1.20,123,備考"), "2,12.5,7,", "3,3.00,  105,\"a,b\"", "4,4.00,,"});
  ConvertX11(borehole, code_lists);
  EXPECT_EQ(Target("X11.txt"), Lines({S(u8"  1,   1.20,123,砂礫混り細砂,備考"),
                                      S(u8"  2,   12.5,007,貝殻,"),  // the later 7 wins
                                      S(u8"  3,   3.00,105,砂,a,b"), "  4,   4.00,000,,"}));
}

TEST_F(LevelCodedListTest, X3AndR13WriteCodesPaddedToSixCharacters) {
  List("L4.txt", {S(u8"1,砂"), S(u8"2,質"), S(u8"3,粘土"), S(u8"12,礫")});
  Source("N3.TXT", {"1,0.50,010203,0112", "2,1.00,0102030,", "3,1.50"});  // the last is cut short
  Source("N13.TXT", {"1,2.00,0203", "2,2.50,01"});
  ConvertX3(borehole, code_lists);
  ConvertR13(borehole, code_lists);
  EXPECT_EQ(Target("X3.txt"), Lines({S(u8"  1,   0.50,010203,砂質粘土,0112  ,砂礫,～"),
                                     S(u8"  2,   1.00,010203,砂質粘土,      ,,  "),
                                     S(u8"  3,   1.50,010203,砂質粘土,      ,,  ")}));
  EXPECT_EQ(Target("R13.txt"), Lines({S(u8"  1,   2.00,0203  ,質粘土"), S(u8"  2,   2.50,01    ,砂")}));
}

TEST_F(LevelCodedListTest, FailuresNameTheirFileAndKeepTheLinesWritten) {
  Source("N11.TXT", {"1,1.00,100,", "2,2.00,99999,"});
  try {
    ConvertX11(borehole, code_lists);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), pattern_folder + "l10.txt");
  }
  EXPECT_EQ(Target("X11.txt"), "");
  List("l10.txt", {"100,a"});
  try {
    ConvertX11(borehole, code_lists);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), borehole.File("N11.TXT"));
    EXPECT_EQ(e.line(), 2);
  }
  EXPECT_EQ(Target("X11.txt"), Lines({"  1,   1.00,100,a,"}));
}

}  // namespace
}  // namespace s1ordo
