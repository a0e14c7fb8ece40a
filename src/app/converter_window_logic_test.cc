// The window's logic with a recording view and desktop: start-up, the
// folder and drive lists, what the window adds to the run's checks, a run
// as the window shows it, a failure and the message line. (The run's own
// checks and files are tested with the run; the windows run it under Wine
// and offscreen.)
#include "app/converter_window_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "helpers/encoding.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::MakeFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

std::string U(std::u8string_view utf8) { return std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size()); }

// Records what the logic shows; answers every question yes.
struct FakeView : ConverterWindowView {
  std::string box[2];  // by PathBox: destination, source
  std::vector<FolderEntry> folders[2];
  int current_folder[2] = {-1, -1}, drive[2] = {-1, -1};
  std::vector<std::string> drives, boreholes, shown, titles;  // shown: the boxes' texts
  std::vector<bool> selected;
  std::vector<PathBox> focused;
  std::string message_line, progress;  // progress: empty while hidden
  bool busy = false, enabled = true, focus_restored = false, closed = false;
  std::function<void()> on_events;

  std::vector<std::string> Labels(Side side) const {
    std::vector<std::string> labels;
    for (const FolderEntry& e : folders[static_cast<int>(side)]) labels.push_back(e.label);
    return labels;
  }
  void CentreOnScreen() override {}
  std::string PathBoxText(PathBox b) override { return box[static_cast<int>(b)]; }
  void SetPathBoxText(PathBox b, const std::string& text) override { box[static_cast<int>(b)] = text; }
  void FocusAndSelectAll(PathBox b) override { focused.push_back(b); }
  void ShowFolders(Side side, const std::vector<FolderEntry>& entries, int current) override {
    folders[static_cast<int>(side)] = entries;
    current_folder[static_cast<int>(side)] = current;
  }
  void ShowDrives(const std::vector<std::string>& labels) override { drives = labels; }
  void SelectDrive(Side side, int index) override { drive[static_cast<int>(side)] = index; }
  void ShowBoreholes(const std::vector<std::string>& names) override {
    boreholes = names;
    selected.assign(names.size(), false);
  }
  bool IsBoreholeSelected(int i) override { return selected[i]; }
  void DeselectBorehole(int i) override { selected[i] = false; }
  void SetMessageLine(const std::string& text) override { message_line = text; }
  bool ShowMessage(const std::string& text, MessageKind, const std::string& title) override {
    shown.push_back(text);
    titles.push_back(title);
    return true;
  }
  void SetBusy(bool b) override { busy = b; }
  void ProcessEvents() override {
    if (on_events) on_events();
  }
  void ShowProgress(int finished, int total, const std::string& text) override {
    progress = std::to_string(finished) + "/" + std::to_string(total) + " " + text;
  }
  void HideProgress() override { progress.clear(); }
  void EnableControls(bool e, bool restore_focus) override {
    enabled = e;
    focus_restored = restore_focus;
  }
  void Close() override { closed = true; }
  void ShowRunSummary(const std::string& text, const std::string& more) override {
    summary = text;
    details = more;
  }
  std::string summary, details;
};

struct FakeDesktop : Desktop {
  std::vector<Drive> drives;
  std::string home, current, refused;  // refused: a root that cannot be made current
  std::vector<Drive> ListDrives() override { return drives; }
  std::string HomeFolder() override { return home; }
  bool SetCurrentFolder(const std::string& folder) override {
    current = folder;
    return true;
  }
  bool MakeCurrentDrive(const Drive& d) override { return d.root != refused; }
};

const std::string kCaption = U(u8"StravoS1 -> Ordo 変換プログラム");

