// The converter keeps code lists, vocabulary files and folder entries in
// memory instead of reading them again and again. A whole run over generated
// data must give exactly the bytes of a run that reads everything anew.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "bench_data.h"
#include "helpers/env.h"
#include "run/run.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Every call goes to a new platform Env, so nothing is remembered between
// calls.
class ForgetfulEnv : public Env {
 public:
  PathForm form() const override { return NativePathForm(); }
  std::string ReadFile(const std::string& p) override { return NewPlatformEnv()->ReadFile(p); }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& p) override {
    return NewPlatformEnv()->NewWritableFile(p);
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& p) override {
    return NewPlatformEnv()->NewAppendableFile(p);
  }
  bool Exists(const std::string& p) override { return NewPlatformEnv()->Exists(p); }
  bool IsFolder(const std::string& p) override { return NewPlatformEnv()->IsFolder(p); }
  int64_t FileSize(const std::string& p) override { return NewPlatformEnv()->FileSize(p); }
  void DeleteFile(const std::string& p) override { NewPlatformEnv()->DeleteFile(p); }
  void RenameFile(const std::string& a, const std::string& b) override { NewPlatformEnv()->RenameFile(a, b); }
  void ReplaceFile(const std::string& a, const std::string& b) override { NewPlatformEnv()->ReplaceFile(a, b); }
  void CopyFile(const std::string& a, const std::string& b) override { NewPlatformEnv()->CopyFile(a, b); }
  void CreateFolder(const std::string& p) override { NewPlatformEnv()->CreateFolder(p); }
  std::vector<std::string> ListFiles(const std::string& p, std::vector<std::string>* left_out) override {
    return NewPlatformEnv()->ListFiles(p, left_out);
  }
  std::vector<std::string> ListSubfolders(const std::string& p, std::vector<std::string>* left_out) override {
    return NewPlatformEnv()->ListSubfolders(p, left_out);
  }
  std::unique_ptr<FolderLock> TryLockFolder(const std::string& p) override {
    return NewPlatformEnv()->TryLockFolder(p);
  }
  bool DriveUsable(char letter) override { return NewPlatformEnv()->DriveUsable(letter); }
  std::string SystemFolder() override { return NewPlatformEnv()->SystemFolder(); }
  std::string ProgramFolder() override { return NewPlatformEnv()->ProgramFolder(); }
  std::string CurrentFolder() override { return NewPlatformEnv()->CurrentFolder(); }
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
