// Tests of the record converter: line heads, one line per record, and
// failures naming the source and its line.
#include "converters/record_converter.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"
#include "helpers/number.h"

namespace s1ordo {
namespace {


TEST(LineHeadTest, CounterAndDepthRightAligned) {
  EXPECT_EQ(LineHead(1, "1.50"), "  1,   1.50,");
  EXPECT_EQ(LineHead(100, ""), "100,       ,");
  EXPECT_EQ(LineHead(1000, "123456789"), "000,3456789,");
}

class ConvertRecordsTest : public test::ConverterTest {
 protected:
  // A converter writing the line head and field 3.
  void Convert() {
    ConvertRecords(borehole, "N9.TXT", "X9.txt", 3, [](RecordFields& f, long long counter) {
      return LineHead(counter, f[2]) + f[3];
    });
  }
};

TEST_F(ConvertRecordsTest, MissingOrEmptySourceWritesNothing) {
  Convert();
  EXPECT_FALSE(Has("N9.TXT"));
  EXPECT_FALSE(Has("X9.txt"));
  Source("N9.TXT", {});
  Convert();
  EXPECT_FALSE(Has("N9.TXT"));
  EXPECT_FALSE(Has("X9.txt"));
}

TEST_F(ConvertRecordsTest, OneLinePerRecord) {
  WriteBytes(borehole.File("n9.txt"), "1,0.50,a\r\n2,\"1,25\",b,\r\n3,2.00\r\n");
  WriteBytes(borehole.File("X9.txt"), "old content that must go");
  Convert();
  // Items are read one after the other: the empty item after the trailing
  // comma of record 2 becomes the first item of record 3, shifting it.
  EXPECT_EQ(Target("X9.txt"), "  1,   0.50,a\r\n  2,   1,25,b\r\n  3,      3,2.00\r\n");
}

// Each converter reads with a reader of its own: a record cut short by the
// end of its file keeps the fields of the record before in the same file,
// never what another file left.
TEST_F(ConvertRecordsTest, ARecordCutShortSeesOnlyItsOwnFile) {
  Source("N8.TXT", {"1,0.50,from another file"});
  ConvertRecords(borehole, "N8.TXT", "X8.txt", 3, [](RecordFields& f, long long) { return f[3]; });
  WriteBytes(borehole.File("N9.TXT"), "1,0.50");
  Convert();
  EXPECT_EQ(Target("X9.txt"), "  1,   0.50,\r\n");
  WriteBytes(borehole.File("N9.TXT"), "1,0.50,a\r\n2,3");
  Convert();
  EXPECT_EQ(Target("X9.txt"), "  1,   0.50,a\r\n  2,      3,a\r\n");
}

TEST_F(ConvertRecordsTest, AFailureNamesTheSourceAndTheRecordLine) {
  Source("N9.TXT", {"1,1,2", "2,1,99999"});
  try {
    ConvertRecords(borehole, "N9.TXT", "X9.txt", 3, [](RecordFields& f, long long) {
      return std::to_string(RoundToInt16(ReadNumber(f[3])));
    });
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), borehole.File("N9.TXT"));
    EXPECT_EQ(e.line(), 2);
  }
  EXPECT_EQ(Target("X9.txt"), "2\r\n");  // left as far as it got
}

}  // namespace
}  // namespace s1ordo
