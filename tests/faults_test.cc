// Runs on the sample boreholes under faults of the machine: a destination or
// pattern-data folder that cannot be written, a disk that fills up part-way,
// files that vanish during the run. Each run must end with an error that
// names the file, leave the source folder as it was and every list of the
// pattern-data folder either as it was or as a complete run leaves it (never
// half-written), and the next run in the same process must work.
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "app/startup.h"
#include "fault_env.h"
#include "helpers/encoding.h"
#include "helpers/text.h"
#include "run/run.h"
#include "test_support.h"

namespace s1ordo {
namespace {

namespace fs = std::filesystem;
using test::FakeUi;
using test::FaultEnv;
using test::ReadBytes;
using test::S;
using test::Snapshot;
using test::TempDir;
using test::WriteBytes;

using Tree = std::vector<std::pair<std::string, std::string>>;

// dir & separator & each part, joined by the platform's separator, as the
// run builds its paths.
std::string In(const TempDir& dir, std::initializer_list<std::string_view> parts) {
  const char sep = Separator(NativePathForm());
  std::string path = dir.path();
  for (std::string_view part : parts) path += sep + std::string(part);
  return path;
}

bool ContainsIgnoreCase(const std::string& text, const std::string& part) {
  for (size_t i = 0; i + part.size() <= text.size(); ++i)
    if (EqualsIgnoreCase(std::string_view(text).substr(i, part.size()), part)) return true;
  return false;
}

// The samples in a temporary folder: DIZIVAD with B-1 and B-2, RIDEVI,
// LISTS, and a system folder whose two settings files name them.
void Lay(const TempDir& dir) {
  const fs::path examples = S1ORDO_EXAMPLES_DIR;
  fs::create_directories(fs::path(In(dir, {"DIZIVAD"})));
  for (const char* borehole : {"B-1", "B-2"})
    fs::copy(examples / "DIZIVAD" / borehole, fs::path(In(dir, {"DIZIVAD"})) / borehole, fs::copy_options::recursive);
  fs::copy(examples / "RIDEVI", fs::path(In(dir, {"RIDEVI"})), fs::copy_options::recursive);
  fs::copy(examples / "LISTS", fs::path(In(dir, {"LISTS"})), fs::copy_options::recursive);
  WriteBytes(In(dir, {"system", "DodavoZ5.ini"}), "[RIDEVI]\r\n" + In(dir, {"RIDEVI", ""}) + "\r\n");
  WriteBytes(In(dir, {"system", "Ridevi.ini"}), "[LISTS]\r\n" + In(dir, {"LISTS", ""}) + "\r\n");
}

// Starts up on the laid-out samples and prepares the window's choice.
void Prepare(const TempDir& dir, Session& session, FakeUi& ui, const std::string& destination) {
  session.settings.system_folder = In(dir, {"system"});
  ASSERT_TRUE(StartUp(session));
  ui.source = In(dir, {"DIZIVAD"});
  ui.destination = destination;
  ui.SetBoreholes({"B-1", "B-2"});
}

class FaultsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // What a complete run makes of the pattern-data folder.
    TempDir dir;
    Lay(dir);
    Session session(DefaultEnv());
    FakeUi ui;
    Prepare(dir, session, ui, In(dir, {"out"}));
    ASSERT_EQ(RunConversion(session, ui), RunOutcome::kCompleted);
    complete_ = new Tree(Snapshot(In(dir, {"RIDEVI"})));
  }
  static void TearDownTestSuite() {
    delete complete_;
    complete_ = nullptr;
  }

  FaultsTest() : session(env) {
    Lay(dir);
    Prepare(dir, session, ui, In(dir, {"out"}));
    source_before = Snapshot(In(dir, {"DIZIVAD"}));
    ridevi_before = Snapshot(In(dir, {"RIDEVI"}));
  }

  RunOutcome Run() {
    ui.boxes.clear();
    ui.SetBoreholes({"B-1", "B-2"});
    return RunConversion(session, ui);
  }

  // The failure box of the last run; it must name the file.
  void ExpectFailureNaming(const std::string& path) {
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ(ui.boxes.back().kind, MessageKind::kError);
    EXPECT_NE(ui.boxes.back().text.find(S(u8"ファイル: ") + path), std::string::npos)
        << DisplayText(ui.boxes.back().text);
    EXPECT_FALSE(ui.busy);
  }

