// Tests of the merging of continuation lines into the records before them.
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
  // The first record starts a depth even without one; depths are cut to
  // two decimals, never rounded.
  Source("N12.TXT", {"1,,A", "2,  ,B", "3,3.456,C", "4,12,D", "5,,E"});
  MergeContinuationRecords(borehole, "N12");
  EXPECT_EQ(Target("N12.tmp"), Lines({"  1,   0.00,\"AB\"", "  2,   3.45,\"C\"", "  3,  12.00,\"DE\""}));
}

TEST_F(ContinuationMergerTest, QuotedTextsAndRecordsSpanningLines) {
  // "2," ends in a comma, so the record's third item is on the next line;
  // the last quote is never closed: the text runs to the end of the file.
  Source("N12.TXT", {S(u8"1,1.00,\"砂,礫\""), "2,", S(u8"\"混り\""), S(u8"3,2.00,\"シルト")});
  MergeContinuationRecords(borehole, "N12");
  EXPECT_EQ(Target("N12.tmp"), Lines({S(u8"  1,   1.00,\"砂,礫混り\""), S(u8"  2,   2.00,\"シルト") + "\r\n\""}));
}

TEST_F(ContinuationMergerTest, RecordCutShortOrHugeDepthFails) {
  Source("N12.TXT", {"1,1.00,A", "2,2.00"});
  try {
    MergeContinuationRecords(borehole, "N12");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), borehole.File("N12.txt"));
    EXPECT_EQ(e.line(), 2);
  }
  Source("N12.TXT", {"1,1E39,A"});
  EXPECT_THROW(MergeContinuationRecords(borehole, "N12"), Error);
  // The empty last line holds no record: reading it runs past the end.
  Source("N12.TXT", {"1,1.00,A", ""});
  EXPECT_THROW(MergeContinuationRecords(borehole, "N12"), Error);
}

TEST_F(ContinuationMergerTest, ConvertCopiesTheTemporaryFileAndKeepsIt) {
  Source("N12.TXT", {"1,1.00,A"});
  Source("G101.TXT", {});
  ConvertX12(borehole);
  ConvertX120(borehole);
  EXPECT_EQ(Target("X12.TXT"), Lines({"  1,   1.00,\"A\""}));
  EXPECT_EQ(Target("N12.tmp"), Target("X12.TXT"));
  EXPECT_FALSE(Has("G101.TXT"));  // an empty source is deleted, nothing written
  EXPECT_FALSE(Has("X120.TXT"));
}

}  // namespace
}  // namespace s1ordo
