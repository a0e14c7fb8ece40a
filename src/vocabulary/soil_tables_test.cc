// Tests of the soil name tables: every term of each classification system
// and the look-ups by code.
#include "vocabulary/soil_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "helpers/error.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::S;

// The terms as "code:text", position by position, typed from the source
// system's soil classification lists.
const std::vector<std::u8string> kMain1 = {
    u8"10:礫", u8"11:粗礫", u8"12:中礫", u8"13:細礫", u8"14:砂礫", u8"20:砂", u8"21:粗砂", u8"22:中砂",
    u8"23:細砂", u8"30:シルト", u8"40:粘土", u8"50:火山灰", u8"51:ローム", u8"52:凝灰質粘土", u8"60:黒ボク",
    u8"61:泥炭（ピート）", u8"62:黒泥", u8"63:腐植土", u8"70:まさ土", u8"71:軽石", u8"72:スコリア",
    u8"73:シラス", u8"74:珊瑚", u8"75:貝殻", u8"76:浮泥", u8"80:固結シルト", u8"81:礫岩", u8"82:砂岩",
    u8"83:シルト岩", u8"84:泥岩", u8"85:凝灰岩", u8"86:硬岩", u8"87:中硬岩", u8"88:軟岩", u8"89:風化岩",
    u8"90:玉石", u8"91:空洞", u8"92:改良土", u8"93:コンクリート", u8"94:アスファルト", u8"95:廃棄土",
    u8"96:瓦礫", u8"97:表土", u8"98:埋土", u8"99:盛土"};
const std::vector<std::u8string> kMain2 = {
    u8"0:表土", u8"1:埋土", u8"2:廃棄土", u8"10:浮石", u8"20:シラス", u8"30:スコリア", u8"40:火山灰",
    u8"50:ローム", u8"60:黒ボク", u8"70:マサ", u8"91:硬岩", u8"92:中硬岩", u8"93:軟岩", u8"94:玉石",
    u8"100:礫", u8"200:礫質土", u8"300:砂", u8"400:砂質土", u8"500:シルト", u8"600:粘性土",
    u8"700:有機質土", u8"800:火山灰質粘性土", u8"900:高有機質土"};
const std::vector<std::u8string> kMain3 = {
    u8"10:礫", u8"11:きれいな礫", u8"12:細粒分混り礫", u8"13:礫質土", u8"20:砂", u8"21:きれいな砂",
    u8"22:細粒分混り砂", u8"23:砂質土", u8"30:シルト", u8"40:粘土", u8"41:粘性土", u8"42:粘質土",
    u8"50:火山灰質粘性土", u8"60:有機質土", u8"61:有機質粘性土", u8"62:有機質粘質土", u8"63:高有機質土",
    u8"64:有機質火山灰土", u8"70:貝殻", u8"71:浮石", u8"72:表土", u8"73:廃棄物", u8"80:硬岩",
    u8"81:中硬岩", u8"82:軟岩", u8"84:ボルター", u8"85:コブル"};
const std::vector<std::u8string> kQualifier1 = {u8"2:砂質", u8"3:シルト質", u8"4:粘土質",
                                                u8"5:火山灰質", u8"6:凝灰質", u8"7:有機質"};
const std::vector<std::u8string> kQualifier2 = {u8"10:砂質", u8"20:シルト質", u8"30:粘土質", u8"40:有機質",
                                                u8"50:火山灰質"};
const std::vector<std::u8string> kAdmixture1 = {u8"1:礫混り", u8"2:砂混り", u8"3:シルト混り", u8"4:粘土混り",
                                                u8"5:火山灰混り", u8"7:有機質土混り", u8"8:玉石混り"};
const std::vector<std::u8string> kAdmixture2 = {u8"1:玉石混り", u8"2:礫混り", u8"3:砂混り",
                                                u8"4:シルト混り", u8"5:粘土混り", u8"6:有機質土混り",
                                                u8"7:火山灰混り", u8"8:貝殻混り"};
const std::vector<std::u8string> kInclusion = {u8"1:玉石", u8"2:礫", u8"3:砂", u8"4:シルト", u8"5:粘土",
                                               u8"6:火山灰", u8"7:ローム", u8"8:腐植物", u8"9:木片",
                                               u8"10:炭化物", u8"11:軽石", u8"12:スコリア", u8"13:珊瑚",
                                               u8"14:貝殻", u8"15:化石"};

// Positions 1..bound of a column as "code:text" (code page 932), stopping
// after the last used slot; unused slots in between would show as "0:".
template <size_t Bound>
std::vector<std::string> Column(const std::array<SoilTerm, Bound>& column) {
  size_t last = 0;
  for (size_t k = 1; k < Bound; ++k)
    if (column[k].code != 0 || !column[k].text.empty()) last = k;
  std::vector<std::string> out;
  for (size_t k = 1; k <= last; ++k) out.push_back(std::to_string(column[k].code) + ":" + column[k].text);
  return out;
}

std::vector<std::string> Expected(const std::vector<std::u8string>& terms) {
  std::vector<std::string> out;
  for (const auto& t : terms) out.push_back(S(t));
  return out;
}

