#include "converters/record_converter.h"

#include <gtest/gtest.h>

#include "helpers/error.h"
#include "helpers/number.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::FileExists;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(LineHeadTest, CounterAndDepthRightAligned) {
  EXPECT_EQ(LineHead(1, "1.50"), "  1,   1.50,");
  EXPECT_EQ(LineHead(99, "12.25"), " 99,  12.25,");
  EXPECT_EQ(LineHead(100, ""), "100,       ,");
  EXPECT_EQ(LineHead(1000, "123456789"), "000,3456789,");
}

class ConvertRecordsTest : public ::testing::Test {
 protected:
  ConvertRecordsTest() : ctx(DefaultEnv()) { ctx.BoreholeFolder = dir.path(); }
  // A converter writing the line head and field 3.
  void Convert() {
    ConvertRecords(ctx, "N9.TXT", "X9.txt", 3, 2, [](Context& c, long long counter) {
      return LineHead(counter, c.table.RecordFields[2]) + c.table.RecordFields[3];
    });
  }
  TempDir dir;
  Context ctx;
};

TEST_F(ConvertRecordsTest, MissingOrEmptySourceWritesNothing) {
  Convert();
  EXPECT_FALSE(FileExists(dir / "N9.TXT"));
  EXPECT_FALSE(FileExists(dir / "X9.txt"));
  WriteBytes(dir / "N9.TXT", "");
  Convert();
  EXPECT_FALSE(FileExists(dir / "N9.TXT"));
  EXPECT_FALSE(FileExists(dir / "X9.txt"));
}

TEST_F(ConvertRecordsTest, OneLinePerRecord) {
  WriteBytes(dir / "n9.txt", "1,0.50,a\r\n2,\"1,25\",b,\r\n3,2.00\r\n");
  WriteBytes(dir / "X9.txt", "old content that must go");
  Convert();
  // Items are read one after the other: the empty item after the trailing
  // comma of record 2 becomes the first item of record 3, shifting it.
  EXPECT_EQ(ReadBytes(dir / "X9.txt"),
            "  1,   0.50,a\r\n  2,   1,25,b\r\n  3,      3,2.00\r\n");
}

TEST_F(ConvertRecordsTest, AFailureNamesTheSourceAndTheRecordLine) {
  WriteBytes(dir / "N9.TXT", "1,1,2\r\n2,1,99999\r\n");
  try {
    ConvertRecords(ctx, "N9.TXT", "X9.txt", 3, 2, [](Context& c, long long) {
      return std::to_string(RoundToInt16(ReadNumber(c.table.RecordFields[3])));
    });
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), dir / "N9.TXT");
    EXPECT_EQ(e.line(), 2);
  }
  EXPECT_EQ(ReadBytes(dir / "X9.txt"), "2\r\n");  // left as far as it got
}

}  // namespace
}  // namespace s1ordo
