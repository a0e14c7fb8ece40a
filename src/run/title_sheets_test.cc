// Tests of the title sheets: items on their lines, joined and aligned,
// missing title files and the sample boreholes.
#include "run/title_sheets.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

std::string Blanks(size_t n) { return std::string(n, ' '); }

// The lines of a sheet (the text of the file path) without their CR LF;
// fails the test when a line does not end with CR LF.
std::vector<std::string> LinesOf(const std::string& text, const std::string& path) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "unterminated line in " << path;
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class TitleSheetsTest : public test::ConverterTest {
 protected:
  std::string Work() const { return borehole.path() + "/"; }
  std::string ListPath(const std::string& name) const { return pattern_folder + name; }
  void Write(const BoreholeFolder& folder) { WriteTitleSheets(folder, ReadTitleFiles(folder), legends); }
  std::vector<std::string> SheetLines(const std::string& path) { return LinesOf(ReadBytes(path), path); }

  LegendLists legends{env, pattern_folder};
};

// Title files whose line k reads "Ak" (TITL1) or "Bk" (TITL2), except the
// lines given.
std::vector<std::string> Numbered(char letter, int count, const std::vector<std::pair<int, std::string>>& set) {
  std::vector<std::string> lines;
  for (int k = 1; k <= count; ++k) lines.push_back(std::string(1, letter) + std::to_string(k));
  for (const auto& [k, text] : set) lines[k - 1] = text;
  return lines;
}

TEST_F(TitleSheetsTest, EveryItemLandsOnItsLine) {
  WriteBytes(Work() + "TITL1.TXT", Lines(Numbered('A', 28, {{16, "3"}, {18, "2"}, {27, "1"}})));
  WriteBytes(Work() + "TITL2.TXT", Lines(Numbered('B', 15, {})));
  WriteBytes(ListPath("L1.txt"), Lines({"3," + S(u8"低地"), "4," + S(u8"台地")}));
  WriteBytes(ListPath("L2.txt"), Lines({"1, " + S(u8"東京都建設局")}));
  WriteBytes(ListPath("L3.txt"), Lines({"2," + S(u8"斜め")}));
  Write(borehole);

  EXPECT_EQ(SheetLines(Work() + "titl01.txt"),
            (std::vector<std::string>{"A1A2", "A4", "A3", " A10", "11", "12", " A13", "14", "15", "A6A7", " B5", "B6",
                                      "   B7", " B8", "B9", "  B10", "B1B2", "B3", "B4", "B15", "A20", "A21", "A28"}));
  std::vector<std::string> titl02(41);
  titl02[0] = "A5";
  titl02[14] = "A23";
  titl02[15] = "A22";
  titl02[16] = "3";
  titl02[17] = S(u8"低地") + "    ";
  titl02[18] = "A17";
  titl02[19] = "B11";
  titl02[20] = "2";
  titl02[21] = S(u8"斜め");
  titl02[22] = "A19";
  titl02[24] = "B12";
  titl02[25] = "B13";
  titl02[26] = "B14";
  titl02[27] = "A24";
  titl02[28] = "A25";
  titl02[29] = "A26";
  titl02[30] = "1";
  titl02[31] = S(u8"東京都建設局");
  titl02[39] = Blanks(11);
  EXPECT_EQ(SheetLines(Work() + "titl02.txt"), titl02);
}

TEST_F(TitleSheetsTest, ItemsAreJoinedAlignedAndStripped) {
  std::vector<std::string> a(28, "");
  a[0] = S(u8"調査名") + "   ";
  a[1] = "  " + S(u8"第1期");
  a[2] = "  " + S(u8"東京都大田区") + "   ";
  a[5] = S(u8"株式会社　武蔵野地質") + "  ";
  a[6] = S(u8"　調査部");  // a full-width blank is not removed
  const char* dates[] = {"1998", "4", "1", " 1998 ", "5", "20"};
  for (int k = 0; k < 6; ++k) a[9 + k] = dates[k];
  std::vector<std::string> b(15, "");
  b[4] = "12345";
  b[5] = "7";
  b[6] = S(u8"１４．１０");  // widths count characters
  WriteBytes(Work() + "TITL1.TXT", Lines(a));
  WriteBytes(Work() + "TITL2.TXT", Lines(b));
  Write(borehole);

  std::vector<std::string> t1 = SheetLines(Work() + "titl01.txt");
  ASSERT_EQ(t1.size(), 23u);
  EXPECT_EQ(t1[0], S(u8"調査名第1期"));
  EXPECT_EQ(t1[2], "  " + S(u8"東京都大田区"));
  EXPECT_EQ(std::vector<std::string>(t1.begin() + 3, t1.begin() + 9),
            (std::vector<std::string>{"1998", " 4", " 1", "1998", " 5", "20"}));
  EXPECT_EQ(t1[9], S(u8"株式会社　武蔵野地質　調査部"));
  EXPECT_EQ(t1[10], "345");
  EXPECT_EQ(t1[11], " 7");
  EXPECT_EQ(t1[12], S(u8"１４．１０"));
  EXPECT_EQ(t1[13], Blanks(3));
}

