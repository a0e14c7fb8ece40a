// The code-list and numeric record converters over copies of the sample
// boreholes, with the sample pattern-data folder.
#include <gtest/gtest.h>

#include "converters/continuation_merger.h"
#include "converters/level_coded_lists.h"
#include "converters/numeric_records.h"
#include "converters/paired_code_lists.h"
#include "converter_fixture.h"

namespace s1ordo {
namespace {

using test::S;

// Lines that show the harder parts of the samples: quoted items, records
// spanning lines, continuation records, blank second codes.
class ListConvertersExamplesTest : public test::ConverterTest {};

TEST_F(ListConvertersExamplesTest, SampleBoreholes) {
  const std::pair<const char*, std::vector<std::pair<const char*, std::string>>> samples[] = {
      {"B-1",
       {{"X11.txt", S(u8"  3,   3.50,121,灰明黄灰,やや明るい,斑状")},
        {"X3.txt", S(u8"  2,   1.20,0311  ,粘土質,      ,,  ")},
        {"R13.txt", S(u8"  3,   3.50,2101  ,中砂")},
        {"R35.txt", S(u8"  2,   5.00, 2,密, 1,非常に密")},
        {"R72.txt", S(u8"  2,   5.00, 60,003,CL ,005,軟 ,割れ目多い,一部粘土化")},
        {"R41.txt", "  2,   2.50,1.8,2.4,0.9, 52,1.0, 14, 17, 20, 24"},
        {"X5.txt", "  6,   6.15, 50,107, 14, 30, 20,   ,   ,   ,   "},
        {"X14.txt", "  3,   4.00,1.90,2.64,   ,           "},
        {"X12.TXT", S(u8"  3,   3.50,\"砂。細砂～中砂,貝殻片混り。下部ほど粗くなる。\"")},
        {"X120.TXT", S(u8"  2,   6.00,\"新鮮、硬質。\"")}}},
      {"B-2",
       {{"X5.txt", "  3,   3.15,  4,  4, 30,  1,  1,  2,   ,   ,   "},
        {"R34.txt", S(u8"  1,   0.60, 6,風化残留土,  ,")},
        {"X3.txt", S(u8"  3,   2.40,041120,シルト質細,      ,,  ")}}},
  };
  CopyFromDisk(std::string(S1ORDO_EXAMPLES_DIR) + Separator(DefaultEnv().form()) + "RIDEVI", dir / "RIDEVI");
  for (const auto& [borehole, lines] : samples) {
    const char sep = Separator(DefaultEnv().form());
    CopyFromDisk(std::string(S1ORDO_EXAMPLES_DIR) + sep + "DIZIVAD" + sep + borehole, dir / borehole);
    const BoreholeFolder folder(env, dir / borehole);
    CodeLists lists(env, pattern_folder);
    for (auto convert : {ConvertX11, ConvertX3, ConvertR30ToR35, ConvertR72, ConvertR13}) convert(folder, lists);
    for (auto convert : {ConvertX12, ConvertX120, ConvertX5, ConvertR41, ConvertX14}) convert(folder);
    for (const auto& [target, line] : lines)
      EXPECT_NE(ReadBytes(folder.File(target)).find(line + "\r\n"), std::string::npos)
          << borehole << " " << target;
  }
}

}  // namespace
}  // namespace s1ordo
