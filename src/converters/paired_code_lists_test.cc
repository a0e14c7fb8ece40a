// Tests of the converters that take their sources through paired code
// lists.
#include "converters/paired_code_lists.h"

#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class PairedCodeListTest : public test::ConverterTest {};

TEST_F(PairedCodeListTest, EachSourceGoesThroughItsOwnList) {
  for (const char* name : {"L19.txt", "L13.txt", "L16.txt", "L14.txt", "L15.txt"})
    List(name, {"1," + std::string(name, 3)});
  List("L17.txt", {"1,x,L17"});
  for (const char* name : {"G30", "G31", "G32", "G33", "G34", "G35"})
    Source(std::string(name) + ".TXT", {"1,0.50,1,1", "2,1.00,1,"});
  ConvertR30ToR35(borehole, code_lists);
  const char* lists[][2] = {{"R30.txt", "L19"}, {"R31.txt", "L13"}, {"R32.txt", "L14"},
                            {"R33.txt", "L15"}, {"R34.txt", "L16"}, {"R35.txt", "L17"}};
  for (auto [target, list] : lists) {  // each target counts its records from 1
    std::string n = list;
    EXPECT_EQ(Target(target), Lines({"  1,   0.50, 1," + n + ", 1," + n, "  2,   1.00, 1," + n + ",  ,"}));
  }
}

TEST_F(PairedCodeListTest, CodeColumnsKeepTwoCharactersWhileLookupUsesTheWholeCode) {
  List("L19.txt", {S(u8"5,砂"), S(u8"105,礫"), S(u8"5,砂礫")});
  Source("G30.TXT", {"1,0.50,5,", "2,1.00,105,5", "3,1.50,0012345,5", "4,2.00,40000,5"});
  EXPECT_THROW(ConvertR30ToR35(borehole, code_lists), Error);  // 40000 does not fit 16 bits
  EXPECT_EQ(Target("R30.txt"), Lines({S(u8"  1,   0.50, 5,砂礫,  ,"),  // the later 5 wins
                                      S(u8"  2,   1.00,05,礫, 5,砂礫"),
                                      S(u8"  3,   1.50,34,, 5,砂礫")}));  // cut to 001234 first
}

TEST_F(PairedCodeListTest, R72TakesTheFirstEntryAndCutsNamesToThreeBytes) {
  List("L18.txt", {S(u8"7,砂岩"), S(u8"7,泥岩"), "8,ab", "9,abcd"});
  List("L18b.txt", {S(u8"7,風"), "3.5,x"});
  Source("G72.TXT", {S(u8"1,1.00,5,7,7,備考"), "2,2.00,1234,8,3.5,\"a,b\"", "3,3.00,,9,,", "4,4.00,x,12,3,"});
  ConvertR72(borehole, code_lists);
  std::string sandstone = S(u8"砂岩").substr(0, 3);  // the cut may end inside a character
  EXPECT_EQ(Target("R72.txt"), Lines({"  1,   1.00,  5,007," + sandstone + ",007," + S(u8"風") + " ," + S(u8"備考"),
                                      "  2,   2.00,234,008,ab ,3.5,x  ,a,b", "  3,   3.00,   ,009,abc,00,   ,",
                                      "  4,   4.00,  x,012,   ,003,   ,"}));
}

TEST_F(PairedCodeListTest, R72FailsAtAMissingSecondListAfterTheFirst) {
  List("L18.txt", {"1,a"});
  Source("G72.TXT", {"1,1.00,5,1,1,"});
  try {
    ConvertR72(borehole, code_lists);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), pattern_folder + "L18b.txt");
  }
  EXPECT_EQ(Target("R72.txt"), "");
}

}  // namespace
}  // namespace s1ordo