TEST(SoilTablesTest, EveryTermCodeForCodeWithTheCountsOfEachSystem) {
  SoilTables t;
  BuildSoilNameTables(t);
  BuildSoilNameTables(t);  // every run builds them again, to the same values
  EXPECT_EQ(Column(t.SoilNameTable[1]), Expected(kMain1));
  EXPECT_EQ(Column(t.SoilNameTable[2]), Expected(kMain2));
  EXPECT_EQ(Column(t.SoilNameTable[3]), Expected(kMain3));
  EXPECT_EQ(Column(t.SoilQualifierTable[1]), Expected(kQualifier1));
  EXPECT_EQ(Column(t.SoilQualifierTable[2]), Expected(kQualifier2));
  EXPECT_EQ(Column(t.SoilAdmixtureTable[1]), Expected(kAdmixture1));
  EXPECT_EQ(Column(t.SoilAdmixtureTable[2]), Expected(kAdmixture2));
  EXPECT_EQ(Column(t.SoilInclusionTable), Expected(kInclusion));

  EXPECT_EQ(t.SoilNameCount, (std::array<int16_t, 4>{0, 45, 23, 27}));
  EXPECT_EQ(t.SoilQualifierCount, (std::array<int16_t, 4>{0, 6, 5, 0}));
  EXPECT_EQ(t.SoilAdmixtureCount, (std::array<int16_t, 4>{0, 7, 8, 0}));
  EXPECT_EQ(t.SoilInclusionCount, 15);
  // System 0, and system 3 outside its main names, hold nothing at all.
  EXPECT_TRUE(Column(t.SoilNameTable[0]).empty());
  EXPECT_TRUE(Column(t.SoilQualifierTable[3]).empty());
  EXPECT_TRUE(Column(t.SoilAdmixtureTable[3]).empty());
}

// The text a lookup gives, with the scan index it leaves.
struct Found {
  std::string text;
  int scan;
};

Found Look(const SoilTables& t, SoilTermKind kind, int system, double code) {
  SoilTermScan scan{7};
  int position = FindSoilTermPosition(t, kind, system, code, scan);
  return {SoilTermText(t, kind, system, position), scan.position};
}

TEST(SoilTablesTest, LookupUsesTheCallersSystemAndTheFirstEqualCode) {
  SoilTables t;
  BuildSoilNameTables(t);
  EXPECT_EQ(Look(t, SoilTermKind::kMainSoil, 1, 20).text, S(u8"砂"));
  EXPECT_EQ(Look(t, SoilTermKind::kMainSoil, 3, 20).text, S(u8"砂"));
  EXPECT_EQ(Look(t, SoilTermKind::kMainSoil, 2, 20).text, S(u8"シラス"));
  EXPECT_EQ(Look(t, SoilTermKind::kMainSoil, 2, 300).text, S(u8"砂"));
  EXPECT_EQ(Look(t, SoilTermKind::kQualifier, 1, 5).text, S(u8"火山灰質"));
  EXPECT_EQ(Look(t, SoilTermKind::kQualifier, 2, 40).text, S(u8"有機質"));
  EXPECT_EQ(Look(t, SoilTermKind::kAdmixture, 2, 8).text, S(u8"貝殻混り"));
  // The inclusion table is the same whatever system is given.
  EXPECT_EQ(Look(t, SoilTermKind::kInclusion, 0, 9).text, S(u8"木片"));
  EXPECT_EQ(Look(t, SoilTermKind::kInclusion, 3, 9).text, S(u8"木片"));
}

TEST(SoilTablesTest, MissingTermsAndTheScanIndexTheyLeave) {
  SoilTables t;
  BuildSoilNameTables(t);
  // Found: the index is the found position.
  EXPECT_EQ(Look(t, SoilTermKind::kMainSoil, 1, 99).scan, 45);
  EXPECT_EQ(Look(t, SoilTermKind::kAdmixture, 1, 7).scan, 6);
  // Not found: count + 1, and an empty text.
  Found gap3 = Look(t, SoilTermKind::kMainSoil, 3, 83);
  EXPECT_EQ(gap3.text, "");
  EXPECT_EQ(gap3.scan, 28);
  Found gap1 = Look(t, SoilTermKind::kAdmixture, 1, 6);
  EXPECT_EQ(gap1.text, "");
  EXPECT_EQ(gap1.scan, 8);
  EXPECT_EQ(Look(t, SoilTermKind::kQualifier, 3, 10).scan, 1);  // count 0
  EXPECT_EQ(Look(t, SoilTermKind::kMainSoil, 0, 10).text, "");
  EXPECT_EQ(Look(t, SoilTermKind::kInclusion, 0, 9.5).text, "");
  EXPECT_EQ(Look(t, SoilTermKind::kInclusion, 0, 9.5).scan, 16);
  // Code 0 is never looked up: system 2's "表土" is never produced and the
  // scan index keeps its value.
  Found zero = Look(t, SoilTermKind::kMainSoil, 2, 0);
  EXPECT_EQ(zero.text, "");
  EXPECT_EQ(zero.scan, 7);
  EXPECT_THROW(Look(t, SoilTermKind::kMainSoil, 4, 10), Error);
}

}  // namespace
}  // namespace s1ordo
