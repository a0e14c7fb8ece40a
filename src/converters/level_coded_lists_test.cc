#include "converters/level_coded_lists.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

using Levels = std::array<int16_t, 3>;

TEST(LevelSplitTest, HundredsTensUnits) {
  EXPECT_EQ(HundredsTensUnits(123), (Levels{100, 120, 123}));
  EXPECT_EQ(HundredsTensUnits(105), (Levels{100, 0, 105}));
  EXPECT_EQ(HundredsTensUnits(120), (Levels{100, 120, 0}));
  EXPECT_EQ(HundredsTensUnits(45), (Levels{0, 40, 45}));
  EXPECT_EQ(HundredsTensUnits(7), (Levels{0, 0, 7}));
  EXPECT_EQ(HundredsTensUnits(0), (Levels{0, 0, 0}));
  // The units level is the code rounded (halves to even).
  EXPECT_EQ(HundredsTensUnits(7.5), (Levels{0, 0, 8}));
  EXPECT_THROW(HundredsTensUnits(40000), Error);
}

TEST(LevelSplitTest, TwoDigitPairs) {
  EXPECT_EQ(TwoDigitLevels("010203"), (Levels{1, 2, 3}));
  EXPECT_EQ(TwoDigitLevels("0102  "), (Levels{1, 2, 0}));
  EXPECT_EQ(TwoDigitLevels("      "), (Levels{0, 0, 0}));
  EXPECT_EQ(TwoDigitLevels(" 1 2 3"), (Levels{1, 2, 3}));
  // Pairs are counted in characters: a full-width character is one.
  EXPECT_EQ(TwoDigitLevels(S(u8"砂1") + "0203"), (Levels{0, 2, 3}));
}

class LevelCodedListTest : public test::ConverterTest {};

TEST_F(LevelCodedListTest, X11JoinsTheNamesOfAllLevels) {
  List("l10.txt", {S(u8"100,砂"), S(u8"120,礫混り"), S(u8"123,細砂"), "7,X", S(u8"7,貝殻")});
  Source("N11.TXT", {S(u8"1,1.20,123,備考"), "2,12.5,7,", "3,3.00,  105,\"a,b\"", "4,4.00,,"});
  ConvertX11(ctx);
  EXPECT_EQ(Target("X11.txt"), Lines({S(u8"  1,   1.20,123,砂礫混り細砂,備考"),
                                      S(u8"  2,   12.5,007,貝殻,"),  // the later 7 wins
                                      S(u8"  3,   3.00,105,砂,a,b"),  // 105 is not in the list
                                      "  4,   4.00,000,,"}));
}

TEST_F(LevelCodedListTest, X3WritesBothCodesPaddedToSixCharacters) {
  List("L4.txt", {S(u8"1,砂"), S(u8"2,質"), S(u8"3,粘土"), S(u8"12,礫")});
  Source("N3.TXT", {"1,0.50,010203,0112", "2,1.00,0102030,", "3,1.50,03, "});
  ConvertX3(ctx);
  EXPECT_EQ(Target("X3.txt"),
            Lines({S(u8"  1,   0.50,010203,砂質粘土,0112  ,砂礫,～"),
                   S(u8"  2,   1.00,010203,砂質粘土,      ,,  "),  // a seventh character is cut
                   S(u8"  3,   1.50,03    ,粘土,      ,,  ")}));
}

TEST_F(LevelCodedListTest, R13HasOneCode) {
  List("L4.txt", {S(u8"1,砂"), S(u8"2,質"), S(u8"3,粘土")});
  Source("N13.TXT", {"1,2.00,0203", "2,2.50,01"});
  ConvertR13(ctx);
  EXPECT_EQ(Target("R13.txt"), Lines({S(u8"  1,   2.00,0203  ,質粘土"), S(u8"  2,   2.50,01    ,砂")}));
  // The second code of the record is blank, whatever an earlier read left.
  EXPECT_EQ(ctx.table.RecordFields[4], "      ");
}

TEST_F(LevelCodedListTest, LastRecordCutShortRepeatsTheFieldsBefore) {
  List("L4.txt", {S(u8"1,砂")});
  Source("N3.TXT", {"1,0.50,01,01", "2,0.80"});
  ConvertX3(ctx);
  EXPECT_EQ(Target("X3.txt"), Lines({S(u8"  1,   0.50,01    ,砂,01    ,砂,～"),
                                     S(u8"  2,   0.80,01    ,砂,01    ,砂,～")}));
}

TEST_F(LevelCodedListTest, MissingListFailsAfterTheTargetIsCreated) {
  Source("N11.TXT", {"1,1.00,100,"});
  try {
    ConvertX11(ctx);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ctx.RideviFolder + "l10.txt");
  }
  EXPECT_EQ(Target("X11.txt"), "");
}

TEST_F(LevelCodedListTest, CodeBeyond16BitsFailsNamingTheSource) {
  List("l10.txt", {"100,a"});
  Source("N11.TXT", {"1,1.00,100,", "2,2.00,99999,"});
  try {
    ConvertX11(ctx);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ctx.InBorehole("N11.TXT"));
    EXPECT_EQ(e.line(), 2);
  }
  EXPECT_EQ(Target("X11.txt"), Lines({"  1,   1.00,100,a,"}));
}

TEST_F(LevelCodedListTest, SourcesWithoutDataWriteNothing) {
  Source("N3.TXT", {});  // an empty file is deleted
  ConvertX3(ctx);
  ConvertR13(ctx);
  EXPECT_FALSE(Has("N3.TXT"));
  EXPECT_FALSE(Has("X3.txt"));
  EXPECT_FALSE(Has("R13.txt"));
  EXPECT_FALSE(Has("N13.TXT"));
}

}  // namespace
}  // namespace s1ordo
