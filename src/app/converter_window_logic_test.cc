// The window's logic with a recording view and desktop: start-up, the
// folder and drive lists, the checks with their messages and focus, a whole
// run (compared with the command line's) and the message line.
#include "app/converter_window_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "app/cli.h"
#include "helpers/encoding.h"
#include "test_support.h"
#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {
namespace {

using test::MakeFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

std::string U(std::u8string_view utf8) { return std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size()); }

// Records what the logic shows; answers questions from `answers`, yes once
// they are used up.
struct FakeView : ConverterWindowView {
  struct Box {
    std::string text;
    MessageKind kind;
    std::string title;
  };
  std::string box[2];  // by TextBox
  std::vector<FolderEntry> folders[2];
  int current_folder[2] = {-1, -1};
  std::vector<std::string> drives;
  int drive[2] = {-1, -1};
  std::vector<std::string> boreholes;
  std::vector<bool> selected;
  std::string message_line;
  std::vector<Box> shown;
  std::vector<bool> answers;
  std::vector<TextBox> focused;
  bool busy = false, enabled = true, focus_restored = false, closed = false;
  std::string progress;  // empty while hidden
  std::function<void()> on_events;

  std::vector<std::string> FolderLabels(Side side) const {
    std::vector<std::string> labels;
    for (const FolderEntry& e : folders[static_cast<int>(side)]) labels.push_back(e.label);
    return labels;
  }
  void CentreOnScreen() override {}
  std::string PathBoxText(TextBox b) override { return box[static_cast<int>(b)]; }
  void SetPathBoxText(TextBox b, const std::string& text) override { box[static_cast<int>(b)] = text; }
  void FocusAndSelectAll(TextBox b) override { focused.push_back(b); }
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
  bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override {
    shown.push_back({text, kind, title});
    if (kind != MessageKind::kQuestion || answers.empty()) return true;
    bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
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
};

struct FakeDesktop : Desktop {
  std::vector<Drive> drives;
  std::string home, current;
  std::vector<std::string> refused;  // roots that cannot be made current
  std::vector<Drive> ListDrives() override { return drives; }
  std::string HomeFolder() override { return home; }
  bool SetCurrentFolder(const std::string& folder) override {
    current = folder;
    return true;
  }
  bool MakeCurrentDrive(const Drive& d) override {
    return std::find(refused.begin(), refused.end(), d.root) == refused.end();
  }
};

const std::string kCaption = U(u8"StravoS1 -> Ordo 変換プログラム");

// The sample data, pattern data and settings in a temporary folder; the
// process works in its folder "start", the home folder is "home".
class ConverterWindowLogicTest : public ::testing::Test {
 protected:
  ConverterWindowLogicTest() {
    for (const char* folder : {"RIDEVI", "LISTS"}) CopyExample(folder, folder);
    CopyExample("DIZIVAD", "data/DIZIVAD");
    Setting("RIDEVI");
    WriteBytes(Path("system/Ridevi.ini"), "[LISTS]\r\n" + (Path("LISTS")) + Separator(NativePathForm()) + "\r\n");
    MakeFolder(Path("start"));
    MakeFolder(Path("home"));
    MakeFolder(Path("volume"));
    fs::current_path(Native("start"));
    test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", dir.path());
    desktop.drives = {{"home", Path("home")}, {"volume", Path("volume")}, {"data", Path("data")}};
    desktop.home = Path("home");
    ctx.SystemFolder = Path("system");
  }
  ~ConverterWindowLogicTest() override {
    fs::current_path(fs::temp_directory_path());
    test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", "");
  }
  void CopyExample(const char* example, const std::string& to) const {
    fs::create_directories(Native(to).parent_path());
    fs::copy(fs::path(S1ORDO_EXAMPLES_DIR) / example, Native(to), fs::copy_options::recursive);
  }
  fs::path Native(const std::string& relative) const { return fs::u8path(DisplayText(Path(relative))); }
  // dir & relative, "/" in relative as the platform's separator.
  std::string Path(std::string relative) const {
    std::replace(relative.begin(), relative.end(), '/', Separator(NativePathForm()));
    return dir / relative;
  }
  void Setting(const std::string& folder) {
    WriteBytes(Path("system/DodavoZ5.ini"), "[RIDEVI]\r\n" + Path(folder) + Separator(NativePathForm()) + "\r\n");
  }
  ConverterWindowLogic& Started() {
    logic = std::make_unique<ConverterWindowLogic>(ctx, desktop, view);
    EXPECT_TRUE(logic->StartUp());
    return *logic;
  }
  // The source side at the sample data (the third drive), the boxes as
  // given, the boreholes selected as given.
  void Choose(const std::string& destination, std::vector<bool> selection) {
    logic->OnDriveChanged(Side::kSource, 2);
    view.box[static_cast<int>(TextBox::kText1)] = destination;
    view.selected = selection;
    view.shown.clear();
  }