// The sample data (on the third drive), the pattern data and the settings
// in a temporary folder; the process works in "start", the home is "home".
class ConverterWindowLogicTest : public ::testing::Test {
 protected:
  ConverterWindowLogicTest() {
    for (const char* folder : {"RIDEVI", "LISTS", "DIZIVAD"}) {
      const std::string to = folder[0] == 'D' ? "data/DIZIVAD" : folder;
      fs::create_directories(Native(to).parent_path());
      fs::copy(fs::path(S1ORDO_EXAMPLES_DIR) / folder, Native(to), fs::copy_options::recursive);
    }
    WriteBytes(Path("system/DodavoZ5.ini"), "[RIDEVI]\r\n" + Path("RIDEVI/") + "\r\n");
    WriteBytes(Path("system/Ridevi.ini"), "[LISTS]\r\n" + Path("LISTS/") + "\r\n");
    for (const char* folder : {"start", "home", "volume"}) MakeFolder(Path(folder));
    fs::current_path(Native("start"));
    test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", dir.path());
    desktop.drives = {{"home", Path("home")}, {"volume", Path("volume")}, {"data", Path("data")}};
    desktop.home = Path("home");
    session.settings.system_folder = Path("system");
  }
  ~ConverterWindowLogicTest() override {
    fs::current_path(fs::temp_directory_path());
    test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", "");
  }
  fs::path Native(const std::string& relative) const { return fs::u8path(DisplayText(Path(relative))); }
  // dir & relative, "/" in relative as the platform's separator.
  std::string Path(std::string relative) const {
    std::replace(relative.begin(), relative.end(), '/', Separator(NativePathForm()));
    return dir / relative;
  }
  std::string& Text1() { return view.box[static_cast<int>(PathBox::kDestination)]; }
  std::string& Text2() { return view.box[static_cast<int>(PathBox::kSource)]; }
  void Start() {
    logic = std::make_unique<ConverterWindowLogic>(session, desktop, view);
    ASSERT_TRUE(logic->StartUp());
  }
  // The source side at the sample data, the destination and the selection
  // as given.
  void Choose(const std::string& destination, std::vector<bool> selection) {
    logic->OnDriveChanged(Side::kSource, 2);
    Text1() = destination;
    view.selected = selection;
    view.shown.clear();
  }

  test::TempDir dir;
  Session session{DefaultEnv()};
  FakeDesktop desktop;
  FakeView view;
  std::unique_ptr<ConverterWindowLogic> logic;
};

TEST_F(ConverterWindowLogicTest, StartUpEndsWithoutPatternData) {
  // No settings file; a settings file with one line; a folder that is gone.
  // The box says which settings file was read and why it was rejected.
  const struct {
    std::string setting, why;
  } cases[] = {{"", U(u8"ファイルがありません")},
               {"[RIDEVI]\r\n", U(u8"2行目 (パターンデータのフォルダ) がありません")},
               {"[RIDEVI]\r\n" + Path("gone/") + "\r\n",
                U(u8"2行目のフォルダ \"") + DisplayText(Path("gone/")) + U(u8"\" がありません")}};
  for (const auto& c : cases) {
    fs::remove(Native("system/DodavoZ5.ini"));
    if (!c.setting.empty()) WriteBytes(Path("system/DodavoZ5.ini"), c.setting);
    view.shown.clear();
    ConverterWindowLogic window(session, desktop, view);
    EXPECT_FALSE(window.StartUp());
    EXPECT_EQ(view.shown, std::vector<std::string>{U(u8" RIDEVI の設定がありません.\r\n設定ファイル ") +
                                                   DisplayText(Path("system/DodavoZ5.ini")) + ": " + c.why});
    EXPECT_EQ(view.titles.back(), kCaption);
    EXPECT_EQ(session.vocabulary.KishituCount, 0);
  }
}

TEST_F(ConverterWindowLogicTest, StartUpOpensTheDataFolder) {
  // In the home folder (on Windows at the source drive's root), any letter
  // case; the current folder has none.
  MakeFolder(Path("home/Dizivad/BH-2"));
  MakeFolder(Path("home/Dizivad/BH-1"));
  WriteBytes(Path("home/Dizivad/notes.txt"), "x");
  Start();
  EXPECT_TRUE(view.shown.empty());
  EXPECT_EQ(Text2(), Path("home/Dizivad"));
  EXPECT_EQ(view.boreholes, (std::vector<std::string>{"BH-1", "BH-2"}));
  EXPECT_EQ(Text1(), Path("start"));
  EXPECT_EQ(desktop.current, Path("start"));  // the destination side's handler ran last
  EXPECT_EQ(view.drives, (std::vector<std::string>{"home", "volume", "data"}));
  EXPECT_EQ(view.drive[0], 0);
  EXPECT_GT(session.vocabulary.KishituCount, 0);
  if (NativePathForm() == PathForm::kPosix) {  // one in the current folder is taken first
    MakeFolder(Path("start/dizivad/Here"));
    Start();
    EXPECT_EQ(view.boreholes, std::vector<std::string>{"Here"});
  }

  // Windows paths: the root C:\ holds DIZIVAD.
  test::WindowsEnv windows(dir.path());
  MakeFolder(Path("C/DIZIVAD/BH1"));
  WriteBytes(Path("C/system/DodavoZ5.ini"), "[RIDEVI]\r\nC:\\system\\\r\n");
  Session wsession(windows);
  wsession.settings.system_folder = "C:\\system";
  desktop.drives = {{"c:", "C:\\"}, {"d:", "D:\\"}};
  ConverterWindowLogic window(wsession, desktop, view);
  EXPECT_EQ(view.Labels(Side::kDestination), (std::vector<std::string>{"C:\\", "DIZIVAD", "system"}));
  ASSERT_TRUE(window.StartUp());
  EXPECT_EQ(Text2(), "C:\\DIZIVAD");
  EXPECT_EQ(view.Labels(Side::kSource), (std::vector<std::string>{"C:\\", "DIZIVAD", "BH1"}));
  window.OnFolderActivated(Side::kSource, 2);
  EXPECT_EQ(Text2(), "C:\\DIZIVAD\\BH1");
}

