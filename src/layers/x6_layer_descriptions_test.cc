// Tests of the layer description file: its lines, where writing stops,
// keywords, widths and lists that are missing or too long.
#include "layers/x6_layer_descriptions.h"

#include <gtest/gtest.h>


#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class LayerDescriptionsTest : public test::ConverterTest {
 protected:
  LayerDescriptionsTest() {
    std::vector<std::string> keywords;
    for (auto k : {u8"礫", u8"砂", u8"シルト", u8"粘土", u8"", u8"貝殻"}) keywords.push_back(S(k));
    while (keywords.size() < 16) keywords.push_back("none" + std::to_string(keywords.size()));
    Keywords(keywords);
    Patterns({S(u8"礫"), S(u8"砂礫"), S(u8"砂"), "", S(u8"粘土"), S(u8"貝殻混じり砂")});
    List("L23.txt", {S(u8"3,暗灰色,0,0"), S(u8"x,記号,0,0"), S(u8"0,なし,0,0"), S(u8"3,別名,0,0")});
  }

  void Convert() { ConvertLayerDescriptions(borehole, pattern_folder, Lists()); }

  void Keywords(const std::vector<std::string>& words) {
    std::vector<std::string> lines;
    for (size_t j = 0; j < words.size(); ++j) lines.push_back(std::to_string(j + 1) + "," + words[j]);
    ListFolderFile("L9.txt", lines);
  }
  void Patterns(const std::vector<std::string>& names) {
    std::vector<std::string> lines;
    for (size_t k = 0; k < names.size(); ++k) lines.push_back(std::to_string(k + 1) + ",\"" + names[k] + "\"");
    List("L100.txt", lines);
  }

  std::string Convert(const std::vector<std::string>& n6) {
    Source("N6.txt", n6);
    Convert();
    return Target("X6.txt");
  }

  // The lines of "X6.txt" converted from the given "N6.txt", each split into
  // its fields: row[f] is field f (row[0] is unused).
  std::vector<std::vector<std::string>> Rows(const std::vector<std::string>& n6) {
    std::vector<std::vector<std::string>> rows;
    std::string x6 = Convert(n6);
    for (size_t at = 0, end; (end = x6.find("\r\n", at)) != std::string::npos; at = end + 2) {
      std::vector<std::string> row{""};
      std::string line = x6.substr(at, end - at) + ",";
      for (size_t from = 0, comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
        row.push_back(line.substr(from, comma - from));
      EXPECT_EQ(row.size(), 69u) << line;
      rows.push_back(row);
    }
    return rows;
  }

  // Field 5, the level, of every line.
  std::vector<std::string> Levels(const std::vector<std::string>& n6) {
    std::vector<std::string> levels;
    for (const auto& row : Rows(n6)) levels.push_back(row[5]);
    return levels;
  }
};

TEST_F(LayerDescriptionsTest, LinesCarryKeyTextNumbersAndPatternSlots) {
  std::string x6 = Convert({S(u8"1,粘土,3,1.5,2.75,5,12.5,\"  01  \""),
                            S(u8"2,砂,x,3.0,4.0,0,-1,000100000000000")});
  const std::string empty_slots = std::string(19, ',');
  const std::string blank_flags = [] {
    std::string s;
    for (int i = 0; i < 19; ++i) s += ",         ";
    return s;
  }();
  // Category 2 (砂) finds pattern 2 (砂礫) first; category 4 (粘土) pattern 5.
  EXPECT_EQ(x6, Lines({S(u8"  1,粘土,3,暗灰色,   1.50,   2.75,  5,2.5, 2,") + empty_slots.substr(1) + "," +
                           S(u8"砂礫") + empty_slots + ",        1" + blank_flags,
                       S(u8"  2,砂,x,記号,   3.00,   4.00,  0, -1,, 5") + empty_slots.substr(1) + ",," +
                           S(u8"粘土") + empty_slots.substr(1) + ",         ,        1" +
                           blank_flags.substr(10)}));
}

TEST_F(LayerDescriptionsTest, WritingStopsAtFirstLevelThatDoesNotAscend) {
  auto rec = [](const char* level) { return std::string("1,a,0,") + level + ",0,0,0,0"; };
  EXPECT_EQ(Levels({rec("1"), rec("3"), rec("2")}), (std::vector<std::string>{"   1.00", "   3.00"}));
  EXPECT_EQ(Levels({rec("1"), rec("1"), rec("2")}), (std::vector<std::string>{"   1.00"}));
  EXPECT_EQ(Levels({rec("1"), rec("3"), rec("2"), rec("4")}), (std::vector<std::string>{"   1.00", "   3.00"}));
  // A level below all others does not keep the records before it out.
  EXPECT_EQ(Levels({rec("0.5"), rec("abc"), rec("2")}), (std::vector<std::string>{"   0.50"}));
  EXPECT_EQ(Levels({rec("0.5"), rec("1.25"), rec("2")}).size(), 3u);
}

