#include "converters/continuation_merger.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class ContinuationMergerTest : public test::ConverterTest {};

TEST_F(ContinuationMergerTest, ContinuationsJoinTheTextBefore) {
  Source("N12.TXT", {"1,1.5,A", "2,,B", "3,2.25,C", "4,  ,D"});
  MergeContinuationRecords(ctx, "N12");
  EXPECT_EQ(Target("N12.tmp"), Lines({"  1,   1.50,\"AB\"", "  2,   2.25,\"CD\""}));
}

TEST_F(ContinuationMergerTest, DepthsHaveTwoDecimalsCutNotRounded) {
  Source("G101.TXT", {"1,0.5,a", "2,12,b", "3,3.456,c", "4,1234.5,d", "5,x,e"});
  MergeContinuationRecords(ctx, "G101");
  EXPECT_EQ(Target("G101.tmp"), Lines({"  1,   0.50,\"a\"", "  2,  12.00,\"b\"", "  3,   3.45,\"c\"",
                                       "  4,1234.50,\"d\"", "  5,   0.00,\"e\""}));
}

TEST_F(ContinuationMergerTest, QuotedTextsAndRecordsSpanningLines) {
  Source("N12.TXT", {S(u8"1,1.00,\"砂,礫\""), "2,", S(u8"\"混り\""), S(u8"3,2.00,\"シルト")});
  // "2," ends in a comma, so the record's third item is on the next line;
  // the last quote is never closed: the text runs to the end of the file.
  MergeContinuationRecords(ctx, "N12");
  EXPECT_EQ(Target("N12.tmp"), Lines({S(u8"  1,   1.00,\"砂,礫混り\""), S(u8"  2,   2.00,\"シルト") + "\r\n\""}));
}

TEST_F(ContinuationMergerTest, FirstRecordAlwaysStartsADepth) {
  Source("N12.TXT", {"1,,A", "2,,B"});
  MergeContinuationRecords(ctx, "N12");
  EXPECT_EQ(Target("N12.tmp"), Lines({"  1,   0.00,\"AB\""}));
}

TEST_F(ContinuationMergerTest, RecordCutShortFailsNamingTheSource) {
  Source("N12.TXT", {"1,1.00,A", "2,2.00"});
  try {
    MergeContinuationRecords(ctx, "N12");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ctx.InBorehole("N12.txt"));
    EXPECT_EQ(e.line(), 2);
  }
}

TEST_F(ContinuationMergerTest, DepthBeyondSinglePrecisionFails) {
  Source("N12.TXT", {"1,1E39,A"});
  EXPECT_THROW(MergeContinuationRecords(ctx, "N12"), Error);
}

TEST_F(ContinuationMergerTest, ConvertCopiesTheTemporaryFileAndKeepsIt) {
  Source("N12.TXT", {"1,1.00,A"});
  Source("G101.TXT", {});
  ConvertX12(ctx);
  ConvertX120(ctx);
  EXPECT_EQ(Target("X12.TXT"), Lines({"  1,   1.00,\"A\""}));
  EXPECT_EQ(Target("N12.tmp"), Target("X12.TXT"));
  // An empty source is deleted and nothing is written for it.
  EXPECT_FALSE(Has("G101.TXT"));
  EXPECT_FALSE(Has("G101.tmp"));
  EXPECT_FALSE(Has("X120.TXT"));
}

}  // namespace
}  // namespace s1ordo