  // No file of the pattern-data folder is half-written: each is as before
  // the run, as a complete run leaves it, or in between, made of whole lines
  // that the complete run also writes (the boreholes converted before the
  // failure extend the vocabulary and legend lists); no other file is there.
  void ExpectPatternDataWhole() {
    std::map<std::string, std::string> before(ridevi_before.begin(), ridevi_before.end());
    std::map<std::string, std::string> complete(complete_->begin(), complete_->end());
    Tree now = Snapshot(In(dir, {"RIDEVI"}));
    EXPECT_EQ(now.size(), ridevi_before.size());
    for (const auto& [name, bytes] : now) {
      if ((before.count(name) && before[name] == bytes) || (complete.count(name) && complete[name] == bytes))
        continue;
      ASSERT_TRUE(before.count(name) && complete.count(name)) << name;
      EXPECT_TRUE(WholeLinesBetween(before[name], bytes, complete[name]))
          << name << " is neither as before, nor as after a complete run, nor made of their whole lines";
    }
  }

  // The lines of `now` end with CR LF, include every line of `before` and
  // are all lines of `before` or `complete`.
  static bool WholeLinesBetween(const std::string& before, const std::string& now, const std::string& complete) {
    if (!now.empty() && now.size() < 2) return false;
    if (!now.empty() && now.compare(now.size() - 2, 2, "\r\n") != 0) return false;
    auto lines = [](const std::string& text) {
      std::multiset<std::string> out;
      for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        out.insert(text.substr(start, end - start));
        start = end + 2;
      }
      return out;
    };
    std::multiset<std::string> b = lines(before), n = lines(now), c = lines(complete);
    for (const auto& line : b)
      if (n.count(line) < b.count(line)) return false;
    for (const auto& line : n)
      if (!b.count(line) && !c.count(line)) return false;
    return true;
  }

  // The program goes on: without the fault the next run converts.
  void ExpectNextRunCompletes() {
    env.read_only.clear();
    env.space = -1;
    env.before = nullptr;
    EXPECT_EQ(Run(), RunOutcome::kCompleted);
    EXPECT_EQ(Snapshot(In(dir, {"RIDEVI"})), *complete_);
    EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
    EXPECT_TRUE(test::FileExists(In(dir, {"out", "B-2", "X7.txt"})));
  }

  static Tree* complete_;
  TempDir dir;
  FaultEnv env;
  Session session;
  FakeUi ui;
  Tree source_before, ridevi_before;
};

Tree* FaultsTest::complete_ = nullptr;

// The sample run extends "L1.txt" for B-2, so the pattern-data folder is
// written to; otherwise the tests below would prove little.
TEST_F(FaultsTest, TheSampleRunExtendsALegendList) {
  ASSERT_NE(*complete_, ridevi_before);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(Snapshot(In(dir, {"RIDEVI"})), *complete_);
}

TEST_F(FaultsTest, DestinationThatCannotBeWritten) {
  // The destination folder itself cannot be made.
  env.read_only = In(dir, {"out"});
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  ExpectFailureNaming(In(dir, {"out"}));
  EXPECT_FALSE(test::FileExists(In(dir, {"out"})));

  // The folder of the second borehole is there but cannot be written.
  test::MakeFolder(In(dir, {"out", "B-2"}));
  env.read_only = In(dir, {"out", "B-2"});
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  ExpectFailureNaming(In(dir, {"out", "B-2", ""}));
  EXPECT_NE(ui.boxes.back().text.find(S(u8"ボーリング孔: B-2")), std::string::npos);
  EXPECT_TRUE(test::FileExists(In(dir, {"out", "B-1", "X7.txt"})));  // the first borehole was converted
  EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
  ExpectPatternDataWhole();
  ExpectNextRunCompletes();
}

TEST_F(FaultsTest, ReadOnlyPatternDataFolder) {
  env.read_only = In(dir, {"RIDEVI"});
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  // The first layer name that the vocabulary lacks needs "XKISHITU.TMP".
  ExpectFailureNaming(In(dir, {"RIDEVI", "XKISHITU.TMP"}));
  EXPECT_EQ(Snapshot(In(dir, {"RIDEVI"})), ridevi_before);
  EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
  ExpectNextRunCompletes();
}

