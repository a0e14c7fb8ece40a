// Tests of the code lists: entries item by item, codes compared as numbers,
// the ends of the lists and reading once per run.
#include "converters/code_list.h"

#include <gtest/gtest.h>

#include <list>
#include <tuple>
#include <vector>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::S;

class CodeListTest : public test::ConverterTest {
 protected:
  // A list read anew, not through a run's lists.
  CodeList Open(const std::string& name, int items = 2) {
    fresh.emplace_back(env, pattern_folder);
    return CodeList(fresh.back(), name, items);
  }
  std::list<CodeLists> fresh;
};

TEST_F(CodeListTest, EntriesAreReadItemByItemAndCodesComparedAsNumbers) {
  // "7" alone pairs with the first item of the next line; the rest shifts.
  List("L.txt", {"7", S(u8"\"砂,礫\", 05 "), S(u8"シルト"), S(u8"1.5,粘土"), S(u8"abc,零")});
  CodeList list = Open("L.txt");
  EXPECT_EQ(list.LastName(7), S(u8"砂,礫"));
  EXPECT_EQ(list.FirstName(5), S(u8"シルト"));
  EXPECT_EQ(list.LastName(1.5), S(u8"粘土"));
  EXPECT_EQ(list.LastName(1), "");  // 1.5 is not rounded
  EXPECT_EQ(list.LastName(0), "");  // a code that is no number reads as 0 and never matches
}

TEST_F(CodeListTest, FirstAndLastEntryOfEveryKindOfCode) {
  // Whole codes, fractions, negative, beyond 16 bits and a code that comes back.
  List("L.txt", {"3,a", "70000,b", "-2,c", "2.5,d", "3,e", "70000,f", "65535,g", "-2,h", "2.5,i", "1,j"});
  CodeList list = Open("L.txt");
  const std::vector<std::tuple<double, std::string, std::string>> cases = {
      {3, "a", "e"}, {70000, "b", "f"}, {-2, "c", "h"}, {2.5, "d", "i"}, {65535, "g", "g"},
      {1, "j", "j"}, {2, "", ""},       {4, "", ""},    {65536, "", ""}, {-3, "", ""}, {1e300, "", ""}};
  for (const auto& [code, first, last] : cases) {
    EXPECT_EQ(list.FirstName(code), first) << code;
    EXPECT_EQ(list.LastName(code), last) << code;
  }
}

TEST_F(CodeListTest, ThreeItemEntriesSkipTheMiddleItem) {
  List("L17.txt", {S(u8"1,a,砂"), S(u8"2,b,粘土")});
  EXPECT_EQ(Open("L17.txt", 3).LastName(2), S(u8"粘土"));
  EXPECT_EQ(Open("L17.txt", 2).LastName(1), "a");  // read in pairs the entries shift
}

TEST_F(CodeListTest, LastEntryWithoutNameFailsWhereAScanReachesIt) {
  List("L.txt", {S(u8"1,砂"), "2"});
  CodeList list = Open("L.txt");
  EXPECT_EQ(list.FirstName(1), S(u8"砂"));  // found before the end
  EXPECT_THROW(list.FirstName(2), Error);
  EXPECT_THROW(list.FirstName(0), Error);
  EXPECT_THROW(list.LastName(1), Error);

  List("E.txt", {S(u8"1,砂"), ""});  // an empty last line is read past the end too
  CodeList ended = Open("E.txt");
  EXPECT_EQ(ended.FirstName(1), S(u8"砂"));
  EXPECT_THROW(ended.FirstName(3), Error);
  EXPECT_THROW(ended.LastName(1), Error);
}

TEST_F(CodeListTest, ARunReadsEachListOnceAndTheNextRunReadsItAnew) {
  EXPECT_THROW(CodeList(code_lists, "L.txt").LastName(1), Error);
  List("L.txt", {S(u8"1,砂")});  // a missing list is not remembered as missing
  EXPECT_EQ(CodeList(code_lists, "L.txt").LastName(1), S(u8"砂"));

  List("L.txt", {S(u8"1,粘土"), "2"});
  EXPECT_EQ(CodeList(code_lists, "L.txt").LastName(1), S(u8"砂"));
  // Read in threes the same file is another list.
  EXPECT_EQ(CodeList(code_lists, "L.txt", 3).LastName(1), "2");

  CodeLists next_run(env, pattern_folder);
  CodeList anew(next_run, "L.txt");
  EXPECT_EQ(anew.FirstName(1), S(u8"粘土"));
  EXPECT_THROW(anew.LastName(1), Error);  // the incomplete end is kept with the entries
  EXPECT_THROW(CodeList(next_run, "L.txt").LastName(1), Error);

  CodeLists rereading(env, pattern_folder, true);
  EXPECT_THROW(CodeList(rereading, "L.txt").LastName(1), Error);
  List("L.txt", {S(u8"1,礫")});
  EXPECT_EQ(CodeList(rereading, "L.txt").LastName(1), S(u8"礫"));
}

}  // namespace
}  // namespace s1ordo
