// The window on the offscreen platform: its controls, start-up, the folder
// and drive lists, the run driven through it (compared with the command
// line's run on the same data), the checks' messages and focus, and the
// message line.
#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/startup.h"
#include "app/window/folder_list.h"
#include "app/window/form1.h"
#include "app/window/message_boxes.h"
#include "app/window/window_ui.h"
#include "helpers/encoding.h"
#include "run/session.h"
#include "test_support.h"
#include "vocabulary/geology_vocabulary.h"

namespace fs = std::filesystem;
using s1ordo::Form1;
using s1ordo::MessageKind;
using s1ordo::test::TempDir;

namespace {

QString U(const char8_t* utf8) { return QString::fromUtf8(reinterpret_cast<const char*>(utf8)); }

// Answers the window's message boxes: records each one and answers
// questions from the list, yes once it is used up.
class AnsweringBoxes : public s1ordo::MessageBoxes {
 public:
  struct Box {
    QString text;
    MessageKind kind;
    QString title;
  };
  std::vector<Box> shown;
  std::vector<bool> answers;

  bool Show(QWidget*, const QString& text, MessageKind kind, const QString& title) override {
    shown.push_back({text, kind, title});
    if (kind != MessageKind::kQuestion) return true;
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  int Count(MessageKind kind) const {
    return static_cast<int>(std::count_if(shown.begin(), shown.end(), [&](const Box& b) { return b.kind == kind; }));
  }
};

const QString kCaption = U(u8"StravoS1 -> Ordo 変換プログラム");

template <typename W>
W* Control(QWidget& form, const char* name) {
  return form.findChild<W*>(QString::fromLatin1(name));
}

void CopyTree(const fs::path& from, const fs::path& to) {
  fs::create_directories(to);
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

// A settings file: line 1 a heading, line 2 the folder; code page 932, CR LF.
void WriteSetting(const std::string& file, const std::string& heading, const std::string& folder) {
  s1ordo::test::WriteBytes(file, "[" + heading + "]\r\n" + s1ordo::InputText(folder) + "\r\n");
}

std::vector<std::pair<std::string, std::string>> SortedSnapshot(const std::string& folder) {
  auto snapshot = s1ordo::test::Snapshot(folder);
  std::sort(snapshot.begin(), snapshot.end());
  return snapshot;
}

QStringList Entries(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

void ClickEntry(QListWidget* list, int row) {
  QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

// Types the text into the box key by key (QTest::keyClicks takes Latin-1
// only).
void Type(QLineEdit* box, const QString& text) {
  box->clear();
  for (int i = 0; i < text.size(); ++i) {
    QString ch = text.mid(i, text[i].isHighSurrogate() ? 2 : 1);
    i += ch.size() - 1;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, ch);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, ch);
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
  }
  QCOMPARE(box->text(), text);
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    start_folder_ = QDir::currentPath();
    home_ = qgetenv("HOME");
  }
  void init() {
    root_ = std::make_unique<TempDir>();
    // The sample data and pattern data are copied: the run writes into the
    // pattern data and reads the source only.
    CopyTree(fs::path(S1ORDO_EXAMPLES_DIR) / "DIZIVAD", Path("data/DIZIVAD"));
    CopyTree(fs::path(S1ORDO_EXAMPLES_DIR) / "RIDEVI", Path("RIDEVI"));
    if (fs::exists(fs::path(S1ORDO_EXAMPLES_DIR) / "LISTS"))
      CopyTree(fs::path(S1ORDO_EXAMPLES_DIR) / "LISTS", Path("LISTS"));
    else
      fs::create_directories(Path("LISTS"));
    WriteSetting(Path("system/DodavoZ5.ini"), "RIDEVI", Path("RIDEVI") + "/");
    WriteSetting(Path("system/Ridevi.ini"), "LISTS", Path("LISTS") + "/");
    qputenv("S1ORDO_SYSTEM_FOLDER", QByteArray::fromStdString(Path("system")));
    fs::create_directories(Path("start"));
    fs::create_directories(Path("home"));
    qputenv("HOME", QByteArray::fromStdString(Path("home")));
    QDir::setCurrent(QString::fromStdString(Path("start")));
  }
  void cleanup() {
    QDir::setCurrent(start_folder_);
    qputenv("HOME", home_);
    qunsetenv("S1ORDO_SYSTEM_FOLDER");
    root_.reset();
  }

  void controlsExistWithCaptions() {
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), kCaption);
    QCOMPARE(form.size(), QSize(606, 433));  // 9090 x 6495 twips

