// Tests of the staging of a borehole's work folder: the copies, the count
// file and the inclusion file.
#include "run/staging.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "converter_fixture.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class StagingTest : public test::ConverterTest {
 protected:
  StagingTest() {
    job.source_folder = dir / "src/BH1/";
    job.work_folder = borehole.path() + "/";
    MakeFolder(dir / "src/BH1");
    job.second_folder = "SITE";
    job.third_folder = "BH1";
  }
  std::string Work(const std::string& name) { return job.work_folder + name; }
  std::string RewriteN4(const std::string& source) {
    WriteBytes(Work("N4.TXT"), source);
    RewriteInclusionFile(env, job.work_folder);
    return ReadBytes(Work("N4.TXT"));
  }

  BoreholeJob job;
  CountFileCarry carry;
};

TEST_F(StagingTest, CopiesEveryOrdinaryFileReplacingOldCopies) {
  WriteBytes(dir / "src/BH1/N1.TXT", "new");
  WriteBytes(dir / "src/BH1/" + S(u8"メモ.txt"), "memo");
  WriteBytes(dir / "src/BH1/.hidden", "h");
  WriteBytes(Work("N1.TXT"), "old");
  for (int k = 0; k < 300; ++k) WriteBytes(dir / ("src/BH1/F" + std::to_string(k) + ".DAT"), "x");
  CopyBoreholeFiles(env, job);
  EXPECT_EQ(ReadBytes(Work("N1.TXT")), "new");
  EXPECT_EQ(ReadBytes(Work(S(u8"メモ.txt"))), "memo");
  EXPECT_TRUE(FileExists(Work("F299.DAT")));  // no limit on the number of files
  EXPECT_FALSE(FileExists(Work(".hidden")));
}

// Ten lines: the first two characters of the second folder, the third and
// fourth folder, items 5 and 6 (5 becomes "2" above 20).
TEST_F(StagingTest, CountFileHasTenLines) {
  struct Case {
    std::string file, line5, line6;
  } cases[] = {{"1, 2\r\n3,4,\" 7 \",abc\r\n", " 7 ", "abc"}, {"0,0,0,0,25,6", "2", "6"},
               {"0,0,0,0,20,6", "20", "6"},  {"0,0,0,0,abc,6", "abc", "6"}, {"0,0,0,0,20.5,6", "2", "6"},
               {"0,0,0,0,,6", "", "6"}};
  for (const Case& c : cases) {
    WriteBytes(Work("CNT.TXT"), c.file);
    RewriteCountFile(env, job, carry);
    EXPECT_EQ(ReadBytes(Work("CNT.TXT")), Lines({"SI", "BH1", "", "", c.line5, c.line6, "", "", "", ""})) << c.file;
  }
  WriteBytes(Work("CNT.TXT"), "1,2,3,4,5\r\n");  // too few items
  try {
    RewriteCountFile(env, job, carry);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), Work("CNT.TXT"));
  }
}

TEST_F(StagingTest, MissingCountFileKeepsTheValuesOfTheRun) {
  carry.item5 = "3";
  carry.item6 = "9";
  job.second_folder = S(u8"現場");
  job.third_folder = "A";
  job.fourth_folder = "B";
  RewriteCountFile(env, job, carry);
  EXPECT_EQ(ReadBytes(Work("CNT.TXT")), Lines({S(u8"現場"), "A", "B", "", "3", "9", "", "", "", ""}));
  WriteBytes(Work("CNT.TXT"), "");  // empty counts as missing
  RewriteCountFile(env, job, carry);
  EXPECT_EQ(carry.item5, "3");
}

TEST_F(StagingTest, InclusionFileInFixedWidthFields) {
  EXPECT_EQ(RewriteN4("1, ,3.50,7\r\n"), "  1,   3.50,       ,007\r\n");
  EXPECT_EQ(RewriteN4("12,2.00,2.50,105\r\n"), " 12,   2.00,   2.50,105\r\n");
  EXPECT_EQ(RewriteN4("1234,12345678,x,1234\r\n"), "234,2345678,      x,234\r\n");
  EXPECT_EQ(RewriteN4("1,2,3,-5\r\n2,2,3,\r\n3,2,3,7.5\r\n"),
            "  1,      2,      3,005\r\n  2,      2,      3,000\r\n  3,      2,      3,7.5\r\n");
  EXPECT_EQ(RewriteN4(S(u8"1,深度,,x\r\n")), S(u8"  1,     深度,       ,000\r\n"));
  EXPECT_FALSE(FileExists(Work("N4_WK.TXT")));
}

TEST_F(StagingTest, MissingInclusionFileLeavesAnEmptyOne) {
  RewriteInclusionFile(env, job.work_folder);
  ASSERT_TRUE(FileExists(Work("N4.TXT")));
  EXPECT_EQ(ReadBytes(Work("N4.TXT")), "");
}

TEST_F(StagingTest, IncompleteInclusionRecordFailsAndKeepsTheFile) {
  WriteBytes(Work("N4.TXT"), "1,2,3,4\r\n5,6\r\n");
  try {
    RewriteInclusionFile(env, job.work_folder);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), Work("N4.TXT"));
    EXPECT_EQ(e.line(), 2);
  }
  EXPECT_EQ(ReadBytes(Work("N4.TXT")), "1,2,3,4\r\n5,6\r\n");  // never half-replaced
}

