// Tests of the numeric record converters: N values, columns, header copies
// and files joined record by record.
#include "converters/numeric_records.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;

TEST(NValueTest, ScalesTheBlowCountTo30Centimetres) {
  EXPECT_EQ(NValue(50, 20), 75);
  EXPECT_EQ(NValue(10, 15), 20);
  EXPECT_EQ(NValue(10, 7), 42);  // 42.857... cut
  EXPECT_EQ(NValue(7.5, 0), 7.5);  // taken unchanged, fraction and all
}

class NumericRecordsTest : public test::ConverterTest {};

TEST_F(NumericRecordsTest, X5ColumnsAndHeaderCopies) {
  WriteBytes(borehole.File("N5.hed"), "HEAD\r\n");
  WriteBytes(borehole.File("N5.hd2"), "");
  ConvertX5(borehole);  // no "N5.TXT": no copies either
  EXPECT_FALSE(Has("X5.hed"));

  Source("N5.TXT", {"1,1.15,50,20,10,15,25,,,1050", "2,2.15,7,,a,b,c,d,e,f", "3,3.15,7.5,0,1,2,3,4,5,6"});
  ConvertX5(borehole);
  EXPECT_EQ(Target("X5.txt"), Lines({"  1,   1.15, 50, 75, 20, 10, 15, 25,   ,   ,050",
                                     "  2,   2.15,  7,  7,   ,  a,  b,  c,  d,  e,  f",
                                     "  3,   3.15,7.5,7.5,  0,  1,  2,  3,  4,  5,  6"}));
  EXPECT_EQ(Target("X5.hed"), "HEAD\r\n");
  EXPECT_FALSE(Has("X5.hd2"));  // "N5.hd2" is empty
}

TEST_F(NumericRecordsTest, R41JoinsThreeFilesRecordByRecord) {
  Source("G41.TXT", {"1,1.00,a,b,c", "2,2.00,1234,,\"x,y\""});
  Source("G41A.txt", {"1,1.00,A1,A2,A3,A4", "2,2.00,5,6,7,8", "3,3.00,9,9,9,9"});
  Source("G41B.txt", {"1,1.00,B1,B2", "2,2.00", "9,10"});  // a record may span lines
  ConvertR41(borehole);
  EXPECT_EQ(Target("R41.txt"), Lines({"  1,   1.00,  a,  b,  c, B1, B2, A1, A2, A3, A4",
                                      "  2,   2.00,234,   ,x,y,  9, 10,  5,  6,  7,  8"}));
}

TEST_F(NumericRecordsTest, R41FailsWhenAPartnerIsMissingOrRunsOut) {
  Source("G41.TXT", {"1,1.00,a,b,c", "2,2.00,d,e,f"});
  Source("G41B.txt", {"1,1.00,1,2"});
  try {
    ConvertR41(borehole);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), borehole.File("G41A.txt"));
  }
  EXPECT_EQ(Target("R41.txt"), "");
  Source("G41A.txt", {"1,1.00,1,2,3,4", "2,2.00,1,2,3,4"});
  try {
    ConvertR41(borehole);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), borehole.File("G41B.txt"));
  }
  EXPECT_EQ(Target("R41.txt"), Lines({"  1,   1.00,  a,  b,  c,  1,  2,  1,  2,  3,  4"}));
}

TEST_F(NumericRecordsTest, X14EndsWithTwoEmptyColumns) {
  Source("MITUDO.TXT", {"1,1.00,1.85,2.65", "2,2.00,,"});
  ConvertX14(borehole);
  EXPECT_EQ(Target("X14.txt"), Lines({"  1,   1.00,1.85,2.65,   ,           ", "  2,   2.00,,,   ,           "}));
}

}  // namespace
}  // namespace s1ordo