    QCOMPARE(Control<QLabel>(form, "Label2")->text(), U(u8"変換元ﾌｫﾙﾀﾞ名 ："));
    QCOMPARE(Control<QLabel>(form, "Label1")->text(), U(u8"変換先ﾌｫﾙﾀﾞ名 ："));
    QCOMPARE(Control<QGroupBox>(form, "Frame2")->title(), U(u8"変換元ﾌｫﾙﾀﾞ名選択"));
    QCOMPARE(Control<QGroupBox>(form, "Frame1")->title(), U(u8"変換先ﾌｫﾙﾀﾞ名選択"));
    QCOMPARE(Control<QGroupBox>(form, "Frame3")->title(), U(u8"メッセージ"));
    QCOMPARE(Control<QLabel>(form, "Label3")->text(), QString());
    QCOMPARE(Control<QPushButton>(form, "Command1")->text(), U(u8"実  行"));
    QCOMPARE(Control<QPushButton>(form, "Command2")->text(), U(u8"終  了"));
    for (const char* name : {"Text1", "Text2"}) QVERIFY2(Control<QLineEdit>(form, name), name);
    for (const char* name : {"Dir1", "Dir2"}) QVERIFY2(Control<s1ordo::FolderList>(form, name), name);
    for (const char* name : {"Drive1", "Drive2"}) QVERIFY2(Control<QComboBox>(form, name), name);
    QVERIFY(Control<QFrame>(form, "Picture1"));
    QCOMPARE(Control<QListWidget>(form, "List1")->selectionMode(), QAbstractItemView::MultiSelection);

    // Containers and places, scaled from twips.
    auto* frame2 = Control<QGroupBox>(form, "Frame2");
    QCOMPARE(Control<QWidget>(form, "Dir2")->parentWidget(), frame2);
    QCOMPARE(Control<QWidget>(form, "List1")->parentWidget(), frame2);
    QCOMPARE(Control<QWidget>(form, "Label3")->parentWidget(), Control<QWidget>(form, "Frame3"));
    QCOMPARE(Control<QWidget>(form, "Drive1")->parentWidget(), Control<QWidget>(form, "Frame1"));
    QCOMPARE(Control<QWidget>(form, "Command1")->geometry(), QRect(168, 372, 129, 37));
    QCOMPARE(Control<QWidget>(form, "List1")->geometry(), QRect(204, 27, 172, 148));
    QCOMPARE(Control<QWidget>(form, "Frame1")->geometry(), QRect(405, 108, 193, 193));

    const QColor grey(192, 192, 192);
    for (const char* name : {"Picture1", "Frame1", "Frame2", "Frame3", "Label1", "Label3"})
      QVERIFY2(Control<QWidget>(form, name)->palette().color(QPalette::Window) == grey, name);
  }

