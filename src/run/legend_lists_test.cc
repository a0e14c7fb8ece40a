// Tests of the legend lists: look-ups forward by code and backward by name,
// and the names the run appends.
#include "run/legend_lists.h"

#include <gtest/gtest.h>

#include "helpers/error.h"
#include "converter_fixture.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class LegendListsTest : public test::ConverterTest {
 protected:
  std::string Path(const LegendList& list) { return pattern_folder + std::string(list.file); }
  void Write(const LegendList& list, const std::vector<std::string>& lines) { WriteBytes(Path(list), Lines(lines)); }
  std::string Name(const LegendList& list, const std::string& key) { return legends.LookupLegendName(list, key); }
  std::string Code(const LegendList& list, const std::string& name) { return legends.LookupLegendCode(list, name); }

  LegendLists legends{env, pattern_folder};
};

TEST_F(LegendListsTest, ForwardLookupFindsTheCodeByNumericValue) {
  Write(kLegendL1, {"1," + S(u8"砂"), "2," + S(u8"粘土"), "2," + S(u8"礫")});
  EXPECT_EQ(Name(kLegendL1, "2"), S(u8"粘土") + "    ");
  EXPECT_EQ(Name(kLegendL1, "02"), S(u8"粘土") + "    ");
  EXPECT_EQ(Name(kLegendL1, "2.0"), S(u8"粘土") + "    ");
  EXPECT_EQ(Name(kLegendL1, "7"), "        ");
  // Each lookup starts again at the first record.
  EXPECT_EQ(Name(kLegendL1, "1"), S(u8"砂") + "      ");
}

TEST_F(LegendListsTest, ForwardLookupShapesTheNameByList) {
  const std::string line = "5,\"  " + S(u8"ゆるい砂") + " \"";
  Write(kLegendL1, {line});
  Write(kLegendL2, {line});
  Write(kLegendL3, {line});
  EXPECT_EQ(Name(kLegendL1, "5"), S(u8"ゆるい砂"));  // 8 bytes exactly
  EXPECT_EQ(Name(kLegendL3, "5"), S(u8"ゆる"));      // cut to 4 bytes
  EXPECT_EQ(Name(kLegendL2, "5"), "  " + S(u8"ゆるい砂") + " ");  // as listed
  EXPECT_EQ(Name(kLegendL2, "6"), "");
  EXPECT_EQ(Name(kLegendL3, "6"), "    ");
}

TEST_F(LegendListsTest, ForwardLookupTakesTextAndEmptyKeysAsZero) {
  Write(kLegendL2, {"3," + S(u8"東京都"), "0," + S(u8"未定")});
  EXPECT_EQ(Name(kLegendL2, ""), S(u8"未定"));
  EXPECT_EQ(Name(kLegendL2, S(u8"不明")), S(u8"未定"));
  // Each lookup reads with a reader of its own: a lone code takes no name
  // from the list read before.
  Write(kLegendL3, {"7"});
  EXPECT_EQ(Name(kLegendL3, "7"), "    ");
  // A list ending with an extra empty line is read to its end all the same.
  WriteBytes(Path(kLegendL3), Lines({"1," + S(u8"鉛直")}) + "\r\n");
  EXPECT_EQ(Name(kLegendL3, "9"), "    ");
}

TEST_F(LegendListsTest, MissingOrEmptyListsAreLeftAsTheyAre) {
  EXPECT_EQ(Name(kLegendL1, "1"), "        ");
  EXPECT_EQ(Code(kLegendL1, S(u8"台地")), "  ");
  EXPECT_EQ(Code(kLegendL3, S(u8"鉛直")), " ");
  EXPECT_FALSE(FileExists(Path(kLegendL1)));
  EXPECT_FALSE(FileExists(Path(kLegendL3)));

  // An empty list of the pattern-data folder is not deleted, and its first
  // name gets code 1.
  WriteBytes(Path(kLegendL2), "");
  EXPECT_EQ(Name(kLegendL2, "1"), "");
  ASSERT_TRUE(FileExists(Path(kLegendL2)));
  EXPECT_EQ(Code(kLegendL2, S(u8" 横浜市 ")), "1");
  EXPECT_EQ(ReadBytes(Path(kLegendL2)), Lines({"1," + S(u8"横浜市")}));
}

TEST_F(LegendListsTest, BackwardLookupGivesTheListedCodeText) {
  const std::string content = Lines({"01," + S(u8"砂"), "2,\" " + S(u8"粘土") + "\""});
  WriteBytes(Path(kLegendL1), content);
  EXPECT_EQ(Code(kLegendL1, S(u8"砂") + "      "), "01");
  EXPECT_EQ(Code(kLegendL1, S(u8"粘土")), "2");
  // Letter width counts: the full-width name is another name.
  EXPECT_EQ(Code(kLegendL1, S(u8"ｓａｎｄ")), "3");
  EXPECT_EQ(Code(kLegendL1, "sand"), "4");
  EXPECT_EQ(ReadBytes(Path(kLegendL1)), content + Lines({"3," + S(u8"ｓａｎｄ"), "4,sand"}));
}