  test::TempDir dir;
  Context ctx{DefaultEnv()};
  FakeDesktop desktop;
  FakeView view;
  std::unique_ptr<ConverterWindowLogic> logic;
};

TEST_F(ConverterWindowLogicTest, StartUpEndsWithoutPatternData) {
  // No settings file; a settings file with one line; a folder that is gone.
  for (const std::string& setting : {std::string(), std::string("[RIDEVI]\r\n"), "[RIDEVI]\r\n" + (Path("gone")) + "/\r\n"}) {
    fs::remove(Native("system/DodavoZ5.ini"));
    if (!setting.empty()) WriteBytes(Path("system/DodavoZ5.ini"), setting);
    view.shown.clear();
    ConverterWindowLogic window(ctx, desktop, view);
    EXPECT_FALSE(window.StartUp());
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown[0].text, U(u8" RIDEVI の設定がありません."));
    EXPECT_EQ(view.shown[0].kind, MessageKind::kNotice);
    EXPECT_EQ(view.shown[0].title, kCaption);
    EXPECT_EQ(ctx.geology.KishituCount, 0);
  }
}

TEST_F(ConverterWindowLogicTest, StartUpOpensTheDataFolder) {
  // In the home folder (on Windows the source drive's root), any letter
  // case; the current folder has none.
  MakeFolder(Path("home/Dizivad/BH-2"));
  MakeFolder(Path("home/Dizivad/BH-1"));
  WriteBytes(Path("home/Dizivad/notes.txt"), "x");
  ctx.MessagePending = 1;
  Started();
  EXPECT_TRUE(view.shown.empty());
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText2)], Path("home/Dizivad"));
  EXPECT_EQ(view.boreholes, (std::vector<std::string>{"BH-1", "BH-2"}));
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText1)], Path("start"));
  EXPECT_EQ(desktop.current, Path("start"));  // the destination side's handler ran last
  EXPECT_EQ(view.drive[0], 0);
  EXPECT_EQ(ctx.RideviFolder, (Path("RIDEVI")) + Separator(NativePathForm()));
  EXPECT_EQ(ctx.MessagePending, 0);
  GeologyVocabulary expected;
  LoadGeologyVocabulary(ctx.env, ctx.RideviFolder, expected);
  EXPECT_EQ(ctx.geology.KishituCount, expected.KishituCount);
  EXPECT_GT(ctx.geology.KonnyuCount, 0);

  if (NativePathForm() == PathForm::kPosix) {  // one in the current folder is taken first
    MakeFolder(Path("start/dizivad/Here"));
    Started();
    EXPECT_EQ(view.boreholes, std::vector<std::string>{"Here"});
  }

  // Windows paths: the drive root C:\ holds DIZIVAD.
  test::WindowsEnv windows(dir.path());
  MakeFolder(Path("C/DIZIVAD/BH1"));
  MakeFolder(Path("C/DATA"));
  WriteBytes(Path("C/system/DodavoZ5.ini"), "[RIDEVI]\r\nC:\\DATA\\\r\n");
  Context wctx(windows);
  wctx.SystemFolder = "C:\\system";
  desktop.drives = {{"c:", "C:\\"}, {"d:", "D:\\"}};
  ConverterWindowLogic window(wctx, desktop, view);
  EXPECT_EQ(view.FolderLabels(Side::kDestination), (std::vector<std::string>{"C:\\", "DATA", "DIZIVAD", "system"}));
  ASSERT_TRUE(window.StartUp());
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText2)], "C:\\DIZIVAD");
  EXPECT_EQ(view.boreholes, std::vector<std::string>{"BH1"});
  EXPECT_EQ(view.FolderLabels(Side::kSource), (std::vector<std::string>{"C:\\", "DIZIVAD", "BH1"}));
  window.OnFolderActivated(Side::kSource, 2);
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText2)], "C:\\DIZIVAD\\BH1");
}

