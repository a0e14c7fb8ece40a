// The converter keeps code lists, vocabulary files and folder entries in
// memory instead of reading them again and again. A whole run over generated
// data must give exactly the bytes of a run that reads everything anew.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/startup.h"
#include "bench_data.h"
#include "helpers/env.h"
#include "helpers/env_wrapper.h"
#include "run/run.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Every call goes to a new platform Env, so nothing is remembered between
// calls.
class ForgetfulEnv : public EnvWrapper {
 public:
  ForgetfulEnv() : EnvWrapper(DefaultEnv()) {}
  Env& target() const override {
    fresh_ = NewPlatformEnv();
    return *fresh_;
  }

 private:
  mutable std::unique_ptr<Env> fresh_;
};

// Converts every borehole of data/DIZIVAD into dir/w/out with copies of the
// pattern data in dir/w, and returns everything the run left in dir/w.
std::vector<std::pair<std::string, std::string>> Convert(Env& env, bool reread, const TempDir& data,
                                                          const TempDir& dir) {
  const std::string way = "w";
  const char sep = Separator(NativePathForm());
  fs::create_directories(fs::path(dir / way));
  fs::copy(fs::path(data / "RIDEVI"), fs::path(dir / (way + "/RIDEVI")), fs::copy_options::recursive);
  fs::copy(fs::path(data / "LISTS"), fs::path(dir / (way + "/LISTS")), fs::copy_options::recursive);
  test::WriteBytes(dir / (way + "/SYS/DodavoZ5.ini"), "[R]\r\n" + (dir / (way + "/RIDEVI")) + sep + "\r\n");
  test::WriteBytes(dir / (way + "/SYS/Ridevi.ini"), "[L]\r\n" + (dir / (way + "/LISTS")) + sep + "\r\n");
  test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", dir / way);

  Session session(env);
  session.settings.system_folder = dir / (way + "/SYS");
  EXPECT_TRUE(StartUp(session));
  test::FakeUi ui;
  ui.source = data / "DIZIVAD";
  ui.destination = dir / (way + "/out");
  ui.SetBoreholes(env.ListSubfolders(ui.source, nullptr));
  RunOptions options;
  options.reread_files = reread;
  EXPECT_EQ(RunConversion(session, ui, options), RunOutcome::kCompleted) << (ui.boxes.empty() ? "" : ui.boxes.back().text);
  test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", "");

  auto files = test::Snapshot(dir / way);
  // The settings and "CNT.TXT" hold parts of the folders' paths, which differ.
  std::erase_if(files, [](const auto& f) {
    return f.first.rfind("SYS", 0) == 0 || (f.first.size() >= 7 && f.first.substr(f.first.size() - 7) == "CNT.TXT");
  });
  return files;
}

TEST(OptimisedEquivalenceTest, RunGivesTheBytesOfReadingEverythingAnew) {
  TempDir data, one, other;
  GenerateBenchData(fs::path(data.path()), 6, 40, 60, 300);
  auto env = NewPlatformEnv();
  ForgetfulEnv forgetful;
  auto remembered = Convert(*env, false, data, one);
  auto anew = Convert(forgetful, true, data, other);
  ASSERT_EQ(remembered.size(), anew.size());
  EXPECT_GT(remembered.size(), 6u * 40u);  // every borehole converted
  for (size_t i = 0; i < remembered.size(); ++i) {
    EXPECT_EQ(remembered[i].first, anew[i].first);
    EXPECT_TRUE(remembered[i].second == anew[i].second) << remembered[i].first << " differs";
  }
}

}  // namespace
}  // namespace s1ordo
