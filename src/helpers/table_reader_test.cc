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
    int16_t flag = -1;
    OpenTableFile(DefaultEnv(), reader, dir / "T.TXT", flag);
    return flag == 0;
  }
  TempDir dir;
  TableReader reader;
};

TEST_F(TableReaderTest, MissingAndEmptyFilesHaveNothingToRead) {
  int16_t flag = -1;
  OpenTableFile(DefaultEnv(), reader, dir / "NONE.TXT", flag);
  EXPECT_EQ(flag, 1);
  EXPECT_FALSE(FileExists(dir / "NONE.TXT"));  // nothing created

  EXPECT_FALSE(Open(""));
  EXPECT_FALSE(FileExists(dir / "T.TXT"));  // an empty file is deleted

  WriteBytes(dir / "KEEP.TXT", "");
  OpenTableFile(DefaultEnv(), reader, dir / "KEEP.TXT", flag, EmptyFile::kKeep);
  EXPECT_EQ(flag, 1);
  EXPECT_TRUE(FileExists(dir / "KEEP.TXT"));
}

TEST_F(TableReaderTest, FileNamesIgnoreLetterCase) {
  WriteBytes(dir / "N12.TXT", "1,2\r\n");
  int16_t flag = -1;
  OpenTableFile(DefaultEnv(), reader, dir / "n12.txt", flag);
  EXPECT_EQ(flag, 0);
}

TEST_F(TableReaderTest, OneRecordThenTheEnd) {
  ASSERT_TRUE(Open("a,b,c\r\n"));
  ReadTableRecord(reader, 3, 2);
  EXPECT_EQ(reader.RecordPositions[2], 1);
  EXPECT_EQ(reader.RecordFields[1], "a");
  EXPECT_EQ(reader.RecordFields[2], "b");
  EXPECT_EQ(reader.RecordFields[3], "c");
  ReadTableRecord(reader, 3, 2);
  EXPECT_EQ(reader.RecordPositions[2], EndOfTable);
  EXPECT_EQ(reader.RecordFields[1], "a");  // nothing read, nothing changed
}

TEST_F(TableReaderTest, TrailingEmptyLineRepeatsTheLastRecordOnce) {
  ASSERT_TRUE(Open("1,x\r\n2,y\r\n\r\n"));
  ReadTableRecord(reader, 2, 0);
  ReadTableRecord(reader, 2, 0);
  EXPECT_EQ(reader.RecordFields[1], "2");
  ReadTableRecord(reader, 2, 0);
  EXPECT_NE(reader.RecordPositions[0], EndOfTable);
  EXPECT_EQ(reader.RecordPositions[0], 11);
  EXPECT_EQ(reader.RecordFields[1], "2");
  EXPECT_EQ(reader.RecordFields[2], "y");
  ReadTableRecord(reader, 2, 0);
  EXPECT_EQ(reader.RecordPositions[0], EndOfTable);
}

TEST_F(TableReaderTest, OneRemainingByteIsTheEnd) {
  ASSERT_TRUE(Open("1,x\r\n\n"));
  ReadTableRecord(reader, 2, 5);
  EXPECT_EQ(reader.RecordPositions[5], 1);
  ReadTableRecord(reader, 2, 5);
  EXPECT_EQ(reader.RecordPositions[5], EndOfTable);
}

TEST_F(TableReaderTest, IncompleteLastRecordKeepsStaleFields) {
  ASSERT_TRUE(Open("1,a,b,c\r\n2,d\r\n"));
  reader.RecordFields[9] = "untouched";
  ReadTableRecord(reader, 4, 2);
  ReadTableRecord(reader, 4, 2);
  EXPECT_EQ(reader.RecordPositions[2], 10);
  EXPECT_EQ(reader.RecordFields[1], "2");
  EXPECT_EQ(reader.RecordFields[2], "d");
  EXPECT_EQ(reader.RecordFields[3], "b");  // from the record before
  EXPECT_EQ(reader.RecordFields[4], "c");
  EXPECT_EQ(reader.RecordFields[9], "untouched");
  ReadTableRecord(reader, 4, 2);
  EXPECT_EQ(reader.RecordPositions[2], EndOfTable);
}

TEST_F(TableReaderTest, RecordsSpanLinesAndQuotesHoldCommas) {
  ASSERT_TRUE(Open("1,2,3,4,5,6,7,8,9,10\r\n11,12,13,14,15,16,17,18,19,20\r\n"));
  ReadTableRecord(reader, 20, 0);
  EXPECT_EQ(reader.RecordFields[20], "20");
  EXPECT_EQ(reader.RecordFields[11], "11");

  ASSERT_TRUE(Open("\"A,B\",C\r\n"));
  ReadTableRecord(reader, 2, 0);
  EXPECT_EQ(reader.RecordFields[1], "A,B");
  EXPECT_EQ(reader.RecordFields[2], "C");
}

TEST_F(TableReaderTest, SlotsAreSeparate) {
  ASSERT_TRUE(Open("a\r\n"));
  reader.RecordPositions[0] = 77;
  ReadTableRecord(reader, 1, 2);
  ReadTableRecord(reader, 1, 2);
  EXPECT_EQ(reader.RecordPositions[2], EndOfTable);
  EXPECT_EQ(reader.RecordPositions[0], 77);
}

}  // namespace
}  // namespace s1ordo
