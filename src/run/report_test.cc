// The run's report: its JSON as programs read it, and a run stopped part
// way through a borehole, as the report and the folders show it.
#include "run/report.h"

#include <gtest/gtest.h>

#include "helpers/encoding.h"
#include "run/report_json.h"
#include "run/run.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::S;

TEST(ReportJsonTest, TheShapeProgramsRead) {
  RunReport r;
  r.source = "D:\\DATA\\DIZIVAD\\";
  r.destination = "E:\\OUT\\";
  r.reached_conversion = true;
  BoreholeResult& b1 = r.boreholes.emplace_back();
  b1.name = "B-1";
  b1.status = BoreholeStatus::kConverted;
  b1.files_written = {"B-1/CNT.TXT", "B-1/X1.txt"};
  b1.additions = {{"KISHITU.TXT", S(u8"1000,凝灰岩,    ,    ,    ,    ")}};
  b1.warnings = {{"B-1", "B-1/N1A.TXT", 3, "a \"quoted\"\ttab\\"}};
  BoreholeResult& b2 = r.boreholes.emplace_back();
  b2.name = S(u8"追加孔3");
  b2.status = BoreholeStatus::kFailed;
  b2.failure = Finding{b2.name, S(u8"追加孔3/CNT.TXT"), 1, S(u8"原因")};
  r.boreholes.emplace_back().name = "B-4";  // not reached
  EXPECT_EQ(ReportJson(r, "1.2.3", 2),
            "{\n"
            "  \"version\": \"1.2.3\",\n"
            "  \"source\": \"D:\\\\DATA\\\\DIZIVAD\",\n"
            "  \"destination\": \"E:\\\\OUT\",\n"
            "  \"dry_run\": false,\n"
            "  \"exit\": 2,\n"
            "  \"ended_by\": null,\n"
            "  \"boreholes\": [\n"
            "    {\"name\": \"B-1\", \"status\": \"converted\", \"files_written\": 2},\n"
            "    {\"name\": \"追加孔3\", \"status\": \"failed\", \"files_written\": 0},\n"
            "    {\"name\": \"B-4\", \"status\": \"not reached\", \"files_written\": 0}\n"
            "  ],\n"
            "  \"additions\": [\n"
            "    {\"file\": \"KISHITU.TXT\", \"line\": \"1000,凝灰岩,    ,    ,    ,    \"}\n"
            "  ],\n"
            "  \"warnings\": [\n"
            "    {\"borehole\": \"B-1\", \"file\": \"B-1/N1A.TXT\", \"line\": 3, \"text\": \"a \\\"quoted\\\"\\u0009tab\\\\\"}\n"
            "  ],\n"
            "  \"failure\": {\"borehole\": \"追加孔3\", \"file\": \"追加孔3/CNT.TXT\", \"line\": 1, \"cause\": \"原因\"},\n"
            "  \"failures\": [\n"
            "    {\"borehole\": \"追加孔3\", \"file\": \"追加孔3/CNT.TXT\", \"line\": 1, \"cause\": \"原因\"}\n"
            "  ]\n"
            "}\n");
  EXPECT_EQ(SummaryLines(r, Language::kEnglish),
            (std::vector<std::string>{"3 boreholes: 1 converted, 0 without data, 1 failed, 1 not reached",
                                      "Added to the pattern data: KISHITU.TXT 1 line", "1 warning"}));
}

// An env that asks the run to stop once it has copied `after` files into
// the folder of the borehole `borehole`.
class StoppingEnv : public test::WindowsEnv {
 public:
  StoppingEnv(std::string root, StopRequest& stop) : WindowsEnv(std::move(root)), stop_(stop) {}
  void CopyFile(const std::string& from, const std::string& to) override {
    WindowsEnv::CopyFile(from, to);
    if (to.find("\\BH2\\") != std::string::npos && ++copied_ == 2) stop_.Ask();
  }

 private:
  StopRequest& stop_;
  int copied_ = 0;
};

// Stopped between two files of the second borehole: the first converted,
// the second unfinished with whole copies, the third not reached.
TEST(StoppedRunTest, StopsBetweenTwoFilesOfABorehole) {
  test::TempDir dir;
  StopRequest stop;
  StoppingEnv env(dir.path(), stop);
  for (const char* b : {"BH1", "BH2", "BH3"})
    for (const char* f : {"N1.TXT", "P1.DAT", "P2.DAT"})
      test::WriteBytes(env.Map(std::string("D:\\DIZIVAD\\") + b + "\\" + f), std::string(f) + " of " + b + "\r\n");
  test::MakeFolder(env.Map("E:\\OUT"));
  Session session(env);
  test::FakeUi ui;
  ui.source = "D:\\DIZIVAD";
  ui.destination = "E:\\OUT";
  ui.SetBoreholes({"BH1", "BH2", "BH3"});
  RunOptions options;
  options.stop = &stop;
  RunReport report;
  EXPECT_EQ(RunConversion(session, ui, options, &report), RunOutcome::kStopped);
  ASSERT_EQ(report.boreholes.size(), 3u);
  EXPECT_EQ(report.boreholes[0].status, BoreholeStatus::kConverted);
  EXPECT_EQ(report.boreholes[1].status, BoreholeStatus::kUnfinished);
  EXPECT_EQ(report.boreholes[1].files_written, (std::vector<std::string>{"BH2/N1.TXT", "BH2/P1.DAT"}));
  EXPECT_EQ(report.boreholes[2].status, BoreholeStatus::kNotReached);
  EXPECT_EQ(test::ReadBytes(env.Map("E:\\OUT\\BH2\\P1.DAT")), "P1.DAT of BH2\r\n");
  EXPECT_FALSE(test::FileExists(env.Map("E:\\OUT\\BH2\\P2.DAT")));
  EXPECT_FALSE(test::FileExists(env.Map("E:\\OUT\\BH3\\N1.TXT")));
  EXPECT_EQ(ui.message_line, "");
}

}  // namespace
}  // namespace s1ordo
