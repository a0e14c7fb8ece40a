// Tests of the item reader: comma-separated and quoted items, lines, and
// positions in code page 932 text.
#include "helpers/item_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace s1ordo {
namespace {

// Every item until the reader reports the end.
std::vector<std::string> AllItems(const std::string& bytes) {
  ItemReader in(bytes);
  std::vector<std::string> items;
  std::string item;
  while (in.ReadItem(&item)) items.push_back(item);
  return items;
}

using Items = std::vector<std::string>;

TEST(ItemReaderTest, ItemsEndAtCommasAndLineEnds) {
  EXPECT_EQ(AllItems("a,b,c\r\nd,e\r\n"), (Items{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(AllItems("a,b\nc\rd"), (Items{"a", "b", "c", "d"}));  // lone LF and CR
  EXPECT_EQ(AllItems("  a  ,\tb\t\r\n"), (Items{"a", "b"}));       // blanks around items dropped
  EXPECT_EQ(AllItems("a b,c"), (Items{"a b", "c"}));               // blanks inside stay
}

TEST(ItemReaderTest, EmptyItems) {
  EXPECT_EQ(AllItems("a,,b\r\n"), (Items{"a", "", "b"}));
  // A line end right after a comma is one empty item, also on the last line.
  EXPECT_EQ(AllItems("a,\r\nb\r\n"), (Items{"a", "", "b"}));
  EXPECT_EQ(AllItems("a,\r\n"), (Items{"a", ""}));
  // An empty line in the middle is one empty item...
  EXPECT_EQ(AllItems("a\r\n\r\nb\r\n"), (Items{"a", "", "b"}));
  // ...but the empty last line of the file holds none.
  EXPECT_EQ(AllItems("a\r\n\r\n"), (Items{"a"}));
  EXPECT_EQ(AllItems("\r\n"), Items{});
  EXPECT_EQ(AllItems(""), Items{});
  EXPECT_EQ(AllItems("a,"), (Items{"a"}));
}

TEST(ItemReaderTest, QuotedItems) {
  EXPECT_EQ(AllItems("\"A,B\",C\r\n"), (Items{"A,B", "C"}));
  EXPECT_EQ(AllItems("  \" x \" ,y"), (Items{" x ", "y"}));  // blanks inside quotes kept
  EXPECT_EQ(AllItems("\"a\"junk,b"), (Items{"a", "b"}));      // after the quote up to the comma is skipped
  EXPECT_EQ(AllItems("\"two\r\nlines\",z"), (Items{"two\r\nlines", "z"}));
  EXPECT_EQ(AllItems("\"open"), (Items{"open"}));  // an unclosed quote runs to the end
  EXPECT_EQ(AllItems("\"\",x"), (Items{"", "x"}));
}

TEST(ItemReaderTest, ShiftJisTextPassesUnchanged) {
  // Trail bytes never collide with comma, quote or line ends; 0x5C stays.
  std::string text = test::S(u8"表,ソ\"ｱ\"");
  EXPECT_EQ(AllItems(text), (Items{test::S(u8"表"), test::S(u8"ソ\"ｱ\"")}));
}

TEST(ItemReaderTest, LinesWithoutTheirEnds) {
  ItemReader in("one\r\ntwo  \nthree\rfour");
  std::string line;
  std::vector<std::string> lines;
  while (in.ReadLine(&line)) lines.push_back(line);
  EXPECT_EQ(lines, (Items{"one", "two  ", "three", "four"}));
  EXPECT_TRUE(in.AtEnd());
}

TEST(ItemReaderTest, LineThenItem) {
  ItemReader in("[RIDEVI]\r\n \"C:\\RIDEVI, new\\\" , rest\r\n");
  std::string line, item;
  ASSERT_TRUE(in.ReadLine(&line));
  ASSERT_TRUE(in.ReadItem(&item));
  EXPECT_EQ(item, "C:\\RIDEVI, new\\");
}

TEST(ItemReaderTest, PositionsAndEnd) {
  ItemReader in("a,b\r\nc");
  EXPECT_EQ(in.Position(), 1);
  EXPECT_EQ(in.Length(), 6);
  std::string item;
  in.ReadItem(&item);
  EXPECT_EQ(in.Position(), 3);
  in.ReadItem(&item);
  EXPECT_EQ(in.Position(), 6);
  EXPECT_EQ(in.LineNumber(), 2);
  EXPECT_FALSE(in.AtEnd());
  in.ReadItem(&item);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_FALSE(in.ReadItem(&item));
}

}  // namespace
}  // namespace s1ordo
