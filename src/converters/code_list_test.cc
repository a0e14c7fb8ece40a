#include "converters/code_list.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::S;

class CodeListTest : public test::ConverterTest {
 protected:
  CodeList Open(const std::string& name, int items = 2) {
    return CodeList(ctx.env, ctx.RideviFolder + name, items);
  }
};

TEST_F(CodeListTest, LaterEntryWinsForLastAndEarlierForFirst) {
  List("L.txt", {S(u8"5,砂"), S(u8"6,粘土"), S(u8"5,礫")});
  CodeList list = Open("L.txt");
  EXPECT_EQ(list.LastName(5), S(u8"礫"));
  EXPECT_EQ(list.FirstName(5), S(u8"砂"));
  EXPECT_EQ(list.LastName(6), S(u8"粘土"));
  EXPECT_EQ(list.LastName(7), "");
  EXPECT_EQ(list.FirstName(7), "");
}

TEST_F(CodeListTest, CodesAreComparedAsNumbers) {
  List("L.txt", {S(u8" 05 ,砂"), S(u8"1.5,礫"), S(u8"abc,名無し"), S(u8"0,零")});
  CodeList list = Open("L.txt");
  EXPECT_EQ(list.LastName(5), S(u8"砂"));
  EXPECT_EQ(list.FirstName(1.5), S(u8"礫"));
  EXPECT_EQ(list.LastName(1), "");  // 1.5 is not rounded
  // A code of 0 (also one that is no number) never matches.
  EXPECT_EQ(list.LastName(0), "");
  EXPECT_EQ(list.FirstName(0), "");
}

TEST_F(CodeListTest, EntriesAreReadItemByItemAcrossLines) {
  // "7" alone pairs with the first item of the next line; the rest shifts.
  List("L.txt", {"7", S(u8"\"砂,礫\",8"), S(u8"シルト")});
  CodeList list = Open("L.txt");
  EXPECT_EQ(list.LastName(7), S(u8"砂,礫"));
  EXPECT_EQ(list.LastName(8), S(u8"シルト"));
}

TEST_F(CodeListTest, ThreeItemEntriesSkipTheMiddleItem) {
  List("L17.txt", {S(u8"1,a,砂"), S(u8"2,b,粘土")});
  CodeList list = Open("L17.txt", 3);
  EXPECT_EQ(list.LastName(1), S(u8"砂"));
  EXPECT_EQ(list.LastName(2), S(u8"粘土"));
  // The same file read in pairs shifts: "1,a", "砂,2", "b,粘土".
  CodeList pairs = Open("L17.txt", 2);
  EXPECT_EQ(pairs.LastName(1), "a");
  EXPECT_EQ(pairs.LastName(2), "");
}

TEST_F(CodeListTest, MissingListFailsAtFirstLookupNamingIt) {
  CodeList list = Open("L99.txt");  // nothing read yet
  try {
    list.LastName(1);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ctx.RideviFolder + "L99.txt");
  }
  EXPECT_THROW(Open("L99.txt").FirstName(0), Error);
  EXPECT_FALSE(test::FileExists(ctx.RideviFolder + "L99.txt"));
}

TEST_F(CodeListTest, LastEntryWithoutNameFailsWhereAScanReachesIt) {
  List("L.txt", {S(u8"1,砂"), "2"});
  CodeList list = Open("L.txt");
  EXPECT_EQ(list.FirstName(1), S(u8"砂"));  // found before the end
  EXPECT_THROW(list.FirstName(2), Error);
  EXPECT_THROW(list.FirstName(0), Error);
  EXPECT_THROW(list.LastName(1), Error);
}

TEST_F(CodeListTest, EmptyListAndTrailingEmptyLineHoldNoEntry) {
  List("E.txt", {});
  EXPECT_EQ(Open("E.txt").LastName(1), "");
  List("L.txt", {S(u8"1,砂"), ""});
  EXPECT_EQ(Open("L.txt").LastName(1), S(u8"砂"));
}

}  // namespace
}  // namespace s1ordo