  void messageBoxesHaveTheRunsKinds() {
    struct Expected {
      MessageKind kind;
      QMessageBox::Icon icon;
      QMessageBox::StandardButtons buttons;
    };
    const Expected expected[] = {
        {MessageKind::kWarning, QMessageBox::Warning, QMessageBox::Ok},
        {MessageKind::kNotice, QMessageBox::NoIcon, QMessageBox::Ok},
        {MessageKind::kQuestion, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
        {MessageKind::kInformation, QMessageBox::Information, QMessageBox::Ok},
        {MessageKind::kError, QMessageBox::Critical, QMessageBox::Ok},
    };
    for (const Expected& e : expected) {
      auto box = s1ordo::MakeMessageBox(nullptr, U(u8"本文"), e.kind, U(u8"題名"));
      QCOMPARE(box->icon(), e.icon);
      QCOMPARE(box->standardButtons(), e.buttons);
      QCOMPARE(box->text(), U(u8"本文"));
      QCOMPARE(box->windowTitle(), U(u8"題名"));
    }
    auto question = s1ordo::MakeMessageBox(nullptr, "?", MessageKind::kQuestion, "");
    QCOMPARE(question->defaultButton(), question->button(QMessageBox::Yes));
  }

  void formLoadEndsWithoutPatternData() {
    const QString message = U(u8" RIDEVI の設定がありません.");
    // No settings file; a settings file with one line; a folder that is gone.
    std::vector<std::string> settings = {"", "[RIDEVI]\r\n", "[RIDEVI]\r\n" + Path("gone") + "/\r\n"};
    for (const std::string& setting : settings) {
      fs::remove(Path("system/DodavoZ5.ini"));
      if (!setting.empty()) s1ordo::test::WriteBytes(Path("system/DodavoZ5.ini"), setting);
      s1ordo::Session ctx(s1ordo::DefaultEnv());
      ctx.settings.system_folder = Path("system");
      AnsweringBoxes boxes;
      Form1 form(ctx, boxes);
      QVERIFY(!form.Form_Load());
      QCOMPARE(boxes.shown.size(), size_t{1});
      QCOMPARE(boxes.shown[0].text, message);
      QCOMPARE(boxes.shown[0].kind, MessageKind::kNotice);
      QCOMPARE(boxes.shown[0].title, kCaption);
      QCOMPARE(ctx.vocabulary.KishituCount, int16_t{0});
      QCOMPARE(fs::exists(Path("system/DodavoZ5.ini")), !setting.empty());
    }
  }

  void formLoadStartsInTheDataFolder() {
    // In the home folder, any letter case; the current folder has none.
    fs::create_directories(Path("home/Dizivad/BH-2"));
    fs::create_directories(Path("home/Dizivad/BH-1"));
    s1ordo::test::WriteBytes(Path("home/Dizivad/notes.txt"), "x");
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    ctx.settings.system_folder = Path("system");
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    QVERIFY(form.Form_Load());
    QVERIFY(boxes.shown.empty());
    QCOMPARE(Control<QLineEdit>(form, "Text2")->text(), QString::fromStdString(Path("home/Dizivad")));
    QCOMPARE(Entries(Control<QListWidget>(form, "List1")), QStringList({"BH-1", "BH-2"}));
    QVERIFY(Control<QListWidget>(form, "List1")->selectedItems().isEmpty());
    QCOMPARE(Control<QLineEdit>(form, "Text1")->text(), QString::fromStdString(Path("start")));
    QCOMPARE(Control<QComboBox>(form, "Drive2")->currentIndex(), 0);  // the home folder's entry
    QCOMPARE(ctx.settings.pattern_folder, Path("RIDEVI") + "/");
    // The vocabulary as the pattern-data folder holds it.
    s1ordo::GeologyVocabulary expected;
    s1ordo::LoadGeologyVocabulary(ctx.env, ctx.settings.pattern_folder, expected);
    QCOMPARE(ctx.vocabulary.KishituCount, expected.KishituCount);
    QCOMPARE(ctx.vocabulary.KonnyuCount, expected.KonnyuCount);

    // One in the current folder is taken first.
    fs::create_directories(Path("start/dizivad/Here"));
    QDir::setCurrent(QString::fromStdString(Path("start")));
    s1ordo::Session ctx2(s1ordo::DefaultEnv());
    ctx2.settings.system_folder = Path("system");
    Form1 form2(ctx2, boxes);
    QVERIFY(form2.Form_Load());
    QCOMPARE(Control<QLineEdit>(form2, "Text2")->text(), QString::fromStdString(Path("start/dizivad")));
    QCOMPARE(Entries(Control<QListWidget>(form2, "List1")), QStringList({"Here"}));
  }

  void dir2ChangeFillsList1FromTheSubfolders() {
    fs::create_directories(Path("src/B-2"));
    fs::create_directories(Path("src/A-1"));
    s1ordo::test::MakeFolder(Path("src/") + s1ordo::test::S(u8"追加孔3"));
    s1ordo::test::WriteBytes(Path("src/CNT.TXT"), "1\r\n");
    fs::create_directories(Path("empty"));
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    auto* dir2 = Control<s1ordo::FolderList>(form, "Dir2");
    auto* list1 = Control<QListWidget>(form, "List1");
    auto* text2 = Control<QLineEdit>(form, "Text2");

    QVERIFY(dir2->setPath(QString::fromStdString(Path("src"))));
    QCOMPARE(text2->text(), QString::fromStdString(Path("src")));
    QCOMPARE(Entries(list1), QStringList({"A-1", "B-2", U(u8"追加孔3")}));
    QVERIFY(list1->selectedItems().isEmpty());
    QCOMPARE(QDir::currentPath(), QString::fromStdString(Path("src")));
    // The run gets the code page 932 name.
    s1ordo::WindowUi ui({&form, Control<QLineEdit>(form, "Text1"), text2, list1, Control<QLabel>(form, "Label3"),
                         Control<QProgressBar>(form, "Progress")},
                        boxes);
    QCOMPARE(ui.BoreholeName(2), s1ordo::test::S(u8"追加孔3"));

    // Activating an entry of the folder list moves it there.
    QTreeWidgetItem* sub = nullptr;
    for (QTreeWidgetItemIterator it(dir2); *it; ++it)
      if (s1ordo::FolderList::EntryPath(*it) == QString::fromStdString(Path("src/B-2"))) sub = *it;
    QVERIFY(sub);
    emit dir2->itemActivated(sub, 0);
    QCOMPARE(text2->text(), QString::fromStdString(Path("src/B-2")));
    QVERIFY(list1->count() == 0);

    QVERIFY(dir2->setPath(QString::fromStdString(Path("src"))));
    QCOMPARE(list1->count(), 3);
    QVERIFY(dir2->setPath(QString::fromStdString(Path("empty"))));
    QCOMPARE(list1->count(), 0);
    QVERIFY(!dir2->setPath(QString::fromStdString(Path("src/CNT.TXT"))));
    QCOMPARE(text2->text(), QString::fromStdString(Path("empty")));

    // The root: its sub-folders, no doubled separator.
    QVERIFY(dir2->setPath(QStringLiteral("/")));
    QCOMPARE(text2->text(), QStringLiteral("/"));
    QVERIFY(Entries(list1).contains(QStringLiteral("tmp")));
  }

  void driveListsMoveTheFolderLists() {
    fs::create_directories(Path("home/DIZIVAD/BH1"));
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    ctx.settings.system_folder = Path("system");
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    QVERIFY(form.Form_Load());
    auto* drive2 = Control<QComboBox>(form, "Drive2");
    auto* drive1 = Control<QComboBox>(form, "Drive1");
    auto* text2 = Control<QLineEdit>(form, "Text2");
    auto* list1 = Control<QListWidget>(form, "List1");
    QCOMPARE(drive2->itemText(0), QString::fromStdString(Path("home")) + U(u8" (ホーム)"));
    const int root_entry = drive2->findText(QStringLiteral("/"));
    QVERIFY(root_entry > 0);

    // The root has no DIZIVAD: one message, the source side stays.
    QVERIFY(!fs::exists("/DIZIVAD") && !fs::exists("/dizivad"));
    drive2->setCurrentIndex(root_entry);
    QCOMPARE(boxes.shown.size(), size_t{1});
    QCOMPARE(boxes.shown[0].text, U(u8" ＳｔｒａｖｏＳ１のﾌｫﾙﾀﾞ（\\DIZIVAD）がありません."));
    QCOMPARE(boxes.shown[0].kind, MessageKind::kNotice);
    QCOMPARE(boxes.shown[0].title, kCaption);
    QCOMPARE(text2->text(), QString::fromStdString(Path("home/DIZIVAD")));
    QCOMPARE(Entries(list1), QStringList({"BH1"}));

    // Back to the home folder from elsewhere: its DIZIVAD, no message.
    Control<s1ordo::FolderList>(form, "Dir2")->setPath(QString::fromStdString(Path("start")));
    QCOMPARE(list1->count(), 0);
    drive2->setCurrentIndex(0);
    QCOMPARE(boxes.shown.size(), size_t{1});
    QCOMPARE(text2->text(), QString::fromStdString(Path("home/DIZIVAD")));
    QCOMPARE(Entries(list1), QStringList({"BH1"}));

    // The destination side goes to the entry's folder, without messages.
    QCOMPARE(drive1->currentIndex(), root_entry);  // the start folder's volume
    drive1->setCurrentIndex(0);
    QCOMPARE(Control<QLineEdit>(form, "Text1")->text(), QString::fromStdString(Path("home")));
    drive1->setCurrentIndex(root_entry);
    QCOMPARE(Control<QLineEdit>(form, "Text1")->text(), QStringLiteral("/"));
    QCOMPARE(boxes.shown.size(), size_t{1});
  }

  void wholeRunGivesTheCommandLinesFiles() {
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    ctx.settings.system_folder = s1ordo::ChooseSystemFolder(ctx.env, "");
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    QVERIFY(form.Form_Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    auto* list1 = Control<QListWidget>(form, "List1");
    auto* label3 = Control<QLabel>(form, "Label3");
    auto* progress = Control<QProgressBar>(form, "Progress");
    const QString source = QString::fromStdString(Path("data/DIZIVAD"));
    const QString destination = QString::fromStdString(Path("out"));
    Control<s1ordo::FolderList>(form, "Dir2")->setPath(source);
    Type(Control<QLineEdit>(form, "Text2"), source);
    Type(Control<QLineEdit>(form, "Text1"), destination);
    QCOMPARE(Entries(list1), QStringList({"B-1", "B-2", U(u8"追加孔3")}));
    for (int i = 0; i < list1->count(); ++i) ClickEntry(list1, i);
    QCOMPARE(list1->selectedItems().size(), 3);

    // What the window shows while it converts, seen between boreholes.
    struct Sample {
      bool controls_enabled;
      bool progress_visible;
      QString progress_text;
      QString message;
      bool busy;
      bool visible_after_close;
    };
    std::vector<Sample> samples;
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, &form, [&] {
      if (!form.running()) return;
      bool enabled = false;
      for (const char* name : {"Command1", "Command2", "List1", "Dir1", "Dir2", "Drive1", "Drive2"})
        enabled = enabled || Control<QWidget>(form, name)->isEnabled();
      // Neither closing nor moving the mouse disturbs the run.
      form.close();
      QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
      QApplication::sendEvent(Control<QWidget>(form, "Picture1"), &move);
      samples.push_back({enabled, progress->isVisible(), progress->text(), label3->text(),
                         QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor,
                         form.isVisible()});
    });
    watcher.start();
    QTest::mouseClick(Control<QPushButton>(form, "Command1"), Qt::LeftButton);
    watcher.stop();

    QCOMPARE(form.last_outcome(), s1ordo::RunOutcome::kCompleted);
    QCOMPARE(label3->text(), U(u8"変換が正常に終了しました。"));
    // The destination folder was missing: asked for every borehole.
    QCOMPARE(boxes.Count(MessageKind::kQuestion), 3);
    QCOMPARE(boxes.shown.size(), size_t{3});
    QCOMPARE(boxes.shown[2].text, U(u8"[追加孔3]ﾌｫﾙﾀﾞがありません。新規作成しますか？"));
    QCOMPARE(boxes.shown[2].title, kCaption);

    QVERIFY(!samples.empty());
    QStringList texts;
    for (const Sample& s : samples) {
      QVERIFY(!s.controls_enabled);
      QVERIFY(s.busy);
      QVERIFY(s.visible_after_close);
      QCOMPARE(s.message, U(u8"只今変換中！　しばらくお待ちください。"));
      // The first repaint comes before the first borehole.
      if (s.progress_visible && !texts.contains(s.progress_text)) texts << s.progress_text;
    }
    QCOMPARE(texts, QStringList({"1 / 3  B-1", "2 / 3  B-2", U(u8"3 / 3  追加孔3")}));
    QVERIFY(!progress->isVisible());
    QVERIFY(Control<QWidget>(form, "Command1")->isEnabled() && Control<QWidget>(form, "List1")->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(form.isVisible());

    QVERIFY(form.grab().save(QStringLiteral(S1ORDO_BUILD_DIR "/form1_after_run.png")));

    // The same run on the command line, on the same paths from the same
    // starting data.
    const auto window_out = SortedSnapshot(Path("out"));
    const auto window_ridevi = SortedSnapshot(Path("RIDEVI"));
    const auto window_lists = SortedSnapshot(Path("LISTS"));
    for (const char* borehole : {"B-1/", "B-2/"})
      QVERIFY(std::any_of(window_out.begin(), window_out.end(), [&](const auto& e) { return e.first == borehole; }));
    QVERIFY(window_out.size() > 10);
    fs::remove_all(Path("out"));
    fs::remove_all(Path("RIDEVI"));
    fs::remove_all(Path("LISTS"));
    CopyTree(fs::path(S1ORDO_EXAMPLES_DIR) / "RIDEVI", Path("RIDEVI"));
    if (fs::exists(fs::path(S1ORDO_EXAMPLES_DIR) / "LISTS"))
      CopyTree(fs::path(S1ORDO_EXAMPLES_DIR) / "LISTS", Path("LISTS"));
    else
      fs::create_directories(Path("LISTS"));

    std::istringstream in;
    std::ostringstream out, err;
    s1ordo::CliStreams io{in, out, err};
    int code = s1ordo::RunCommandLine({"convert", Path("data/DIZIVAD"), Path("out"), "--all", "--yes"},
                                      s1ordo::DefaultEnv(), io);
    QVERIFY2(code == s1ordo::kExitOk, err.str().c_str());
    QVERIFY(SortedSnapshot(Path("out")) == window_out);
    QVERIFY(SortedSnapshot(Path("RIDEVI")) == window_ridevi);
    QVERIFY(SortedSnapshot(Path("LISTS")) == window_lists);
  }

  void checksShowTheirMessagesAndMoveTheFocus() {
    fs::create_directories(Path("data/DIZIVAD/Empty"));  // no n1.txt
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    ctx.settings.system_folder = Path("system");
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    QVERIFY(form.Form_Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* text1 = Control<QLineEdit>(form, "Text1");
    auto* text2 = Control<QLineEdit>(form, "Text2");
    auto* list1 = Control<QListWidget>(form, "List1");
    auto* label3 = Control<QLabel>(form, "Label3");
    auto* command1 = Control<QPushButton>(form, "Command1");
    const QString source = QString::fromStdString(Path("data/DIZIVAD"));
    Control<s1ordo::FolderList>(form, "Dir2")->setPath(source);
    const QString bad_path = U(u8"正しくない/パス");
    const QString invalid = U(u8"指定されたパスは正しくありません。");

    auto click = [&] {
      boxes.shown.clear();
      label3->setText(QStringLiteral("old"));
      command1->setFocus();
      QTest::mouseClick(command1, Qt::LeftButton);
    };

    // Source path without its root: the drive message, then the warning
    // titled with the text; Text2 gets the focus with all of it selected.
    Type(text2, bad_path);
    click();
    QCOMPARE(boxes.shown.size(), size_t{2});
    QCOMPARE(boxes.shown[0].kind, MessageKind::kInformation);
    QCOMPARE(boxes.shown[1].text, invalid);
    QCOMPARE(boxes.shown[1].kind, MessageKind::kWarning);
    QCOMPARE(boxes.shown[1].title, bad_path);
    QVERIFY(text2->hasFocus());
    QCOMPARE(text2->selectedText(), bad_path);
    QCOMPARE(label3->text(), QString());
    QCOMPARE(form.last_outcome(), s1ordo::RunOutcome::kEndedByCheck);

    // A character code page 932 lacks: the same warning.
    const QString emoji = QString::fromStdString(Path("data/")) + QChar(0xD83D) + QChar(0xDE00);
    Type(text2, emoji);
    click();
    QCOMPARE(boxes.shown.size(), size_t{1});
    QCOMPARE(boxes.shown[0].text, invalid);
    QCOMPARE(boxes.shown[0].kind, MessageKind::kWarning);
    QCOMPARE(boxes.shown[0].title, emoji);
    QVERIFY(text2->hasFocus());
    QCOMPARE(label3->text(), QString());

    // The same for the destination.
    Type(text2, source);
    Type(text1, QStringLiteral("/a//b"));
    click();
    QCOMPARE(boxes.shown.size(), size_t{1});
    QCOMPARE(boxes.shown[0].text, invalid);
    QCOMPARE(boxes.shown[0].title, QStringLiteral("/a//b/"));  // as the check left it
    QVERIFY(text1->hasFocus());
    QCOMPARE(text1->selectedText(), QStringLiteral("/a//b"));

    // Nothing selected.
    Type(text1, QString::fromStdString(Path("out")));
    click();
    QCOMPARE(boxes.shown.size(), size_t{1});
    QCOMPARE(boxes.shown[0].text, U(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が選択されていません。"));
    QCOMPARE(boxes.shown[0].kind, MessageKind::kNotice);
    QCOMPARE(boxes.shown[0].title, kCaption);
    QVERIFY(command1->hasFocus());

    // A destination typed with a final separator: titled with the source.
    const int empty_row = Entries(list1).indexOf(QStringLiteral("Empty"));
    QVERIFY(empty_row >= 0);
    ClickEntry(list1, empty_row);
    Type(text1, QString::fromStdString(Path("out")) + "/");
    click();
    QCOMPARE(boxes.shown.size(), size_t{1});
    QCOMPARE(boxes.shown[0].text, U(u8"最後のﾌｫﾙﾀﾞに「￥」は要りません。"));
    QCOMPARE(boxes.shown[0].title, source + "/");

    // The only selected borehole has no data: reported, deselected in the
    // list, then none is valid. Nothing is created.
    Type(text1, QString::fromStdString(Path("out")));
    click();
    QCOMPARE(boxes.shown.size(), size_t{2});
    QCOMPARE(boxes.shown[0].text, U(u8"[Empty]にはデータがありません。変換されません。"));
    QCOMPARE(boxes.shown[0].title, source + "/");
    QCOMPARE(boxes.shown[1].text, U(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が全て無効です。"));
    QVERIFY(list1->selectedItems().isEmpty());
    QCOMPARE(label3->text(), QString());
    QVERIFY(!fs::exists(Path("out")));
    QVERIFY(!fs::exists(Path("data/DIZIVAD/Empty/n1.txt")));
  }

  void failureShowsOneErrorBoxAndTheWindowStaysOpen() {
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    ctx.settings.system_folder = Path("system");
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    QVERIFY(form.Form_Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* list1 = Control<QListWidget>(form, "List1");
    Control<s1ordo::FolderList>(form, "Dir2")->setPath(QString::fromStdString(Path("data/DIZIVAD")));
    // The destination lies inside the borehole's own source folder.
    Type(Control<QLineEdit>(form, "Text1"), QString::fromStdString(Path("data/DIZIVAD/B-1")));
    ClickEntry(list1, 0);
    QTest::mouseClick(Control<QPushButton>(form, "Command1"), Qt::LeftButton);

    QCOMPARE(form.last_outcome(), s1ordo::RunOutcome::kFailed);
    QCOMPARE(boxes.Count(MessageKind::kError), 1);
    QCOMPARE(boxes.shown.back().kind, MessageKind::kError);
    QVERIFY(boxes.shown.back().text.contains(QStringLiteral("B-1")));
    QCOMPARE(boxes.shown.back().title, kCaption);
    QVERIFY(form.isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!Control<QProgressBar>(form, "Progress")->isVisible());
    QCOMPARE(Control<QLabel>(form, "Label3")->text(), QString());
    QVERIFY(Control<QWidget>(form, "Command1")->isEnabled());
    QVERIFY(Control<QWidget>(form, "Drive2")->isEnabled());

    // The next run works.
    boxes.shown.clear();
    Type(Control<QLineEdit>(form, "Text1"), QString::fromStdString(Path("out")));
    QTest::mouseClick(Control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(form.last_outcome(), s1ordo::RunOutcome::kCompleted);
    QCOMPARE(boxes.Count(MessageKind::kError), 0);
  }

  void mouseMoveClearsTheRunsMessageOnce() {
    s1ordo::Session ctx(s1ordo::DefaultEnv());
    ctx.settings.system_folder = Path("system");
    AnsweringBoxes boxes;
    Form1 form(ctx, boxes);
    QVERIFY(form.Form_Load());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* label3 = Control<QLabel>(form, "Label3");
    auto* picture1 = Control<QWidget>(form, "Picture1");

    // Before any run: a move changes nothing.
    label3->setText(QStringLiteral("kept"));
    QTest::mouseMove(picture1, QPoint(5, 5));
    QCOMPARE(label3->text(), QStringLiteral("kept"));

    Control<s1ordo::FolderList>(form, "Dir2")->setPath(QString::fromStdString(Path("data/DIZIVAD")));
    Type(Control<QLineEdit>(form, "Text1"), QString::fromStdString(Path("out")));
    ClickEntry(Control<QListWidget>(form, "List1"), 1);
    QTest::mouseClick(Control<QPushButton>(form, "Command1"), Qt::LeftButton);
    QCOMPARE(label3->text(), U(u8"変換が正常に終了しました。"));

    QTest::mouseMove(picture1, QPoint(6, 7));
    QCOMPARE(label3->text(), QString());
    label3->setText(QStringLiteral("later"));
    QTest::mouseMove(picture1, QPoint(8, 9));
    QCOMPARE(label3->text(), QStringLiteral("later"));
  }

 private:
  std::string Path(const std::string& relative) const { return root_->path() + "/" + relative; }

  std::unique_ptr<TempDir> root_;
  QString start_folder_;
  QByteArray home_;
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