// "N4.TXT" is written converted straight from the source; the work folder
// ends as if the file had been copied and converted there.
TEST_F(StagingTest, InclusionFileIsConvertedFromTheSourceAsFromACopy) {
  const std::string records = "1, ,3.50,7\r\n12,2.00,2.50,105\r\n";
  WriteBytes(dir / "src/BH1/n4.txt", records);
  WriteBytes(dir / "src/BH1/N1.TXT", "x");
  const std::vector<std::string> held = CopyBoreholeFiles(env, job, true);
  ASSERT_EQ(held, std::vector<std::string>{"n4.txt"});
  EXPECT_TRUE(FileExists(Work("N1.TXT")));
  EXPECT_FALSE(FileExists(Work("n4.txt")));
  EXPECT_TRUE(RewriteInclusionFile(env, job.work_folder, job.source_folder + held.back()));
  const std::string converted = ReadBytes(Work("N4.TXT"));
  EXPECT_EQ(converted, RewriteN4(records));
  EXPECT_EQ(Snapshot(borehole.path()).size(), 2u);  // "N1.TXT" and "N4.TXT", no work file
  EXPECT_EQ(ReadBytes(dir / "src/BH1/n4.txt"), records);

  WriteBytes(dir / "src/BH1/n4.txt", "");  // no data: nothing written
  EXPECT_FALSE(RewriteInclusionFile(env, job.work_folder, job.source_folder + "n4.txt"));
  EXPECT_EQ(ReadBytes(Work("N4.TXT")), converted);
}

TEST_F(StagingTest, AFailedInclusionFileIsLeftAsItsCopy) {
  const std::string records = "1,2,3,4\r\n5,6\r\n";
  WriteBytes(dir / "src/BH1/N4.TXT", records);
  LegendLists legends(env, pattern_folder);
  const ListFolderSetting lists = Lists();
  EXPECT_THROW(StageBorehole(env, job, carry, legends, Inputs(lists)), Error);
  EXPECT_EQ(ReadBytes(Work("N4.TXT")), records);
}

// A record that the end of its file cuts short names the line where it
// begins and says how many items it needs and how many it has, in each of
// the files read record by record: the count file, "N4.TXT", a source
// with partners, a code list and the vocabulary.
TEST_F(StagingTest, ARecordCutShortSaysWhatWasExpectedAndWhere) {
  const struct {
    std::vector<std::pair<std::string, std::string>> sources, lists;  // name, content
    std::string file;  // in the work folder, or with a "/" in front in the pattern-data folder
    long line;
    std::u8string_view found;
  } cases[] = {
      {{{"CNT.TXT", "0,0,0\r\n"}}, {}, "CNT.TXT", 1, u8"6 項目必要ですが、3 項目しかありません"},
      {{{"N4.TXT", "1,2,3,4\r\n\r\n"}}, {}, "N4.TXT", 2,
       u8"4 項目必要ですが、ファイルの最後の空の行には項目がありません"},
      {{{"G41.TXT", "1,1.00,a,b,c\r\n2,2.00,d,e,f\r\n"},
        {"G41A.txt", "1,1.00,1,2,3,4\r\n2,2.00\r\n"},
        {"G41B.txt", "1,1.00,1,2\r\n2,2.00,1,2\r\n"}},
       {}, "G41A.txt", 2, u8"6 項目必要ですが、2 項目しかありません"},
      {{{"N11.TXT", "1,1.00,100,\r\n"}}, {{"l10.txt", "100,a\r\n200\r\n"}}, "/l10.txt", 2,
       u8"2 項目必要ですが、1 項目しかありません"},
      {{{"N1A.TXT", "1,5.00,,,,,,,,,,,,,2,3,20,,,\r\n"}},
       {{"KISHITU.TXT", "0020,a,,,,\r\n0040,b,1\r\n"}},
       "/KISHITU.TXT", 2, u8"6 項目必要ですが、3 項目しかありません"},
  };
  LegendLists legends(env, pattern_folder);
  const ListFolderSetting lists = Lists();
  for (const auto& c : cases) {
    for (const std::string& folder : {job.source_folder, job.work_folder}) {
      RemoveAll(folder);
      MakeFolder(folder);
    }
    for (const auto& [name, content] : c.sources) WriteBytes(job.source_folder + name, content);
    for (const auto& [name, content] : c.lists) WriteBytes(pattern_folder + name, content);
    const std::string file = c.file[0] == '/' ? pattern_folder + c.file.substr(1) : Work(c.file);
    try {
      StageBorehole(env, job, carry, legends, Inputs(lists));
      ADD_FAILURE() << "no failure for " << c.file;
    } catch (const Error& e) {
      auto slashed = [](std::string path) {  // the converters name work files by either separator
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
      };
      EXPECT_EQ(slashed(e.file()), slashed(file));
      EXPECT_EQ(e.line(), c.line) << c.file;
      EXPECT_TRUE(e.cause().ends_with(S(u8"ファイルの終わりを越えて読もうとしました: ") + S(c.found)))
          << DisplayText(e.cause());
    }
  }
}

}  // namespace
}  // namespace s1ordo