#ifndef _WIN32
// Folder permissions, as an ordinary user meets them. Root writes anyway,
// so there the Env-based tests above stand in.
TEST_F(FaultsTest, ReadOnlyFoldersByPermission) {
  const std::string ridevi = In(dir, {"RIDEVI"});
  ASSERT_EQ(chmod(ridevi.c_str(), 0555), 0);
  const bool enforced = access(ridevi.c_str(), W_OK) != 0;
  if (enforced) {
    EXPECT_EQ(Run(), RunOutcome::kFailed);
    // The first file the run writes there: the additions of the vocabulary.
    ExpectFailureNaming(ridevi + "/XKISHITU.TMP");
    EXPECT_EQ(Snapshot(ridevi), ridevi_before);
  }
  chmod(ridevi.c_str(), 0755);
  if (!enforced) GTEST_SKIP() << "running as root: folder permissions are not enforced";

  const std::string work = In(dir, {"out", "B-2"});
  test::MakeFolder(work);
  ASSERT_EQ(chmod(work.c_str(), 0555), 0);
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  ExpectFailureNaming(work + "/");
  chmod(work.c_str(), 0755);
  EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
  ExpectPatternDataWhole();
  ExpectNextRunCompletes();
}
#endif  // _WIN32

TEST_F(FaultsTest, DiskFillingUpPartWay) {
  // Measure what a complete run writes, and where "L1.txt" is rewritten.
  int64_t total = 0, list_starts = -1;
  {
    TempDir other;
    Lay(other);
    FaultEnv counting;
    counting.before = [&](std::string_view op, const std::string& path) {
      if (op == "NewWritableFile" && path == In(other, {"RIDEVI", "L1.txt.new"})) list_starts = counting.written;
    };
    Session c(counting);
    FakeUi u;
    Prepare(other, c, u, In(other, {"out"}));
    ASSERT_EQ(RunConversion(c, u), RunOutcome::kCompleted);
    ASSERT_GE(list_starts, 0);
    total = counting.written;
  }
  int64_t list_size = 0;
  for (const auto& [name, bytes] : *complete_)
    if (name == "L1.txt") list_size = static_cast<int64_t>(bytes.size());
  ASSERT_GT(list_size, 0);
  std::vector<int64_t> budgets = {0, 1, total / 4, total / 2, list_starts - 1, list_starts,
                                  list_starts + 1, list_starts + list_size / 2, total - 1};
  for (int64_t budget : budgets) {
    SCOPED_TRACE("disk space " + std::to_string(budget) + " of " + std::to_string(total));
    // Every budget starts from the same pattern data and an empty destination.
    fs::remove_all(fs::path(In(dir, {"RIDEVI"})));
    fs::remove_all(fs::path(In(dir, {"out"})));
    fs::copy(fs::path(S1ORDO_EXAMPLES_DIR) / "RIDEVI", fs::path(In(dir, {"RIDEVI"})), fs::copy_options::recursive);
    env.space = budget;
    EXPECT_EQ(Run(), RunOutcome::kFailed);
    ASSERT_FALSE(ui.boxes.empty());
    const std::string& text = ui.boxes.back().text;
    EXPECT_NE(text.find(S(u8"ファイル: ") + dir.path()), std::string::npos) << DisplayText(text);
    EXPECT_NE(text.find("No space left on device"), std::string::npos) << DisplayText(text);
    EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
    ExpectPatternDataWhole();
    if (budget >= list_starts && budget < list_starts + list_size)
      ExpectFailureNaming(In(dir, {"RIDEVI", "L1.txt"}));
  }
  ExpectNextRunCompletes();
}

#ifndef _WIN32
// A real file size limit on the test process's child: the write that
// crosses it fails with EFBIG in the real file layer.
TEST_F(FaultsTest, FileSizeLimitOfTheProcess) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{200, 200};  // smaller than the largest sample file
    setrlimit(RLIMIT_FSIZE, &limit);
    Session c(DefaultEnv());
    FakeUi u;
    c.settings.system_folder = In(dir, {"system"});
    if (!StartUp(c)) _exit(10);
    u.source = In(dir, {"DIZIVAD"});
    u.destination = In(dir, {"out"});
    u.SetBoreholes({"B-1", "B-2"});
    if (RunConversion(c, u) != RunOutcome::kFailed) _exit(11);
    const std::string& text = u.boxes.back().text;
    if (u.boxes.back().kind != MessageKind::kError) _exit(12);
    if (text.find(S(u8"ファイル: ") + In(dir, {"out", "B-1", ""})) == std::string::npos) _exit(13);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no start, 11: not failed, 12: no error box, 13: file not named";
  EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
  ExpectPatternDataWhole();
  ExpectNextRunCompletes();
}
#endif  // _WIN32