TEST_F(LegendListsTest, BackwardLookupAppendsUnderTheLargestCode) {
  Write(kLegendL3, {"3," + S(u8"斜め"), "12," + S(u8"水平"), "5," + S(u8"鉛直")});
  EXPECT_EQ(Code(kLegendL3, S(u8"  傾斜 ")), "13");
  // The appended line is on disk when the lookup returns, and found next.
  const std::string extended = Lines({"3," + S(u8"斜め"), "12," + S(u8"水平"), "5," + S(u8"鉛直"), "13," + S(u8"傾斜")});
  EXPECT_EQ(ReadBytes(Path(kLegendL3)), extended);
  EXPECT_EQ(Code(kLegendL3, S(u8"傾斜")), "13");
  EXPECT_EQ(ReadBytes(Path(kLegendL3)), extended);
}

TEST_F(LegendListsTest, BackwardLookupAppendsNothingForBlankNamesOrFullLists) {
  Write(kLegendL1, {"98," + S(u8"台地")});
  EXPECT_EQ(Code(kLegendL1, "        "), "  ");
  EXPECT_EQ(Code(kLegendL1, S(u8"低地")), "99");
  EXPECT_EQ(Code(kLegendL1, S(u8"丘陵地")), "  ");  // 99 is the last code
  EXPECT_EQ(ReadBytes(Path(kLegendL1)), Lines({"98," + S(u8"台地"), "99," + S(u8"低地")}));

  Write(kLegendL2, {"150," + S(u8"東京都"), "3," + S(u8"横浜市")});
  EXPECT_EQ(Code(kLegendL2, S(u8"川崎市")), " ");
  // A name listed without a code has no code, and is not added again.
  Write(kLegendL3, {"," + S(u8"鉛直")});
  EXPECT_EQ(Code(kLegendL3, S(u8"鉛直")), " ");
  EXPECT_EQ(ReadBytes(Path(kLegendL3)), Lines({"," + S(u8"鉛直")}));
}

TEST_F(LegendListsTest, ANameCutToEightBytesIsAddedAsANewName) {
  Write(kLegendL1, {"5," + S(u8"埋立地"), "6," + S(u8"自然堤防帯")});
  const std::string name = Name(kLegendL1, "6");
  EXPECT_EQ(name, S(u8"自然堤防"));
  EXPECT_EQ(Code(kLegendL1, name), "7");
  EXPECT_EQ(ReadBytes(Path(kLegendL1)),
            Lines({"5," + S(u8"埋立地"), "6," + S(u8"自然堤防帯"), "7," + S(u8"自然堤防")}));
}

TEST_F(LegendListsTest, ANameAddedToAListWithoutItsLastLineEndGetsALineOfItsOwn) {
  // Lists edited by hand often lack the last CR LF; the new record must not
  // run into the last one ("2,粘土3,礫" would rename code 2 and lose 3).
  WriteBytes(Path(kLegendL1), "1," + S(u8"砂") + "\r\n2," + S(u8"粘土"));
  EXPECT_EQ(Code(kLegendL1, S(u8"礫")), "3");
  EXPECT_EQ(ReadBytes(Path(kLegendL1)), Lines({"1," + S(u8"砂"), "2," + S(u8"粘土"), "3," + S(u8"礫")}));
  EXPECT_EQ(Name(kLegendL1, "2"), S(u8"粘土") + "    ");
  EXPECT_FALSE(FileExists(Path(kLegendL1) + ".new"));
}

TEST_F(LegendListsTest, ARecordWithoutItsNameAtTheEndFailsTheBackwardLookup) {
  WriteBytes(Path(kLegendL2), Lines({"1," + S(u8"東京都"), "2"}));
  EXPECT_THROW(Code(kLegendL2, S(u8"横浜市")), Error);
  // An empty last line holds no record either: reading it runs past the end,
  // unless the name is found before it.
  WriteBytes(Path(kLegendL3), Lines({"1," + S(u8"鉛直"), ""}));
  EXPECT_THROW(Code(kLegendL3, S(u8"水平")), Error);
  EXPECT_EQ(Code(kLegendL3, S(u8"鉛直")), "1");
  EXPECT_EQ(ReadBytes(Path(kLegendL3)), Lines({"1," + S(u8"鉛直"), ""}));  // nothing appended
}

}  // namespace
}  // namespace s1ordo