TEST_F(TitleSheetsTest, MissingTitleFilesGiveBlankSheetsAndStayBehindEmpty) {
  Write(borehole);

  std::vector<std::string> t1(23);
  const size_t widths[] = {4, 2, 2, 4, 2, 2};
  for (int k = 0; k < 6; ++k) t1[3 + k] = Blanks(widths[k]);
  const size_t coordinates[] = {3, 2, 5, 3, 2, 5};
  for (int k = 0; k < 6; ++k) t1[10 + k] = Blanks(coordinates[k]);
  EXPECT_EQ(SheetLines(Work() + "titl01.txt"), t1);

  std::vector<std::string> t2(41);
  t2[16] = Blanks(2);
  t2[17] = Blanks(8);
  t2[20] = Blanks(1);
  t2[21] = Blanks(4);
  t2[30] = Blanks(1);
  t2[39] = Blanks(11);
  EXPECT_EQ(SheetLines(Work() + "titl02.txt"), t2);

  ASSERT_TRUE(FileExists(Work() + "TITL1.TXT"));
  ASSERT_TRUE(FileExists(Work() + "TITL2.TXT"));
  EXPECT_EQ(ReadBytes(Work() + "TITL1.TXT"), "");
  EXPECT_EQ(ReadBytes(Work() + "TITL2.TXT"), "");
  // No legend list was created by the lookups.
  EXPECT_TRUE(Snapshot(dir / "RIDEVI").empty());
}

// The sample boreholes, converted in list order against a copy of the
// sample pattern-data folder.
TEST_F(TitleSheetsTest, SampleBoreholes) {
  const std::string examples = std::string(S1ORDO_EXAMPLES_DIR) + Separator(DefaultEnv().form());
  CopyFromDisk(examples + "RIDEVI", dir / "RIDEVI");
  const std::string l1_before = ReadBytes(ListPath("L1.txt"));
  const std::string l2_before = ReadBytes(ListPath("L2.txt"));
  const std::string l3_before = ReadBytes(ListPath("L3.txt"));
  for (const char* name : {"B-1", "B-2"}) {
    CopyFromDisk(examples + "DIZIVAD" + Separator(DefaultEnv().form()) + name, dir / name);
    Write(BoreholeFolder(env, dir / name));
  }
  // 追加孔3 has no title files.
  const std::string third = S(u8"追加孔3");
  MakeFolder(dir / third);
  Write(BoreholeFolder(env, dir / third));

  std::vector<std::string> b1 = SheetLines(dir / "B-1/titl01.txt");
  ASSERT_EQ(b1.size(), 23u);
  EXPECT_EQ(b1[0], S(u8"多摩川左岸堤防強化工事に伴う地質調査業務"));
  EXPECT_EQ(b1[9], S(u8"株式会社　武蔵野地質調査部"));
  EXPECT_EQ(std::vector<std::string>(b1.begin() + 10, b1.begin() + 16),
            (std::vector<std::string>{" 35", "35", "14.10", "139", "39", "43.50"}));
  std::vector<std::string> b1t2 = SheetLines(dir / "B-1/titl02.txt");
  ASSERT_EQ(b1t2.size(), 41u);
  EXPECT_EQ(b1t2[16], "1");
  EXPECT_EQ(b1t2[17], S(u8"台地") + "    ");
  EXPECT_EQ(b1t2[20], "1");
  EXPECT_EQ(b1t2[21], S(u8"鉛直"));
  EXPECT_EQ(b1t2[30], "2");  // key "02"
  EXPECT_EQ(b1t2[31], S(u8"東京都建設局"));

  std::vector<std::string> b2t2 = SheetLines(dir / "B-2/titl02.txt");
  ASSERT_EQ(b2t2.size(), 41u);
  EXPECT_EQ(b2t2[17], S(u8"自然堤防"));
  EXPECT_EQ(b2t2[16], "7");
  EXPECT_EQ(b2t2[21], S(u8"斜め"));
  EXPECT_EQ(b2t2[31], S(u8"横浜市道路局"));

  // Only the name cut to 8 bytes was new.
  EXPECT_EQ(ReadBytes(ListPath("L1.txt")), l1_before + "7," + S(u8"自然堤防") + "\r\n");
  EXPECT_EQ(ReadBytes(ListPath("L2.txt")), l2_before);
  EXPECT_EQ(ReadBytes(ListPath("L3.txt")), l3_before);

  std::vector<std::string> t3 = SheetLines((dir / third) + "/titl02.txt");
  ASSERT_EQ(t3.size(), 41u);
  EXPECT_EQ(t3[16], Blanks(2));
  EXPECT_EQ(t3[17], Blanks(8));
  EXPECT_TRUE(FileExists((dir / third) + "/TITL1.TXT"));
}

}  // namespace
}  // namespace s1ordo