// Two runs started together on one pattern-data folder, each into its own
// destination, take turns: the pattern data and both converted trees end as
// after the two runs one after the other. The first run stops at its first
// change of the pattern data until the second has had its chance to run
// (or has said that it waits).
TEST_F(FaultsTest, TwoRunsAtOnceTakeTurns) {
  struct Side {
    explicit Side(const TempDir& d, const std::string& borehole, const std::string& out) : session(env) {
      env.base = own.get();
      Prepare(d, session, ui, In(d, {out}));
      ui.SetBoreholes({borehole});
    }
    std::unique_ptr<Env> own = NewPlatformEnv();
    FaultEnv env;
    Session session;
    struct WaitingUi : FakeUi {
      std::function<void()> on_wait;
      bool WaitForOtherConversion(const std::string& message) override {
        on_wait();
        return FakeUi::WaitForOtherConversion(message);
      }
    } ui;
  };
  TempDir one_after_other;
  Lay(one_after_other);
  std::string vocabulary_after_first;  // "KISHITU.TXT" as the first run leaves it
  for (auto [borehole, out] : {std::pair{"B-1", "out1"}, std::pair{"B-2", "out2"}}) {
    Side side(one_after_other, borehole, out);
    ASSERT_EQ(RunConversion(side.session, side.ui), RunOutcome::kCompleted);
    if (vocabulary_after_first.empty()) vocabulary_after_first = ReadBytes(In(one_after_other, {"RIDEVI", "KISHITU.TXT"}));
  }

  Side first(dir, "B-1", "out1"), second(dir, "B-2", "out2");
  std::mutex m;
  std::condition_variable changed;
  bool first_paused = false, second_turn_over = false;
  auto note = [&](bool& flag) {
    std::lock_guard<std::mutex> hold(m);
    flag = true;
    changed.notify_all();
  };
  first.env.before = [&](std::string_view op, const std::string& path) {
    if (first_paused || op != "NewWritableFile" || path.rfind(In(dir, {"RIDEVI"}), 0) != 0) return;
    note(first_paused);
    std::unique_lock<std::mutex> hold(m);
    changed.wait_for(hold, std::chrono::seconds(20), [&] { return second_turn_over; });
  };
  second.ui.on_wait = [&] { note(second_turn_over); };
  // The vocabulary the second run keeps ("KONNYU.TXT" is read for nothing
  // else) is read once the first has made its changes.
  bool second_read_vocabulary_after_first = false;
  second.env.before = [&](std::string_view op, const std::string& path) {
    if (op == "ReadFile" && path == In(dir, {"RIDEVI", "KONNYU.TXT"}))
      second_read_vocabulary_after_first = ReadBytes(In(dir, {"RIDEVI", "KISHITU.TXT"})) == vocabulary_after_first;
  };
  RunOutcome first_outcome = RunOutcome::kFailed;
  std::thread first_run([&] { first_outcome = RunConversion(first.session, first.ui); });
  {
    std::unique_lock<std::mutex> hold(m);
    ASSERT_TRUE(changed.wait_for(hold, std::chrono::seconds(20), [&] { return first_paused; }));
  }
  RunOutcome second_outcome = RunConversion(second.session, second.ui);
  note(second_turn_over);
  first_run.join();
  EXPECT_EQ(first_outcome, RunOutcome::kCompleted);
  EXPECT_EQ(second_outcome, RunOutcome::kCompleted);
  // "CNT.TXT" holds parts of the destination's path, which differ.
  auto converted = [](const std::string& folder) {
    Tree files = Snapshot(folder);
    std::erase_if(files, [](const auto& f) { return f.first.find("CNT.TXT") != std::string::npos; });
    return files;
  };
  for (const char* folder : {"RIDEVI", "out1", "out2"})
    EXPECT_EQ(converted(In(dir, {folder})), converted(In(one_after_other, {folder}))) << folder;
  EXPECT_TRUE(second_read_vocabulary_after_first);
  ASSERT_FALSE(second.ui.message_history.empty());
  EXPECT_NE(second.ui.message_history[0].find(S(u8"他の変換がパターンデータフォルダを使用中です。")), std::string::npos);
}