TEST_F(ConverterWindowLogicTest, FolderListsShowAncestorsAndSubfolders) {
  MakeFolder(Path("start/src/B-2"));
  MakeFolder(Path("start/src/A-1"));
  MakeFolder(Path("start/src/" + test::S(u8"追加孔3")));
  WriteBytes(Path("start/src/CNT.TXT"), "1\r\n");
  Started();
  const int start = view.current_folder[0];
  EXPECT_EQ(view.folders[0][start].label, "start");
  EXPECT_EQ(view.FolderLabels(Side::kSource).back(), "src");
  EXPECT_EQ(view.folders[0].back().depth, view.folders[0][start].depth + 1);
  EXPECT_FALSE(view.folders[0].back().open);
  EXPECT_EQ(view.folders[0][0].depth, 0);

  logic->OnFolderActivated(Side::kSource, start + 1);
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText2)], Path("start/src"));
  EXPECT_EQ(view.boreholes, (std::vector<std::string>{"A-1", "B-2", U(u8"追加孔3")}));
  EXPECT_EQ(desktop.current, Path("start/src"));
  EXPECT_EQ(view.current_folder[0], start + 1);
  // The run is given the code page 932 name.
  view.selected = {false, false, true};
  view.box[static_cast<int>(TextBox::kText1)] = dir.path();
  logic->OnConvertClicked();
  EXPECT_EQ(view.shown[0].text, U(u8"[追加孔3]にはデータがありません。変換されません。"));

  logic->OnFolderActivated(Side::kSource, start + 2);  // no sub-folders
  EXPECT_TRUE(view.boreholes.empty());
  // The root: its sub-folders, no doubled separator.
  logic->OnFolderActivated(Side::kSource, 0);
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText2)], view.folders[0][0].label);
  EXPECT_EQ(view.folders[0].size(), view.boreholes.size() + 1);
}

TEST_F(ConverterWindowLogicTest, DriveListsMoveTheFolderLists) {
  MakeFolder(Path("home/DIZIVAD/BH1"));
  Started();
  EXPECT_EQ(view.drives, (std::vector<std::string>{"home", "volume", "data"}));
  EXPECT_EQ(view.boreholes, std::vector<std::string>{"BH1"});
  // A volume without DIZIVAD: one message, the source side stays.
  logic->OnDriveChanged(Side::kSource, 1);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].text, U(u8" ＳｔｒａｖｏＳ１のﾌｫﾙﾀﾞ（\\DIZIVAD）がありません."));
  EXPECT_EQ(view.shown[0].kind, MessageKind::kNotice);
  EXPECT_EQ(view.shown[0].title, kCaption);
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText2)], Path("home/DIZIVAD"));
  // One that cannot be used either: a second message.
  desktop.refused = {Path("volume")};
  logic->OnDriveChanged(Side::kSource, 1);
  EXPECT_EQ(view.shown.size(), 3u);

  // Back to a drive with DIZIVAD from elsewhere: no message.
  logic->OnFolderActivated(Side::kSource, 0);
  logic->OnDriveChanged(Side::kSource, 0);
  EXPECT_EQ(view.shown.size(), 3u);
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText2)], Path("home/DIZIVAD"));
  EXPECT_EQ(view.boreholes, std::vector<std::string>{"BH1"});

  // The destination side goes to the entry's folder without messages; one
  // that is gone falls back to the first entry.
  logic->OnDriveChanged(Side::kDestination, 1);
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText1)], Path("volume"));
  fs::remove(Native("volume"));
  logic->OnDriveChanged(Side::kDestination, 1);
  EXPECT_EQ(view.box[static_cast<int>(TextBox::kText1)], Path("home"));
  EXPECT_EQ(view.drive[1], 0);
  EXPECT_EQ(view.shown.size(), 3u);
}

