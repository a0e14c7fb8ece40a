// The command line on a copy of the sample data: check, dry run, report and
// keep-going, as a user runs them, each looked at from outside (exit status,
// what is printed, what the folders hold afterwards).
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "app/cli.h"
#include "helpers/encoding.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;
using test::FileExists;
using test::ReadBytes;
using test::Snapshot;
using test::WriteBytes;

// DIZIVAD, RIDEVI and LISTS copied from the samples, the settings naming
// them, and a program folder for the marker of vocabulary additions.
class SampleCliTest : public ::testing::Test {
 protected:
  SampleCliTest() {
    for (const char* folder : {"DIZIVAD", "RIDEVI", "LISTS"})
      fs::copy(fs::path(S1ORDO_EXAMPLES_DIR) / folder, dir / folder, fs::copy_options::recursive);
    const std::string sep(1, Separator(NativePathForm()));
    WriteBytes(dir / "SYS/DodavoZ5.ini", "[RIDEVI]\r\n" + (dir / "RIDEVI") + sep + "\r\n");
    WriteBytes(dir / "SYS/Ridevi.ini", "[LISTS]\r\n" + (dir / "LISTS") + sep + "\r\n");
    test::MakeFolder(dir / "PROGRAM");
    test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", dir / "PROGRAM");
  }
  ~SampleCliTest() override { test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", ""); }

  int Run(std::vector<std::string> args) {
    args.push_back("--system-folder");
    args.push_back(dir / "SYS");
    out.str("");
    err.str("");
    std::istringstream in;
    CliStreams io{in, out, err, false, false};
    return RunCommandLine(args, DefaultEnv(), io);
  }
  // The lines {"file": ..., "line": ...} of a report's additions, as
  // "FILE: LINE".
  static std::vector<std::string> Additions(const std::string& json) {
    std::vector<std::string> lines;
    const std::regex addition(R"re(\{"file": "([^"]+)", "line": "([^"]*)"\})re");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), addition); it != std::sregex_iterator(); ++it)
      lines.push_back((*it)[1].str() + ": " + (*it)[2].str());
    return lines;
  }

  test::TempDir dir;
  std::ostringstream out, err;
};

TEST_F(SampleCliTest, CheckOnValidDataFindsWarningsOnlyAndWritesNothing) {
  const auto before = Snapshot(dir.path());
  EXPECT_EQ(Run({"check", dir / "DIZIVAD"}), kExitOk) << err.str();
  EXPECT_EQ(Snapshot(dir.path()), before);
  EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "s1ordo-check"));
  EXPECT_NE(out.str().find("B-2/TITL1.TXT:16: warning: 名前 \"自然堤防帯\" は 8 バイトに切られて"), std::string::npos)
      << out.str();
  EXPECT_EQ(out.str().substr(out.str().rfind('\n', out.str().size() - 2) + 1), "0 errors, 5 warnings\n");
}

// Each broken borehole is found, named as it is under SOURCE, and the check
// goes on past it; nothing is written.
TEST_F(SampleCliTest, CheckFindsEveryBrokenBorehole) {
  WriteBytes(dir / "DIZIVAD/B-1/CNT.TXT", "1,2,3\r\n");                                 // six items needed
  fs::remove(dir / "DIZIVAD/B-2/N1A.TXT");
  WriteBytes(dir / "DIZIVAD/B-2/n1a.txt", "1,1.00,0,0,99999,0,0,0,,,,,,,,,,,,\r\n");  // no 16-bit code
  const auto before = Snapshot(dir.path());
  EXPECT_EQ(Run({"check", dir / "DIZIVAD", "--all"}), kExitFailed);
  EXPECT_EQ(Snapshot(dir.path()), before);
  const std::string text = "\n" + out.str();
  EXPECT_NE(text.find("\nB-1/CNT.TXT:1: error: "), std::string::npos) << text;
  EXPECT_NE(text.find("\nB-2/n1a.txt:1: error: "), std::string::npos) << text;
  EXPECT_NE(text.find("\n2 errors, 1 warning\n"), std::string::npos) << text;

  EXPECT_EQ(Run({"check", dir / "DIZIVAD", "B-2", "--format", "json"}), kExitFailed);
  EXPECT_EQ(out.str().rfind("[\n  {\"severity\": ", 0), 0u) << out.str();
  EXPECT_NE(out.str().find("{\"severity\": \"error\", \"borehole\": \"B-2\", \"file\": \"B-2/n1a.txt\", \"line\": 1, "),
            std::string::npos)
      << out.str();
}

