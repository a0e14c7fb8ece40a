#include "converters/numeric_records.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

TEST(NValueTest, ScalesTheBlowCountTo30Centimetres) {
  EXPECT_EQ(NValue(50, 20), 75);
  EXPECT_EQ(NValue(10, 15), 20);
  EXPECT_EQ(NValue(10, 30), 10);
  EXPECT_EQ(NValue(10, 7), 42);  // 42.857... cut
  EXPECT_EQ(NValue(7, 0), 7);
  EXPECT_EQ(NValue(7.5, 0), 7.5);  // taken unchanged, fraction and all
}

class NumericRecordsTest : public test::ConverterTest {};

TEST_F(NumericRecordsTest, X5HasTheNValueAndNineColumnsOfThree) {
  Source("N5.TXT", {"1,1.15,50,20,10,15,25,,,1050", "2,2.15,7,,a,b,c,d,e,f", "3,3.15,7.5,0,1,2,3,4,5,6"});
  ConvertX5(ctx);
  EXPECT_EQ(Target("X5.txt"), Lines({"  1,   1.15, 50, 75, 20, 10, 15, 25,   ,   ,050",
                                     "  2,   2.15,  7,  7,   ,  a,  b,  c,  d,  e,  f",
                                     "  3,   3.15,7.5,7.5,  0,  1,  2,  3,  4,  5,  6"}));
}

TEST_F(NumericRecordsTest, X5HeadersAreCopiedOnlyWithDataAndWhenNotEmpty) {
  test::WriteBytes(ctx.InBorehole("N5.hed"), "HEAD\r\n");
  test::WriteBytes(ctx.InBorehole("N5.hd2"), "");
  ConvertX5(ctx);  // no "N5.TXT": nothing at all
  EXPECT_FALSE(Has("X5.txt"));
  EXPECT_FALSE(Has("X5.hed"));

  Source("N5.TXT", {"1,1.15,10,30,,,,,,"});
  test::WriteBytes(ctx.InBorehole("X5.hd2"), "old");
  ConvertX5(ctx);
  EXPECT_EQ(Target("X5.hed"), "HEAD\r\n");
  EXPECT_EQ(Target("X5.hd2"), "old");  // the empty "N5.hd2" is not copied
  EXPECT_TRUE(Has("N5.hd2"));
}

TEST_F(NumericRecordsTest, R41JoinsThreeFilesRecordByRecord) {
  Source("G41.TXT", {"1,1.00,a,b,c", "2,2.00,1234,,\"x,y\""});
  Source("G41A.txt", {"1,1.00,A1,A2,A3,A4", "2,2.00,5,6,7,8", "3,3.00,9,9,9,9"});
  Source("G41B.txt", {"1,1.00,B1,B2", "2,2.00", "9,10"});  // a record may span lines
  ConvertR41(ctx);
  EXPECT_EQ(Target("R41.txt"), Lines({"  1,   1.00,  a,  b,  c, B1, B2, A1, A2, A3, A4",
                                      "  2,   2.00,234,   ,x,y,  9, 10,  5,  6,  7,  8"}));
}

TEST_F(NumericRecordsTest, R41FailsWhenAPartnerRunsOut) {
  Source("G41.TXT", {"1,1.00,a,b,c", "2,2.00,d,e,f"});
  Source("G41A.txt", {"1,1.00,1,2,3,4", "2,2.00,1,2,3,4"});
  Source("G41B.txt", {"1,1.00,1,2"});
  try {
    ConvertR41(ctx);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ctx.InBorehole("G41B.txt"));
  }
  EXPECT_EQ(Target("R41.txt"), Lines({"  1,   1.00,  a,  b,  c,  1,  2,  1,  2,  3,  4"}));
}

TEST_F(NumericRecordsTest, R41FailsWhenAPartnerIsMissing) {
  Source("G41.TXT", {"1,1.00,a,b,c"});
  Source("G41B.txt", {"1,1.00,1,2"});
  try {
    ConvertR41(ctx);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ctx.InBorehole("G41A.txt"));
  }
  EXPECT_EQ(Target("R41.txt"), "");
  EXPECT_FALSE(Has("G41A.txt"));
}

TEST_F(NumericRecordsTest, X14EndsWithTwoEmptyColumns) {
  Source("MITUDO.TXT", {S(u8"1,1.00,1.85,2.65"), "2,2.00,,"});
  ConvertX14(ctx);
  EXPECT_EQ(Target("X14.txt"), Lines({"  1,   1.00,1.85,2.65,   ,           ", "  2,   2.00,,,   ,           "}));
}

}  // namespace
}  // namespace s1ordo