#ifndef _WIN32
// Links, FIFOs and permissions in the folders of a run, as a careless user
// or a hostile folder leaves them.
TEST_F(FaultsTest, LinksFifosAndPermissionsInTheWay) {
  // Replaced files of the pattern data keep their permissions and group;
  // one the user may not write is a failure that names it, and stays.
  const std::string additions = In(dir, {"RIDEVI", "XKISHITU.TXT"});
  const gid_t group = geteuid() == 0 ? (getegid() == 100 ? 101 : 100) : getegid();
  for (const char* name : {"KISHITU.TXT", "XKISHITU.TXT", "L1.txt"}) {
    ASSERT_EQ(chmod(In(dir, {"RIDEVI", name}).c_str(), 0664), 0);
    ASSERT_EQ(chown(In(dir, {"RIDEVI", name}).c_str(), static_cast<uid_t>(-1), group), 0);
  }
  ASSERT_EQ(chmod(additions.c_str(), 0444), 0);
  if (access(additions.c_str(), W_OK) != 0) {
    EXPECT_EQ(Run(), RunOutcome::kFailed);
    ExpectFailureNaming(additions);
    EXPECT_NE(ui.boxes.back().text.find(S(u8"アクセスが拒否されました")), std::string::npos);
    EXPECT_EQ(Snapshot(In(dir, {"RIDEVI"})), ridevi_before);
  }
  ASSERT_EQ(chmod(additions.c_str(), 0664), 0);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(Snapshot(In(dir, {"RIDEVI"})), *complete_);
  for (const char* name : {"KISHITU.TXT", "XKISHITU.TXT", "L1.txt"}) {
    struct stat st;
    ASSERT_EQ(stat(In(dir, {"RIDEVI", name}).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u) << name;
    EXPECT_EQ(st.st_gid, group) << name;
  }

  // A link under the name of a file the run writes is replaced, never
  // followed; a source FIFO is not copied, and the user is told.
  test::Deadline deadline(60);
  const std::string source_file = In(dir, {"DIZIVAD", "B-1", "N1A.TXT"});
  const std::string x1 = In(dir, {"out", "B-1", "X1.txt"});
  ASSERT_EQ(unlink(x1.c_str()), 0);
  ASSERT_EQ(symlink(source_file.c_str(), x1.c_str()), 0);
  const std::string fifo = In(dir, {"DIZIVAD", "B-2", "pipe.txt"});
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  const Tree source_with_fifo = Snapshot(In(dir, {"DIZIVAD"}));
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_with_fifo);
  struct stat st;
  ASSERT_EQ(lstat(x1.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().kind, MessageKind::kWarning);
  EXPECT_NE(ui.boxes.back().text.find(fifo), std::string::npos);
  ASSERT_EQ(unlink(fifo.c_str()), 0);

  // A FIFO where the run writes or reads a file is a failure naming it.
  ASSERT_EQ(unlink(x1.c_str()), 0);
  ASSERT_EQ(mkfifo(x1.c_str(), 0644), 0);
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  ExpectFailureNaming(x1);
  ASSERT_EQ(unlink(x1.c_str()), 0);
  const std::string kishitu = In(dir, {"RIDEVI", "KISHITU.TXT"});
  const std::string kept = ReadBytes(kishitu);
  ASSERT_EQ(unlink(kishitu.c_str()), 0);
  ASSERT_EQ(mkfifo(kishitu.c_str(), 0644), 0);
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  ExpectFailureNaming(kishitu);
  ASSERT_EQ(unlink(kishitu.c_str()), 0);
  WriteBytes(kishitu, kept);
  ExpectNextRunCompletes();
}
#endif  // _WIN32

TEST_F(FaultsTest, SourceFileRemovedBeforeItIsCopied) {
  const std::string victim = In(dir, {"DIZIVAD", "B-2", "N5.TXT"});
  const std::string kept = ReadBytes(victim);
  env.before = [&](std::string_view op, const std::string& path) {
    if (op == "CopyFile" && path == victim) fs::remove(victim);
  };
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  ExpectFailureNaming(victim);
  EXPECT_FALSE(test::FileExists(victim));
  WriteBytes(victim, kept);
  EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
  ExpectPatternDataWhole();
  ExpectNextRunCompletes();
}

TEST_F(FaultsTest, WorkFileRemovedBetweenItsTestAndItsReading) {
  // Every source a converter reads, removed just before it is read.
  for (const char* name : {"N11.TXT", "G30.TXT", "N5.hed", "G41A.txt", "N12.TXT", "N6.txt", "N7.txt",
                           "TITL1.TXT", "CNT.TXT"}) {
    SCOPED_TRACE(name);
    const std::string victim = In(dir, {"out", "B-1", ""}) + name;
    env.before = [&](std::string_view op, const std::string& path) {
      if (op == "ReadFile" && EqualsIgnoreCase(path, victim)) fs::remove(victim);
    };
    EXPECT_EQ(Run(), RunOutcome::kFailed);
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_TRUE(ContainsIgnoreCase(ui.boxes.back().text, S(u8"ファイル: ") + victim)) << DisplayText(ui.boxes.back().text);
    EXPECT_EQ(Snapshot(In(dir, {"DIZIVAD"})), source_before);
    ExpectPatternDataWhole();
  }
  ExpectNextRunCompletes();
}

}  // namespace
}  // namespace s1ordo
