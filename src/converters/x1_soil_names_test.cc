// Tests of the soil names file: names of the chosen system with their
// geology codes, and codes out of range.
#include "converters/x1_soil_names.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

const std::string kBlanks = ",    ,    ,    ,    ";

class X1Test : public test::ConverterTest {
 protected:
  X1Test() {
    List("KISHITU.TXT", {S(u8"0020,砂") + kBlanks, S(u8"0040,粘土") + kBlanks});
    List("XKISHITU.TXT", {S(u8"4000,岩盤") + kBlanks});
    vocabulary.KishituCount = 100;  // as loaded from a full vocabulary
  }

  // Each conversion is a borehole of its own, with a scan of its own.
  std::string Convert(const std::string& n1a) {
    WriteBytes(borehole.File("N1A.TXT"), n1a);
    SoilTermScan scan;
    ConvertX1(borehole, soil, scan, geology, vocabulary);
    return Target("X1.txt");
  }
  std::string Vocabulary(const char* name) { return ReadBytes(pattern_folder + name); }
};

TEST_F(X1Test, NoSourceGivesAnEmptyTarget) {
  SoilTermScan scan;
  ConvertX1(borehole, soil, scan, geology, vocabulary);
  EXPECT_EQ(Target("X1.txt"), "");
  EXPECT_EQ(Convert(""), "");
  EXPECT_FALSE(Has("N1A.TXT"));  // the empty source is deleted
}

TEST_F(X1Test, NamesFromTheChosenSystemWithTheirGeologyCodes) {
  std::string x1 = Convert(Lines({
      "1,1.20,2,3,40,0,0,0,,,,,,,,,,,,",         // system 1
      "2,3.50,,,,,,,0,10,600,0,0,300,,,,,,",     // system 2, an alternation
      "3,4.00,,,,,,,,,,0,0,100,,,,,,",           // no first codes anywhere: system 2 again
      "4,5.00,,,,,,,,,,,,,2,3,20,,,",            // system 3: main soil names only
      "5,6.00,1,,0,,,,,,,,,,,,,,,",              // "" and "0" count as given
      "6,7.00,6,9,100,0,0,0,,,,,,,,,,,,",        // no such codes in system 1
      "7,12345.678,0,0,40,0,0,40.5,,,,,,,,,,,,",  // 40.5 rounds to 40
  }));
  EXPECT_EQ(x1, Lines({
                    S(u8"  1,   1.20,1000,砂混りシルト質粘土"),
                    S(u8"  2,   3.50,1001,砂質粘性土と砂の互層"),
                    S(u8"  3,   4.00,1002,と礫の互層"),
                    S(u8"  4,   5.00,0020,砂"),
                    S(u8"  5,   6.00,1003,礫混り"),
                    S(u8"  6,   7.00,0000,"),
                    S(u8"  7,345.678,1004,粘土と粘土の互層"),
                }));
  // The new names went to both vocabulary files, in order.
  EXPECT_EQ(Vocabulary("XKISHITU.TXT"),
            Lines({S(u8"1000,砂混りシルト質粘土") + kBlanks, S(u8"1001,砂質粘性土と砂の互層") + kBlanks,
                   S(u8"1002,と礫の互層") + kBlanks, S(u8"1003,礫混り") + kBlanks,
                   S(u8"1004,粘土と粘土の互層") + kBlanks, S(u8"4000,岩盤") + kBlanks}));
  // A second borehole finds them in "KISHITU.TXT" and adds nothing.
  std::string kishitu = Vocabulary("KISHITU.TXT");
  EXPECT_EQ(Convert(Lines({"1,1.00,,,,,,,0,10,600,0,0,300,,,,,,"})), Lines({S(u8"  1,   1.00,1001,砂質粘性土と砂の互層")}));
  EXPECT_EQ(Vocabulary("KISHITU.TXT"), kishitu);
}

TEST_F(X1Test, TheCodeIsWrittenOnlyWhileTheLastScanStaysWithinTheVocabularyCount) {
  vocabulary.KishituCount = 11;
  EXPECT_EQ(Convert(Lines({
                "1,1.00,0,0,40,0,0,0,,,,,,,,,,,,",  // "粘土" is position 11
                "2,2.00,0,0,99,0,0,0,,,,,,,,,,,,",  // "盛土" is position 45
                "3,3.00,2,0,0,0,0,0,,,,,,,,,,,,",   // the admixture scan ends at 2
            })),
            Lines({S(u8"  1,   1.00,0040,粘土"), S(u8"  2,   2.00,0000,盛土"), S(u8"  3,   3.00,1001,砂混り")}));
  // The name behind the hidden code was still added.
  EXPECT_TRUE(Vocabulary("KISHITU.TXT").ends_with(S(u8"1000,盛土") + kBlanks + "\r\n" + S(u8"1001,砂混り") + kBlanks + "\r\n"));
}

TEST_F(X1Test, ACodeBeyond16BitsEndsTheConversionNamingTheSource) {
  try {
    Convert(Lines({"1,1.00,0,0,40,0,0,0,,,,,,,,,,,,", "2,2.00,0,0,40000,0,0,0,,,,,,,,,,,,"}));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), borehole.File("N1A.TXT"));
    EXPECT_EQ(e.line(), 2);
  }
}

}  // namespace
}  // namespace s1ordo
