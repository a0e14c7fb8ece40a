// Tests of the table reader: records read from a list file until it runs
// out, with stale fields, quotes and records over several lines.
#include "helpers/table_reader.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace s1ordo {
namespace {

using test::FileExists;
using test::TempDir;
using test::WriteBytes;

class TableReaderTest : public ::testing::Test {
 protected:
  // Opens the file on the reader; true when it has data.
  bool Open(const std::string& bytes) {
    WriteBytes(dir / "T.TXT", bytes);
    return OpenTableFile(DefaultEnv(), reader, dir / "T.TXT");
  }
  TempDir dir;
  TableReader reader;
};

TEST_F(TableReaderTest, MissingAndEmptyFilesHaveNothingToRead) {
  EXPECT_FALSE(OpenTableFile(DefaultEnv(), reader, dir / "NONE.TXT"));
  EXPECT_FALSE(FileExists(dir / "NONE.TXT"));  // nothing created

  EXPECT_FALSE(Open(""));
  EXPECT_FALSE(FileExists(dir / "T.TXT"));  // an empty file is deleted

  WriteBytes(dir / "KEEP.TXT", "");
  EXPECT_FALSE(OpenTableFile(DefaultEnv(), reader, dir / "KEEP.TXT", EmptyFile::kKeep));
  EXPECT_TRUE(FileExists(dir / "KEEP.TXT"));

  WriteBytes(dir / "N12.TXT", "1,2\r\n");
  EXPECT_TRUE(OpenTableFile(DefaultEnv(), reader, dir / "n12.txt"));  // names ignore letter case
}

TEST_F(TableReaderTest, RecordsUntilFewerThanTwoBytesAreLeft) {
  ASSERT_TRUE(Open("a,b,c\r\n"));
  ASSERT_TRUE(ReadTableRecord(reader, 3));
  EXPECT_EQ(reader.fields[1], "a");
  EXPECT_EQ(reader.fields[3], "c");
  EXPECT_FALSE(ReadTableRecord(reader, 3));
  EXPECT_EQ(reader.fields[1], "a");  // nothing read, nothing changed

  // A trailing empty line is one more record that reads nothing new; a
  // single byte left is the end.
  ASSERT_TRUE(Open("1,x\r\n2,y\r\n\r\n"));
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(ReadTableRecord(reader, 2)) << k;
  EXPECT_EQ(reader.fields[1], "2");
  EXPECT_EQ(reader.record_line, 3);
  EXPECT_FALSE(ReadTableRecord(reader, 2));
  ASSERT_TRUE(Open("1,x\r\n\n"));
  EXPECT_TRUE(ReadTableRecord(reader, 2));
  EXPECT_FALSE(ReadTableRecord(reader, 2));
}

TEST_F(TableReaderTest, IncompleteLastRecordKeepsStaleFields) {
  ASSERT_TRUE(Open("1,a,b,c\r\n2,d\r\n"));
  reader.fields[9] = "untouched";
  ReadTableRecord(reader, 4);
  ASSERT_TRUE(ReadTableRecord(reader, 4));
  EXPECT_EQ(reader.record_line, 2);
  EXPECT_EQ(reader.fields[2], "d");
  EXPECT_EQ(reader.fields[3], "b");  // from the record before
  EXPECT_EQ(reader.fields[4], "c");
  EXPECT_EQ(reader.fields[9], "untouched");
  EXPECT_FALSE(ReadTableRecord(reader, 4));
}

TEST_F(TableReaderTest, RecordsSpanLinesAndQuotesHoldCommas) {
  ASSERT_TRUE(Open("1,2,3,4,5,6,7,8,9,10\r\n11,12,13,14,15,16,17,18,19,20\r\n"));
  ReadTableRecord(reader, 20);
  EXPECT_EQ(reader.fields[20], "20");
  EXPECT_EQ(reader.fields[11], "11");

  ASSERT_TRUE(Open("\"A,B\",C\r\n"));
  ReadTableRecord(reader, 2);
  EXPECT_EQ(reader.fields[1], "A,B");
  EXPECT_EQ(reader.fields[2], "C");
}

}  // namespace
}  // namespace s1ordo
