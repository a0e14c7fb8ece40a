// A run that converts the next boreholes on a second thread must leave
// exactly what a run of one borehole after another leaves: the trees, the
// pattern data, the report, the messages and the progress, also when the
// vocabulary and legend lists grow, when a borehole fails part-way and when
// an earlier conversion is cleaned away.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/startup.h"
#include "bench_data.h"
#include "helpers/env.h"
#include "run/report_json.h"
#include "run/run.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct ProgressUi : test::FakeUi {
  std::vector<std::string> progress;
  void Progress(int done, int total, const std::string& borehole) override {
    progress.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + borehole);
  }
};

// Everything a run leaves and says, in one text per part.
struct Outcome {
  RunOutcome outcome;
  std::vector<std::pair<std::string, std::string>> files;  // under the run's folder
  std::vector<std::string> folders;                         // under the destination, hidden ones too
  std::string report;
  std::vector<std::string> said;  // message boxes, progress, message line
  size_t warnings = 0;            // counted
  size_t warning_texts = 0;       // kept
};

// Converts data/DIZIVAD into dir/out with copies of the pattern data in
// dir, one borehole after another or ahead; a second conversion when
// `again` (into the same destination, with the pattern data the first
// left).
Outcome Convert(bool ahead, const RunOptions& given, const TempDir& data, const TempDir& dir, bool again = false) {
  const char sep = Separator(NativePathForm());
  if (!again) {
    fs::copy(fs::path(data / "RIDEVI"), fs::path(dir / "RIDEVI"), fs::copy_options::recursive);
    fs::copy(fs::path(data / "LISTS"), fs::path(dir / "LISTS"), fs::copy_options::recursive);
    test::WriteBytes(dir / "SYS/DodavoZ5.ini", "[R]\r\n" + (dir / "RIDEVI") + sep + "\r\n");
    test::WriteBytes(dir / "SYS/Ridevi.ini", "[L]\r\n" + (dir / "LISTS") + sep + "\r\n");
  }
  test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", dir.path());
  auto env = NewPlatformEnv();
  const auto ahead_envs = NewAheadEnvs();
  Session session(*env);
  session.ahead_envs = Pointers(ahead_envs);
  session.settings.system_folder = dir / "SYS";
  EXPECT_TRUE(StartUp(session));
  ProgressUi ui;
  ui.source = data / "DIZIVAD";
  ui.destination = dir / "out";
  ui.SetBoreholes(env->ListSubfolders(ui.source, nullptr));
  RunOptions options = given;
  options.convert_ahead = ahead;
  RunReport report;
  Outcome o;
  o.outcome = RunConversion(session, ui, options, &report);
  test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", "");
  o.files = test::Snapshot(dir.path());
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(dir / "out")))
    if (entry.is_directory()) o.folders.push_back(fs::relative(entry.path(), fs::path(dir / "out")).string());
  std::sort(o.folders.begin(), o.folders.end());
  std::erase_if(o.files, [](const auto& f) { return f.first.rfind("SYS", 0) == 0; });  // they name the run's folder
  for (auto& [name, bytes] : o.files)  // lines 1 to 3 name the run's folder
    if (name.size() >= 7 && name.substr(name.size() - 7) == "CNT.TXT")
      for (int line = 0; line < 3; ++line) bytes.erase(0, bytes.find('\n') + 1);
  o.report = ReportJson(report, "test", 0);
  o.warnings = report.WarningCount();
  o.warning_texts = report.Warnings().size();
  for (const auto& box : ui.boxes) o.said.push_back(box.text);
  o.said.insert(o.said.end(), ui.progress.begin(), ui.progress.end());
  o.said.push_back(ui.message_line);
  return o;
}

void ExpectSame(const Outcome& one_by_one, const Outcome& ahead) {
  EXPECT_EQ(one_by_one.outcome, ahead.outcome);
  EXPECT_EQ(one_by_one.folders, ahead.folders);
  ASSERT_EQ(one_by_one.files.size(), ahead.files.size());
  for (size_t i = 0; i < one_by_one.files.size(); ++i) {
    EXPECT_EQ(one_by_one.files[i].first, ahead.files[i].first);
    EXPECT_TRUE(one_by_one.files[i].second == ahead.files[i].second) << one_by_one.files[i].first << " differs";
  }
  EXPECT_EQ(one_by_one.said.size(), ahead.said.size());
}

