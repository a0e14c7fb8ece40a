// Tests of the inclusion names file and its codes.
#include "converters/x4_inclusions.h"

#include <gtest/gtest.h>


#include "converter_fixture.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

VocabularyEntry Entry(int16_t code, const std::string& name) {
  VocabularyEntry e;
  e.code = code;
  e.name = name;
  return e;
}

class X4Test : public test::ConverterTest {
 protected:
  X4Test() {
    vocabulary.KonnyuTable = {Entry(12, S(u8"木片")), Entry(15, S(u8"貝殻")), Entry(12345, S(u8"化石")),
                              Entry(16, S(u8"貝殻"))};
    vocabulary.KonnyuCount = 4;
  }

  std::string Convert(const std::string& n4) {
    WriteBytes(borehole.File("N4.TXT"), n4);
    SoilTermScan scan;
    ConvertX4(borehole, soil, scan, vocabulary);
    return Has("X4.txt") ? Target("X4.txt") : "(none)";
  }
};

TEST_F(X4Test, InclusionNamesWithTheirKonnyuCodes) {
  EXPECT_EQ(Convert(Lines({"  1,   0.80,       ,009", "  2,   2.40,       ,014", "  3,       ,       ,9.5",
                           "  4,   3.00,       ,003", "  5,   4.00,       ,015", "  6,   5.00,       ,000"})),
            Lines({S(u8"  1,   0.80,       ,0012,木片"),
                   S(u8"  2,   2.40,       ,0015,貝殻"),  // the first entry of the name wins
                   "  3,       ,       ,0000,",           // a code with a fraction finds no term
                   S(u8"  4,   3.00,       ,0000,砂"),    // a name KONNYU.TXT lacks
                   S(u8"  5,   4.00,       ,2345,化石"),  // only the last four digits
                   "  6,   5.00,       ,0000,"}));
}

TEST_F(X4Test, AnEmptyNameMatchesAnEntryWithoutName) {
  vocabulary.KonnyuTable.push_back(Entry(99, ""));
  vocabulary.KonnyuCount = 5;
  EXPECT_EQ(Convert(Lines({"1,1.00,,0", "2,2.00,,16"})), Lines({"  1,   1.00,       ,0099,", "  2,   2.00,       ,0099,"}));
}

TEST_F(X4Test, WithoutKonnyuEveryCodeIs0000) {
  vocabulary.KonnyuCount = 0;
  EXPECT_EQ(Convert(Lines({"1,1.00,,9"})), Lines({S(u8"  1,   1.00,       ,0000,木片")}));
  env.DeleteFile(borehole.File("X4.txt"));
  EXPECT_EQ(Convert(""), "(none)");  // no data: no target
}

}  // namespace
}  // namespace s1ordo
