// The converters of code lists and numeric records over the sample
// boreholes, with the sample pattern-data folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "converters/continuation_merger.h"
#include "converters/level_coded_lists.h"
#include "converters/numeric_records.h"
#include "converters/paired_code_lists.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;
using test::S;

class ListConvertersExamplesTest : public ::testing::TestWithParam<const char*> {
 protected:
  ListConvertersExamplesTest() : ctx(DefaultEnv()) {
    fs::copy(fs::path(S1ORDO_EXAMPLES_DIR) / "DIZIVAD" / GetParam(), dir / GetParam());
    ctx.RideviFolder = std::string(S1ORDO_EXAMPLES_DIR) + "/RIDEVI/";
    ctx.BoreholeFolder = dir / GetParam();
  }
  void ConvertAll() {
    ConvertX11(ctx);
    ConvertX3(ctx);
    ConvertX12(ctx);
    ConvertX120(ctx);
    ConvertX5(ctx);
    ConvertR30ToR35(ctx);
    ConvertR41(ctx);
    ConvertX14(ctx);
    ConvertR72(ctx);
    ConvertR13(ctx);
  }
  std::string Target(const std::string& name) { return test::ReadBytes(ctx.InBorehole(name)); }

  test::TempDir dir;
  Context ctx;
};

TEST_P(ListConvertersExamplesTest, EveryTargetIsWritten) {
  ConvertAll();
  for (const char* name : {"X11.txt", "X3.txt", "R13.txt", "R30.txt", "R31.txt", "R32.txt", "R33.txt", "R34.txt",
                           "R35.txt", "R72.txt", "X5.txt", "X5.hed", "R41.txt", "X14.txt", "X12.TXT", "X120.TXT",
                           "N12.tmp", "G101.tmp"})
    EXPECT_NE(Target(name), "") << name;
}

// Lines that show the harder parts of the samples: quoted items, records
// spanning lines, continuation records, blank second codes.
TEST_P(ListConvertersExamplesTest, SampleLines) {
  ConvertAll();
  auto has_line = [&](const std::string& target, const std::string& line) {
    return Target(target).find(line + "\r\n") != std::string::npos;
  };
  if (std::string(GetParam()) == "B-1") {
    EXPECT_TRUE(has_line("X11.txt", S(u8"  3,   3.50,121,灰明黄灰,やや明るい,斑状")));
    EXPECT_TRUE(has_line("X3.txt", S(u8"  2,   1.20,0311  ,粘土質,      ,,  ")));
    EXPECT_TRUE(has_line("R72.txt", S(u8"  2,   5.00, 60,003,CL ,005,軟 ,割れ目多い,一部粘土化")));
    EXPECT_TRUE(has_line("R35.txt", S(u8"  2,   5.00, 2,密, 1,非常に密")));
    EXPECT_TRUE(has_line("R41.txt", "  2,   2.50,1.8,2.4,0.9, 52,1.0, 14, 17, 20, 24"));
    EXPECT_TRUE(has_line("X5.txt", "  6,   6.15, 50,107, 14, 30, 20,   ,   ,   ,   "));
    EXPECT_TRUE(has_line("X12.TXT", S(u8"  3,   3.50,\"砂。細砂～中砂,貝殻片混り。下部ほど粗くなる。\"")));
    EXPECT_TRUE(has_line("X120.TXT", S(u8"  2,   6.00,\"新鮮、硬質。\"")));
  } else {
    EXPECT_TRUE(has_line("X5.txt", "  3,   3.15,  4,  4, 30,  1,  1,  2,   ,   ,   "));
    EXPECT_TRUE(has_line("R34.txt", S(u8"  1,   0.60, 6,風化残留土,  ,")));
    EXPECT_TRUE(has_line("X3.txt", S(u8"  3,   2.40,041120,シルト質細,      ,,  ")));
    EXPECT_FALSE(test::FileExists(ctx.InBorehole("X5.hd2")));  // "N5.hd2" is empty
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, ListConvertersExamplesTest, ::testing::Values("B-1", "B-2"));

}  // namespace
}  // namespace s1ordo