TEST_F(ConverterWindowLogicTest, FolderListsShowAncestorsAndSubfolders) {
  MakeFolder(Path("start/src/B-2"));
  MakeFolder(Path("start/src/A-1"));
  MakeFolder(Path("start/src/" + test::S(u8"追加孔3")));
  WriteBytes(Path("start/src/CNT.TXT"), "1\r\n");
  Start();
  const int start = view.current_folder[0];
  const std::vector<FolderEntry>& entries = view.folders[0];
  EXPECT_EQ(entries[start].label, "start");
  EXPECT_EQ(entries[0].depth, 0);
  EXPECT_TRUE(entries[start].open);
  EXPECT_EQ(entries.back().label, "src");
  EXPECT_EQ(entries.back().depth, entries[start].depth + 1);
  EXPECT_FALSE(entries.back().open);

  logic->OnFolderActivated(Side::kSource, start + 1);
  EXPECT_EQ(Text2(), Path("start/src"));
  EXPECT_EQ(view.boreholes, (std::vector<std::string>{"A-1", "B-2", U(u8"追加孔3")}));
  EXPECT_EQ(desktop.current, Path("start/src"));
  EXPECT_EQ(view.current_folder[0], start + 1);
  // The run is given the code page 932 name.
  view.selected = {false, false, true};
  Text1() = dir.path();
  logic->OnConvertClicked();
  EXPECT_EQ(view.shown[0], U(u8"[追加孔3]にはデータがありません。変換されません。"));
  EXPECT_FALSE(view.selected[2]);

  logic->OnFolderActivated(Side::kSource, start + 2);  // no sub-folders
  EXPECT_TRUE(view.boreholes.empty());
  logic->OnFolderActivated(Side::kSource, 0);  // the root: no doubled separator
  EXPECT_EQ(Text2(), view.folders[0][0].label);
  EXPECT_EQ(view.folders[0].size(), view.boreholes.size() + 1);
}

TEST_F(ConverterWindowLogicTest, DriveListsMoveTheFolderLists) {
  MakeFolder(Path("home/DIZIVAD/BH1"));
  Start();
  // A volume without DIZIVAD: one message, the source side stays; one that
  // cannot be used either: two.
  const std::string no_data_folder = U(u8" ＳｔｒａｖｏＳ１のﾌｫﾙﾀﾞ（\\DIZIVAD）がありません.");
  logic->OnDriveChanged(Side::kSource, 1);
  EXPECT_EQ(view.shown, std::vector<std::string>{no_data_folder});
  EXPECT_EQ(view.titles.back(), kCaption);
  EXPECT_EQ(Text2(), Path("home/DIZIVAD"));
  desktop.refused = Path("volume");
  logic->OnDriveChanged(Side::kSource, 1);
  EXPECT_EQ(view.shown.size(), 3u);
  // Back to a drive with DIZIVAD from elsewhere: no message.
  logic->OnFolderActivated(Side::kSource, 0);
  logic->OnDriveChanged(Side::kSource, 0);
  EXPECT_EQ(view.shown.size(), 3u);
  EXPECT_EQ(view.boreholes, std::vector<std::string>{"BH1"});

  // The destination side goes to the entry's folder without messages; one
  // that is gone falls back to the first entry.
  logic->OnDriveChanged(Side::kDestination, 1);
  EXPECT_EQ(Text1(), Path("volume"));
  fs::remove(Native("volume"));
  logic->OnDriveChanged(Side::kDestination, 1);
  EXPECT_EQ(Text1(), Path("home"));
  EXPECT_EQ(view.drive[1], 0);
  EXPECT_EQ(view.shown.size(), 3u);
}

