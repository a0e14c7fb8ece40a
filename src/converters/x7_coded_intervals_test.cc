// Tests of the coded interval file: categories and their slots, lengths,
// short codes and bad lists.
#include "converters/x7_coded_intervals.h"

#include <gtest/gtest.h>

#include <sstream>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class CodedIntervalsTest : public test::ConverterTest {
 protected:
  void List(const std::vector<std::string>& lines) { ListFolderFile("L8.txt", lines); }
  void Convert() { ConvertCodedIntervals(borehole, Lists()); }

  // The lines of "X7.txt" converted from the given "N7.txt", each split into
  // its columns: row[c] is column c (row[0] is unused).
  std::vector<std::vector<std::string>> Convert(const std::vector<std::string>& n7) {
    Source("N7.txt", n7);
    Convert();
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(Target("X7.txt"));
    for (std::string line; std::getline(in, line);) {
      EXPECT_EQ(line.back(), '\r');
      line.pop_back();
      std::vector<std::string> row{""};
      std::istringstream fields(line + ",");
      for (std::string f; std::getline(fields, f, ',');) row.push_back(f);
      EXPECT_EQ(row.size(), 69u) << line;
      rows.push_back(row);
    }
    return rows;
  }
};

TEST_F(CodedIntervalsTest, CategoriesTakeSlotsInOrderOfAppearanceSortedByCode) {
  List({S(u8"10,透水試験,0"), S(u8"20,現場密度,0"), S(u8"30,標準貫入,0"), S(u8"30,重複,0")});
  auto rows = Convert({S(u8"1,A,30,1.20,2.75,N=12,乱れ"), "2,B,10,2.75,3.00,k,1E-5", "3,C,20,3,0,x,y",
                       "4,D,99,4,5,p,q"});
  ASSERT_EQ(rows.size(), 4u);
  // Category 30 sits in slot 3; the first list entry of a code gives its name.
  std::string line = rows[0][1];
  for (int c = 2; c <= 68; ++c) line += "," + rows[0][c];
  const std::string name = S(u8"標準貫入");
  EXPECT_EQ(line, "  1,A,  ,,   1.20,   2.75,   ,155,,,,,30,30" + std::string(18, ',') + "," + name + "," + name +
                      std::string(18, ',') + ",N=12," + S(u8"乱れ") + std::string(14, ','));
  EXPECT_EQ(rows[1][9], "10");
  EXPECT_EQ(rows[1][29], S(u8"透水試験"));
  EXPECT_EQ(rows[1][50], "1E-5");
  EXPECT_EQ(rows[2][11], "20");
  EXPECT_EQ(rows[2][8], "   ");  // no bottom depth: no length
  // A code the list lacks is written without category columns.
  for (int c = 9; c <= 68; ++c) EXPECT_EQ(rows[3][c], "") << c;
}

TEST_F(CodedIntervalsTest, EleventhCategoryGetsNoSlot) {
  std::vector<std::string> list, n7;
  for (int code = 11; code >= 1; --code) {
    list.push_back(std::to_string(code) + ",c" + std::to_string(code) + ",0");
    n7.push_back("1,d," + std::to_string(code) + ",0,1,a,b");
  }
  List(list);
  auto rows = Convert(n7);
  ASSERT_EQ(rows.size(), 11u);
  // Codes 11 .. 2 came first; sorted they fill slots 1 .. 10.
  EXPECT_EQ(rows[0][28], "11");
  EXPECT_EQ(rows[0][47], "c11");
  EXPECT_EQ(rows[0][68], "b");  // the last column of the last slot
  EXPECT_EQ(rows[9][9], " 2");
  for (int c = 9; c <= 68; ++c) EXPECT_EQ(rows[10][c], "") << c;
}

TEST_F(CodedIntervalsTest, LengthInDoublePrecisionAndShortCodes) {
  List({"5,a,0", "123,b,0"});
  auto rows = Convert({"1,,5,1.2,2.3,,", "2,,123,2.3,1.2,,", "3,,5.0,0.5,0,,"});
  EXPECT_EQ(rows[0][8], "109");
  EXPECT_EQ(rows[1][8], "-109");
  EXPECT_EQ(rows[2][8], "   ");
  EXPECT_EQ(rows[0][9], " 5");
  EXPECT_EQ(rows[1][11], "23");
  EXPECT_EQ(rows[2][9], " 5");  // 5.0 is the same number as 5
}

TEST_F(CodedIntervalsTest, NothingWrittenWithoutDataOrSetting) {
  List({"1,a,0"});
  Convert();
  EXPECT_FALSE(Has("N7.txt"));
  Source("N7.txt", {});
  Convert();
  EXPECT_FALSE(Has("N7.txt"));  // the empty source is deleted
  EXPECT_FALSE(Has("X7.txt"));

  WriteBytes(dir / "system/Ridevi.ini", "");
  Source("N7.txt", {"1,a,1,0,1,x,y"});
  Convert();
  EXPECT_FALSE(Has("X7.txt"));
}

TEST_F(CodedIntervalsTest, BadListsAndCodesFailNamingTheFile) {
  auto fails_on = [&](const std::string& file, const std::string& what, long line = -1) {
    try {
      Convert({"1,a,1,0,1,x,y"});
      ADD_FAILURE() << "no error: " << what;
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), file) << what;
      EXPECT_NE(e.cause().find(what), std::string::npos) << e.cause();
      if (line >= 0) {
        EXPECT_EQ(e.line(), line) << what;
      }
    }
  };
  fails_on(dir / "LISTS/L8.txt", "");  // missing
  std::vector<std::string> list;
  for (int code = 1; code <= 101; ++code) list.push_back(std::to_string(code) + ",n,0");
  List(list);
  fails_on(dir / "LISTS/L8.txt", "100", 101);  // the first record too many
  list.pop_back();
  List(list);
  EXPECT_EQ(Convert({"1,a,100,0,1,x,y"}).size(), 1u);
  Source("N7.txt", {"1,a,abc,0,1,x,y"});
  EXPECT_THROW(Convert(), Error);
  // The empty last line of the source holds no record: reading it runs
  // past the end of the file.
  Source("N7.txt", {"1,a,100,0,1,x,y", ""});
  try {
    Convert();
    ADD_FAILURE() << "no error for the empty last line";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), borehole.File("N7.txt"));
    EXPECT_EQ(e.line(), 2);
  }
}

}  // namespace
}  // namespace s1ordo