// The additions of a report are, line for line, what the pattern-data files
// gained; a dry run on a fresh copy reports the same and changes nothing.
TEST_F(SampleCliTest, ReportedAdditionsAreWhatThePatternDataGained) {
  const auto before = Snapshot(dir.path());
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--all", "--dry-run", "--report", "-"}), kExitOk);
  const std::string dry = out.str();
  EXPECT_EQ(dry.rfind("{\n", 0), 0u) << dry;  // nothing but the report on standard output
  EXPECT_EQ(dry.substr(dry.size() - 2), "}\n");
  EXPECT_NE(dry.find("\"dry_run\": true"), std::string::npos);
  EXPECT_EQ(Snapshot(dir.path()), before);

  const auto ridevi = Snapshot(dir / "RIDEVI");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--all", "--yes", "--report", dir / "report.json"}), kExitOk);
  const std::vector<std::string> reported = Additions(ReadBytes(dir / "report.json"));
  EXPECT_EQ(Additions(dry), reported);
  // What each file gained, in the order of its lines, against the report's
  // lines of that file in the order added.
  for (const auto& [path, bytes] : Snapshot(dir / "RIDEVI")) {
    const std::string name = fs::path(path).filename().string();
    std::string old_bytes;
    for (const auto& [p, b] : ridevi)
      if (p == path) old_bytes = b;
    std::vector<std::string> gained, of_file;
    std::istringstream now(DisplayText(bytes)), then(DisplayText(old_bytes));
    std::vector<std::string> old_lines;
    for (std::string line; std::getline(then, line);) old_lines.push_back(line);
    for (std::string line; std::getline(now, line);) {
      auto it = std::find(old_lines.begin(), old_lines.end(), line);
      if (it == old_lines.end()) gained.push_back(name + ": " + line.substr(0, line.size() - 1));  // less its CR
      else old_lines.erase(it);
    }
    for (const std::string& r : reported)
      if (r.rfind(name + ": ", 0) == 0) of_file.push_back(r);
    EXPECT_EQ(gained, of_file) << name;
  }
  EXPECT_EQ(reported.size(), 12u);
}

TEST_F(SampleCliTest, KeepGoingGoesPastABrokenFirstBorehole) {
  WriteBytes(dir / "DIZIVAD/B-1/CNT.TXT", "1,2,3\r\n");
  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--all", "--yes"}), kExitFailed);
  EXPECT_FALSE(FileExists(dir / "OUT/B-2/X1.txt"));  // without it the run ends at the first failure
  EXPECT_NE(err.str().find("変換元のファイル: B-1/CNT.TXT (行 1)"), std::string::npos) << err.str();

  EXPECT_EQ(Run({"convert", dir / "DIZIVAD", dir / "OUT", "--all", "--yes", "--keep-going", "--report", "-"}),
            kExitFailed);
  EXPECT_TRUE(FileExists(dir / "OUT/B-2/X1.txt"));
  EXPECT_TRUE(FileExists(dir / test::S(u8"OUT/追加孔3/X1.txt")));
  EXPECT_NE(err.str().find("このボーリング孔の変換を中止し、次に進みます。"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("s1ordo: 3 boreholes: 2 converted, 0 without data, 1 failed\n"), std::string::npos);
  const std::string json = out.str();
  EXPECT_NE(json.find("{\"name\": \"B-1\", \"status\": \"failed\""), std::string::npos) << json;
  EXPECT_NE(json.find("{\"name\": \"B-2\", \"status\": \"converted\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"failure\": {\"borehole\": \"B-1\", \"file\": \"B-1/CNT.TXT\", \"line\": 1, \"cause\": "),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"exit\": 2,"), std::string::npos);
}

}  // namespace
}  // namespace s1ordo