TEST_F(ConverterWindowLogicTest, ChecksShowTheirMessagesAndMoveTheFocus) {
  MakeFolder(Path("data/DIZIVAD/Empty"));  // no n1.txt
  Started();
  Choose("", {});
  const std::string source = Path("data/DIZIVAD");
  const std::string invalid = U(u8"指定されたパスは正しくありません。");
  auto click = [&](const std::string& text2, const std::string& text1) {
    view.shown.clear();
    view.focused.clear();
    view.message_line = "old";
    view.box[static_cast<int>(TextBox::kText2)] = text2;
    view.box[static_cast<int>(TextBox::kText1)] = text1;
    logic->OnConvertClicked();
    EXPECT_TRUE(view.enabled);
    EXPECT_EQ(view.focus_restored, view.focused.empty());
    EXPECT_EQ(logic->last_outcome(), RunOutcome::kEndedByCheck);
  };

  // Source path without its root: the drive message, then the warning
  // titled with the text; Text2 gets the focus.
  click(U(u8"正しくない/パス"), Path("out"));
  ASSERT_EQ(view.shown.size(), 2u);
  EXPECT_EQ(view.shown[0].kind, MessageKind::kInformation);
  EXPECT_EQ(view.shown[1].text, invalid);
  EXPECT_EQ(view.shown[1].kind, MessageKind::kWarning);
  EXPECT_EQ(view.shown[1].title, U(u8"正しくない/パス"));
  EXPECT_EQ(view.focused, std::vector<TextBox>{TextBox::kText2});
  EXPECT_EQ(view.message_line, "");

  // A character code page 932 lacks, in either box: the same warning.
  const std::string emoji = (Path("data")) + "\xF0\x9F\x98\x80";
  click(emoji, Path("out"));
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].text, invalid);
  EXPECT_EQ(view.shown[0].title, emoji);
  EXPECT_EQ(view.focused, std::vector<TextBox>{TextBox::kText2});
  EXPECT_EQ(view.message_line, "");
  click(source, emoji);
  EXPECT_EQ(view.focused, std::vector<TextBox>{TextBox::kText1});

  // Nothing selected.
  click(source, Path("out"));
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].text, U(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が選択されていません。"));
  EXPECT_EQ(view.shown[0].kind, MessageKind::kNotice);
  EXPECT_TRUE(view.focus_restored);

  // The only selected borehole has no data: reported and deselected, then
  // none is valid; nothing is created.
  const auto empty = std::find(view.boreholes.begin(), view.boreholes.end(), "Empty") - view.boreholes.begin();
  view.selected[empty] = true;
  click(source, Path("out"));
  ASSERT_EQ(view.shown.size(), 2u);
  EXPECT_EQ(view.shown[0].text, U(u8"[Empty]にはデータがありません。変換されません。"));
  EXPECT_EQ(view.shown[1].text, U(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が全て無効です。"));
  EXPECT_FALSE(view.selected[empty]);
  EXPECT_FALSE(fs::exists(Native("out")));
}

TEST_F(ConverterWindowLogicTest, RunShowsProgressAndGivesTheCommandLinesFiles) {
  Started();
  Choose(Path("out"), {true, true, true});
  EXPECT_EQ(view.boreholes, (std::vector<std::string>{"B-1", "B-2", U(u8"追加孔3")}));
  // What the window shows while it converts, seen each time it handles
  // its events; neither closing nor moving the mouse disturbs the run.
  std::vector<std::string> progress;
  view.on_events = [&] {
    EXPECT_FALSE(view.enabled);
    EXPECT_TRUE(view.busy);
    EXPECT_TRUE(logic->running());
    EXPECT_FALSE(logic->CanClose());
    logic->OnExitClicked();
    logic->OnBackgroundMouseMove();
    logic->OnConvertClicked();  // a second click while it runs does nothing
    EXPECT_EQ(view.message_line, U(u8"只今変換中！　しばらくお待ちください。"));
    if (progress.empty() || progress.back() != view.progress) progress.push_back(view.progress);
  };
  logic->OnConvertClicked();
  view.on_events = nullptr;

  EXPECT_EQ(logic->last_outcome(), RunOutcome::kCompleted);
  EXPECT_EQ(view.message_line, U(u8"変換が正常に終了しました。"));
  EXPECT_FALSE(view.closed);
  EXPECT_TRUE(view.enabled && view.focus_restored && !view.busy && view.progress.empty());
  // The first repaint comes before the first borehole; the destination
  // folder was missing: asked for every borehole.
  EXPECT_EQ(progress, (std::vector<std::string>{"", "0/3 1 / 3  B-1", "1/3 2 / 3  B-2", U(u8"2/3 3 / 3  追加孔3")}));
  ASSERT_EQ(view.shown.size(), 3u);
  EXPECT_EQ(view.shown[2].text, U(u8"[追加孔3]ﾌｫﾙﾀﾞがありません。新規作成しますか？"));
  EXPECT_EQ(view.shown[2].title, kCaption);

  // The same run on the command line, on the same paths from the same data.
  std::vector<std::vector<std::pair<std::string, std::string>>> window;
  for (const char* folder : {"out", "RIDEVI", "LISTS"}) {
    window.push_back(test::Snapshot(Path(folder)));
    fs::remove_all(Native(folder));
    if (folder[0] != 'o') CopyExample(folder, folder);
  }
  EXPECT_GT(window[0].size(), 10u);
  std::istringstream in;
  std::ostringstream out, err;
  CliStreams io{in, out, err};
  ASSERT_EQ(RunCommandLine({"convert", Path("data/DIZIVAD"), Path("out"), "--all", "--yes", "--system-folder",
                            ctx.SystemFolder},
                           DefaultEnv(), io),
            kExitOk)
      << err.str();
  EXPECT_EQ(test::Snapshot(Path("out")), window[0]);
  EXPECT_EQ(test::Snapshot(Path("RIDEVI")), window[1]);
  EXPECT_EQ(test::Snapshot(Path("LISTS")), window[2]);

  // A mouse move clears the run's message once.
  view.message_line = U(u8"変換が正常に終了しました。");
  logic->OnBackgroundMouseMove();
  EXPECT_EQ(view.message_line, "");
  view.message_line = "later";
  logic->OnBackgroundMouseMove();
  EXPECT_EQ(view.message_line, "later");
  logic->OnExitClicked();
  EXPECT_TRUE(view.closed);
}

TEST_F(ConverterWindowLogicTest, FailureShowsOneErrorBoxAndTheNextRunWorks) {
  Started();
  // The destination lies inside the borehole's own source folder.
  Choose(Path("data/DIZIVAD/B-1"), {true, false, false});
  logic->OnConvertClicked();
  EXPECT_EQ(logic->last_outcome(), RunOutcome::kFailed);
  ASSERT_FALSE(view.shown.empty());
  EXPECT_EQ(view.shown.back().kind, MessageKind::kError);
  EXPECT_NE(view.shown.back().text.find("B-1"), std::string::npos);
  EXPECT_EQ(view.shown.back().title, kCaption);
  EXPECT_EQ(std::count_if(view.shown.begin(), view.shown.end(), [](auto& b) { return b.kind == MessageKind::kError; }), 1);
  EXPECT_TRUE(view.enabled && !view.busy && view.progress.empty() && !view.closed);
  EXPECT_EQ(view.message_line, "");

  view.box[static_cast<int>(TextBox::kText1)] = Path("out");
  view.selected[0] = true;
  logic->OnConvertClicked();
  EXPECT_EQ(logic->last_outcome(), RunOutcome::kCompleted);
}

}  // namespace
}  // namespace s1ordo
