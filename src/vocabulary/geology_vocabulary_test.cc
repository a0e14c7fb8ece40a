// Tests of the geology vocabulary loading: both files record by record,
// short lines, failures and the bounds of the tables.
#include "vocabulary/geology_vocabulary.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class GeologyVocabularyTest : public test::ConverterTest {
 protected:
  GeologyVocabulary Load() {
    GeologyVocabulary v;
    LoadGeologyVocabulary(env, pattern_folder, v);
    return v;
  }
  void Kishitu(const std::string& bytes) { WriteBytes(pattern_folder + "KISHITU.TXT", bytes); }
  void Konnyu(const std::string& bytes) { WriteBytes(pattern_folder + "KONNYU.TXT", bytes); }
};

TEST_F(GeologyVocabularyTest, LoadsBothFilesRecordByRecord) {
  Kishitu(Lines({S(u8"0001,盛土,    ,    ,    ,    "), S(u8"0040,\"粘土, 硬い\",abc,x,70000,-3")}));
  Konnyu(Lines({S(u8"0012,木片,    ,    ,0,0")}));
  GeologyVocabulary v = Load();
  ASSERT_EQ(v.KishituCount, 2);
  ASSERT_EQ(v.KishituTable.size(), 2u);
  EXPECT_EQ(v.KishituTable[0].code, 1);
  EXPECT_EQ(v.KishituTable[0].name, S(u8"盛土"));
  EXPECT_EQ(v.KishituTable[1].code, 40);
  EXPECT_EQ(v.KishituTable[1].name, S(u8"粘土, 硬い"));
  EXPECT_EQ(v.KishituTable[1].item3, "abc");
  EXPECT_EQ(v.KishituTable[1].item5, 70000);  // item 5 holds 32 bits
  EXPECT_EQ(v.KishituTable[1].item6, -3);
  ASSERT_EQ(v.KonnyuCount, 1);
  EXPECT_EQ(v.KonnyuTable[0].code, 12);
  EXPECT_EQ(v.KonnyuTable[0].name, S(u8"木片"));
}

TEST_F(GeologyVocabularyTest, ShortLinesBorrowItemsFromTheNextLine) {
  // Items are read across line ends: the 4-item line takes two items of the
  // next, so every later record is shifted.
  Kishitu(Lines({"0001,A,b,c", "0002,B,    ,    ,    ,    ", "0003,C"}));
  Konnyu("");
  GeologyVocabulary v = Load();
  ASSERT_EQ(v.KishituCount, 2);
  EXPECT_EQ(v.KishituTable[0].name, "A");
  EXPECT_EQ(v.KishituTable[0].item5, 2);  // "0002"
  EXPECT_EQ(v.KishituTable[1].code, 0);   // blank item 1 reads as 0
  EXPECT_EQ(v.KishituTable[1].name, "");
  EXPECT_EQ(v.KishituTable[1].item6, 0);  // "C" is not a number
  EXPECT_EQ(v.KonnyuCount, 0);
}

TEST_F(GeologyVocabularyTest, AFailingKishituLeavesBothCountsAtZero) {
  Konnyu(Lines({"0012,A,,,0,0"}));
  EXPECT_EQ(Load().KishituCount, 0);  // missing
  EXPECT_EQ(Load().KonnyuCount, 0);   // and "KONNYU.TXT" not read

  Kishitu(Lines({"0001,A,,,0,0", "0002,B,,,0"}));  // the last record is cut short
  EXPECT_EQ(Load().KishituCount, 0);
  EXPECT_EQ(Load().KonnyuCount, 0);

  Kishitu(Lines({"0001,A,,,0,0", "40000,B,,,0,0"}));  // code beyond 16 bits
  EXPECT_EQ(Load().KishituCount, 0);
  EXPECT_EQ(Load().KonnyuCount, 0);

  Kishitu(Lines({"0001,A,,,0,32768"}));  // item 6 beyond 16 bits
  EXPECT_EQ(Load().KonnyuCount, 0);

  Kishitu("");  // empty: nothing loaded, but "KONNYU.TXT" still read
  GeologyVocabulary v = Load();
  EXPECT_EQ(v.KishituCount, 0);
  EXPECT_EQ(v.KonnyuCount, 1);
}

TEST_F(GeologyVocabularyTest, BoundsOfTheTwoTables) {
  std::vector<std::string> lines;
  for (int k = 1; k <= 200; ++k) lines.push_back(std::to_string(k) + ",N" + std::to_string(k) + ",,,0,0");
  Kishitu(Lines(lines));
  Konnyu(Lines(lines));
  GeologyVocabulary full = Load();
  EXPECT_EQ(full.KishituCount, 200);
  EXPECT_EQ(full.KonnyuCount, 200);
  EXPECT_EQ(full.KonnyuTable[199].name, "N200");

  lines.push_back("201,N201,,,0,0");
  Konnyu(Lines(lines));
  EXPECT_EQ(Load().KonnyuCount, 0);  // 201 records: the load stops
  EXPECT_EQ(Load().KishituCount, 200);

  std::vector<std::string> many(10000, "0001,A,,,0,0");
  Kishitu(Lines(many));
  EXPECT_EQ(Load().KishituCount, 10000);
  many.push_back("0001,A,,,0,0");
  Kishitu(Lines(many));
  GeologyVocabulary over = Load();
  EXPECT_EQ(over.KishituCount, 0);
  EXPECT_EQ(over.KonnyuCount, 0);
}

}  // namespace
}  // namespace s1ordo