TEST_F(ConverterWindowLogicTest, PathsCodePage932LacksAreRefusedBeforeTheRun) {
  Start();
  Choose(Path("out"), {true, false, false});
  const std::string emoji = Path("data") + "\xF0\x9F\x98\x80";
  for (PathBox box : {PathBox::kSource, PathBox::kDestination}) {
    const std::string kept = view.box[static_cast<int>(box)];
    view.box[static_cast<int>(box)] = emoji;
    view.shown.clear();
    view.focused.clear();
    view.message_line = "old";
    logic->OnConvertClicked();
    EXPECT_EQ(view.shown, std::vector<std::string>{U(u8"指定されたパスは正しくありません。")});
    EXPECT_EQ(view.titles.back(), emoji);
    EXPECT_EQ(view.focused, std::vector<PathBox>{box});
    EXPECT_EQ(view.message_line, "");
    EXPECT_TRUE(view.enabled && !view.focus_restored);  // the focus stays in the box
    EXPECT_EQ(logic->last_outcome(), RunOutcome::kEndedByCheck);
    view.box[static_cast<int>(box)] = kept;
  }
  EXPECT_FALSE(fs::exists(Native("out")));
  view.selected = {false, false, false};
  logic->OnConvertClicked();  // a check without a box to focus: the focus goes back
  EXPECT_TRUE(view.focus_restored);
}

TEST_F(ConverterWindowLogicTest, RunShowsItsProgressAndItsMessageUntilTheMouseMoves) {
  Start();
  Choose(Path("out"), {true, true, true});
  EXPECT_EQ(view.boreholes, (std::vector<std::string>{"B-1", "B-2", U(u8"追加孔3")}));
  // What the window shows each time it handles its events; neither closing,
  // moving the mouse nor a second click disturbs the run.
  std::vector<std::string> progress;
  view.on_events = [&] {
    EXPECT_TRUE(!view.enabled && view.busy && logic->running() && !logic->CanClose());
    logic->OnExitClicked();
    logic->OnBackgroundMouseMove();
    logic->OnConvertClicked();
    EXPECT_EQ(view.message_line, U(u8"只今変換中！　しばらくお待ちください。"));
    if (progress.empty() || progress.back() != view.progress) progress.push_back(view.progress);
  };
  logic->OnConvertClicked();
  view.on_events = nullptr;
  EXPECT_EQ(logic->last_outcome(), RunOutcome::kCompleted);
  EXPECT_EQ(view.shown.size(), 3u);  // the destination was created
  EXPECT_TRUE(view.enabled && view.focus_restored && !view.busy && view.progress.empty() && !view.closed);
  // The first repaint comes before the first borehole.
  EXPECT_EQ(progress, (std::vector<std::string>{"", "0/3 1 / 3  B-1", "1/3 2 / 3  B-2", U(u8"2/3 3 / 3  追加孔3")}));
  EXPECT_TRUE(fs::exists(Native("out/B-1/X1.txt")));

  EXPECT_EQ(view.message_line, U(u8"変換が正常に終了しました。"));
  logic->OnBackgroundMouseMove();
  EXPECT_EQ(view.message_line, "");
  view.message_line = "later";
  logic->OnBackgroundMouseMove();
  EXPECT_EQ(view.message_line, "later");
  logic->OnExitClicked();
  EXPECT_TRUE(view.closed);
}

TEST_F(ConverterWindowLogicTest, FailureShowsOneErrorBoxAndTheNextRunWorks) {
  Start();
  // The destination lies inside the borehole's own source folder.
  Choose(Path("data/DIZIVAD/B-1"), {true, false, false});
  logic->OnConvertClicked();
  EXPECT_EQ(logic->last_outcome(), RunOutcome::kFailed);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_NE(view.shown[0].find("B-1"), std::string::npos);
  EXPECT_EQ(view.titles[0], kCaption);
  EXPECT_TRUE(view.enabled && !view.busy && view.progress.empty() && !view.closed);
  EXPECT_EQ(view.message_line, "");

  Text1() = Path("out");
  view.selected[0] = true;
  logic->OnConvertClicked();
  EXPECT_EQ(logic->last_outcome(), RunOutcome::kCompleted);
}

}  // namespace
}  // namespace s1ordo