class ConvertingAheadTest : public ::testing::Test {
 protected:
  // Enough boreholes that the later ones find their soil names and legend
  // entries added by the earlier ones, and are taken as done ahead.
  void SetUp() override {
    GenerateBenchData(fs::path(data.path()), 24, 12, 60, 300);
    // Boreholes whose "CNT.TXT" has no data take the values of the last one
    // before that had (two such in a row, and the first of the run); in a
    // second conversion, one without the file finds that of the first.
    for (const char* name : {"B0001", "B0006", "B0010", "B0011"})
      test::WriteBytes(data / ("DIZIVAD/" + std::string(name) + "/CNT.TXT"), "");
    fs::remove(fs::path(data / "DIZIVAD/B0015/CNT.TXT"));
#ifndef _WIN32
    // Every addition flushes a pattern-data file to the disk: the runs go to
    // memory where the system has it.
    const char* tmpdir = std::getenv("TMPDIR");
    saved_tmpdir = tmpdir ? tmpdir : "";
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec)) test::SetEnvironment("TMPDIR", "/dev/shm");
#endif
  }
  void TearDown() override {
#ifndef _WIN32
    test::SetEnvironment("TMPDIR", saved_tmpdir);
#endif
  }

  // One borehole after another and ahead, each in a folder of the same
  // length, so that the reports and messages can be compared whole.
  // Gives the run of one borehole after another.
  Outcome ExpectSameBothWays(const RunOptions& options, bool twice = false) {
    TempDir a, b;
    Outcome one_by_one = Convert(false, options, data, a);
    Outcome ahead = Convert(true, options, data, b);
    if (twice) {
      one_by_one = Convert(false, options, data, a, true);
      ahead = Convert(true, options, data, b, true);
    }
    ExpectSame(one_by_one, ahead);
    // The report and messages name the run's folder (the report in JSON,
    // with each "\" doubled).
    auto unfold = [](std::string text, const TempDir& dir) {
      std::string json;
      for (char c : dir.path()) json += c == '\\' ? std::string("\\\\") : std::string(1, c);
      for (const std::string& folder : {dir.path(), json})
        for (size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "DIR");
      return text;
    };
    EXPECT_TRUE(unfold(one_by_one.report, a) == unfold(ahead.report, b)) << "the reports differ";
    for (size_t i = 0; i < one_by_one.said.size() && i < ahead.said.size(); ++i)
      EXPECT_EQ(unfold(one_by_one.said[i], a), unfold(ahead.said[i], b));
    return one_by_one;
  }

  TempDir data;
  std::string saved_tmpdir;
};

TEST_F(ConvertingAheadTest, WhatPassesFromBoreholeToBoreholeIsAsOneAfterAnother) {
  const Outcome run = ExpectSameBothWays(RunOptions{});
  EXPECT_EQ(run.outcome, RunOutcome::kCompleted);
  EXPECT_NE(run.report.find("\"file\": \"KISHITU.TXT\""), std::string::npos);  // the vocabulary grew
  EXPECT_NE(run.report.find("\"file\": \"L1.txt\""), std::string::npos);       // and a legend list
}

TEST_F(ConvertingAheadTest, ABoreholeThatFailsEndsTheRunOrIsPassedByAsOneAfterAnother) {
  // The fourth borehole's count file is cut short: its conversion fails
  // after the copy.
  const std::string names[] = {"B0004", "B0007"};
  test::WriteBytes(data / ("DIZIVAD/" + names[0] + "/CNT.TXT"), "1,2,3\r\n");
  EXPECT_EQ(ExpectSameBothWays(RunOptions{}).outcome, RunOutcome::kFailed);
  RunOptions keep_going;
  keep_going.keep_going = true;
  test::WriteBytes(data / ("DIZIVAD/" + names[1] + "/N1A.TXT"), "1,2\r\n");
  const Outcome run = ExpectSameBothWays(keep_going);
  EXPECT_EQ(run.outcome, RunOutcome::kFailed);
  EXPECT_NE(run.report.find("\"name\": \"B0008\", \"status\": \"converted\""), std::string::npos) << run.report;
}

TEST_F(ConvertingAheadTest, ASecondConversionIntoTheSameFoldersAsOneAfterAnother) {
  RunOptions clean;
  clean.clean = true;
  ExpectSameBothWays(RunOptions{}, true);
  ExpectSameBothWays(clean, true);
}

// A run that shows only the number of its warnings counts as many as one
// that keeps each.
TEST_F(ConvertingAheadTest, WarningsCountedOnlyAreAsManyAsThoseKept) {
  RunOptions counted;
  counted.keep_warnings = false;
  TempDir a, b;
  const Outcome kept = Convert(false, RunOptions{}, data, a);
  const Outcome only = Convert(true, counted, data, b);
  EXPECT_GT(kept.warning_texts, 100u);
  EXPECT_EQ(kept.warnings, kept.warning_texts);
  EXPECT_EQ(only.warnings, kept.warnings);
  EXPECT_LT(only.warning_texts, 10u);  // those of the run itself and of the copy
  ExpectSame(kept, only);
}

}  // namespace
}  // namespace s1ordo