TEST_F(LayerDescriptionsTest, EmptyKeywordMatchesFirstNonEmptyNameAndUnflaggedRecordsShowNothing) {
  Patterns({"", S(u8"礫"), S(u8"砂")});
  auto rows = Rows({"1,a,0,1,0,0,0,000010000000000", "2,b,0,2,0,0,0,0 0 0", "3,c,0,3,0,0,0,01"});
  ASSERT_EQ(rows.size(), 3u);
  // Category 5 has an empty keyword: pattern 2 (礫), the first name that is
  // not empty; category 2 (砂) gives pattern 3: the slots are 2 and 3.
  EXPECT_EQ(rows[0][9], " 2");
  EXPECT_EQ(rows[0][29], S(u8"礫"));
  EXPECT_EQ(rows[0][49], "        1");
  EXPECT_EQ(rows[0][10], "");
  EXPECT_EQ(rows[2][10], " 3");
  // Flags of blanks and zeros (the blank inside is a character like any
  // other, so no flag moves) refer to nothing.
  for (int f = 9; f <= 48; ++f) EXPECT_EQ(rows[1][f], "") << f;
  for (int f = 49; f <= 68; ++f) EXPECT_EQ(rows[1][f], "         ") << f;
}

TEST_F(LayerDescriptionsTest, WidestCountersAndPatternNumbers) {
  std::vector<std::string> names(99, "p"), n6;
  names.push_back(S(u8"貝殻"));  // only pattern 100 holds category 6's keyword
  Patterns(names);
  for (int i = 1; i <= 1000; ++i) n6.push_back("1,a,0," + std::to_string(i) + ",0,0,0,000001");
  std::string x6 = Convert(n6);
  size_t last = x6.rfind("\r\n", x6.size() - 3) + 2;
  EXPECT_EQ(x6.substr(last, 31), S(u8"000,a,0,記号,1000.00,   0.00,  "));
  EXPECT_NE(x6.find(",00,", last), std::string::npos);
  n6.push_back("1,a,0,1001,0,0,0,0");
  EXPECT_THROW(Convert(n6), Error);
}

TEST_F(LayerDescriptionsTest, NothingWrittenWithoutDataOrSetting) {
  Convert();
  EXPECT_FALSE(Has("N6.txt"));
  Source("N6.txt", {});
  Convert();
  EXPECT_FALSE(Has("N6.txt"));
  EXPECT_FALSE(Has("X6.txt"));

  WriteBytes(dir / "system/Ridevi.ini", "");
  WriteBytes(borehole.File("X6.txt"), "earlier");
  EXPECT_EQ(Convert({"1,a,0,1,0,0,0,1"}), "earlier");
}

TEST_F(LayerDescriptionsTest, MissingOrOversizedListsFailNamingTheFile) {
  const std::vector<std::string> n6 = {"1,a,7,1,0,0,0,1"};
  auto fails_on = [&](const std::string& file, const std::string& bound, long line = -1) {
    try {
      Convert(n6);
      ADD_FAILURE() << "no error for " << file;
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), file);
      EXPECT_NE(e.cause().find(bound), std::string::npos) << e.cause();
      if (line >= 0) {
        EXPECT_EQ(e.line(), line) << file;
      }
    }
  };
  // Key 7 is not in "L23.txt"; a record cut short after the others fails.
  List("L23.txt", {"3,a,0,0", "5,b"});
  EXPECT_EQ(Rows({"1,a,3,1,0,0,0,1"})[0][4], "a");
  fails_on(dir / "RIDEVI/L23.txt", "");
  env.DeleteFile(dir / "RIDEVI/L23.txt");
  fails_on(dir / "RIDEVI/L23.txt", "");
  EXPECT_EQ(Target("X6.txt"), "");  // created before the failing lookup

  Patterns(std::vector<std::string>(101, "p"));
  fails_on(dir / "RIDEVI/L100.txt", "100", 101);  // the first record too many
  env.DeleteFile(dir / "RIDEVI/L100.txt");
  fails_on(dir / "RIDEVI/L100.txt", "");
  Keywords(std::vector<std::string>(14, "k"));
  fails_on(dir / "LISTS/L9.txt", "15");  // read before the pattern list
  env.DeleteFile(dir / "LISTS/L9.txt");
  fails_on(dir / "LISTS/L9.txt", "");
}

}  // namespace
}  // namespace s1ordo
