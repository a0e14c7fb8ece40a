// The Qt window on the offscreen platform: its controls, places and message
// boxes, and a run driven through its controls (the decisions themselves
// are tested with the logic).
#include "app/window/converter_window.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/window/message_boxes.h"
#include "app/window/summary_dialog.h"
#include "helpers/encoding.h"
#include "test_support.h"

namespace fs = std::filesystem;
using s1ordo::MessageKind;

namespace {

QString U(const char8_t* utf8) { return QString::fromUtf8(reinterpret_cast<const char*>(utf8)); }

// Records the message boxes and answers yes; the summary box is made as the
// window makes it, shown and saved as a picture.
class AnsweringBoxes : public s1ordo::MessageBoxes {
 public:
  std::vector<QString> shown;
  QString summary, details;
  bool Show(QWidget*, const QString& text, MessageKind, const QString&) override {
    shown.push_back(text);
    return true;
  }
  void ShowSummary(QWidget* parent, const QString& text, const QString& more) override {
    summary = text;
    details = more;
    auto dialog = s1ordo::MakeSummaryDialog(parent, text, more);
    dialog->show();
    if (QTest::qWaitForWindowExposed(dialog.get()))
      dialog->grab().save(QStringLiteral(S1ORDO_BUILD_DIR "/s1ordo-gui-qt-summary.png"));
  }
};

template <typename W>
W* Control(QWidget& window, const char* name) {
  W* control = window.findChild<W*>(QString::fromLatin1(name));
  if (!control) qFatal("no control %s", name);
  return control;
}

}  // namespace

class ConverterWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    root_ = std::make_unique<s1ordo::test::TempDir>();
    // The sample data in the home folder, where the window opens.
    for (const char* folder : {"DIZIVAD", "RIDEVI", "LISTS"}) {
      const std::string to = Path(folder[0] == 'D' ? "home/DIZIVAD" : folder);
      fs::create_directories(fs::path(to).parent_path());
      fs::copy(fs::path(S1ORDO_EXAMPLES_DIR) / folder, to, fs::copy_options::recursive);
    }
    s1ordo::test::WriteBytes(Path("system/DodavoZ5.ini"), "[RIDEVI]\r\n" + Path("RIDEVI/") + "\r\n");
    s1ordo::test::WriteBytes(Path("system/Ridevi.ini"), "[LISTS]\r\n" + Path("LISTS/") + "\r\n");
    fs::create_directories(Path("start"));
    QDir::setCurrent(QString::fromStdString(Path("start")));
    qputenv("HOME", QByteArray::fromStdString(Path("home")));
    qputenv("S1ORDO_PROGRAM_FOLDER", QByteArray::fromStdString(root_->path()));
    session_ = std::make_unique<s1ordo::Session>(s1ordo::DefaultEnv());
    session_->settings.system_folder = Path("system");
    window_ = std::make_unique<s1ordo::ConverterWindow>(*session_, *desktop_, boxes_);
  }
  void cleanup() {
    window_.reset();
    QDir::setCurrent(QDir::tempPath());
    root_.reset();
  }

  void controlsAndMessageBoxes() {
    s1ordo::ConverterWindow& w = *window_;
    QCOMPARE(w.objectName(), QStringLiteral("Form1"));
    QCOMPARE(w.windowTitle(), U(u8"StravoS1 -> Ordo 変換プログラム"));
    QCOMPARE(w.size(), QSize(606, 433));  // 9090 x 6495 twips
    QCOMPARE(Control<QLabel>(w, "Label2")->text(), U(u8"変換元ﾌｫﾙﾀﾞ名 ："));
    QCOMPARE(Control<QGroupBox>(w, "Frame1")->title(), U(u8"変換先ﾌｫﾙﾀﾞ名選択"));
    QCOMPARE(Control<QGroupBox>(w, "Frame3")->title(), U(u8"メッセージ"));
    QCOMPARE(Control<QPushButton>(w, "Command1")->text(), U(u8"実  行"));
    QCOMPARE(Control<QPushButton>(w, "Command2")->text(), U(u8"終  了"));
    QCOMPARE(Control<QListWidget>(w, "List1")->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(Control<QWidget>(w, "Dir2")->parentWidget(), Control<QWidget>(w, "Frame2"));
    QCOMPARE(Control<QWidget>(w, "Label3")->parentWidget(), Control<QWidget>(w, "Frame3"));
    QCOMPARE(Control<QWidget>(w, "Command1")->geometry(), QRect(168, 372, 129, 37));
    QCOMPARE(Control<QWidget>(w, "List1")->geometry(), QRect(204, 27, 172, 148));
    QCOMPARE(Control<QWidget>(w, "Frame1")->geometry(), QRect(405, 108, 193, 193));
    for (const char* name : {"Picture1", "Frame1", "Frame3", "Label1", "Label3"})
      QVERIFY2(Control<QWidget>(w, name)->palette().color(QPalette::Window) == QColor(192, 192, 192), name);

    // Larger: the lists grow, the buttons stay below them.
    w.show();
    w.resize(906, 633);
    QVERIFY(QTest::qWaitFor([&] { return w.size() == QSize(906, 633); }));
    QCOMPARE(Control<QWidget>(w, "List1")->size(), QSize(272, 348));
    QCOMPARE(Control<QWidget>(w, "Dir1")->size(), QSize(261, 302));
    QCOMPARE(Control<QWidget>(w, "Command1")->geometry().topLeft(), QPoint(318, 572));
    QCOMPARE(w.minimumSize(), QSize(606, 433));

    // The message boxes of the run's kinds.
    const std::pair<MessageKind, QMessageBox::Icon> icons[] = {{MessageKind::kWarning, QMessageBox::Warning},
                                                               {MessageKind::kNotice, QMessageBox::NoIcon},
                                                               {MessageKind::kQuestion, QMessageBox::Question},
                                                               {MessageKind::kInformation, QMessageBox::Information},
                                                               {MessageKind::kError, QMessageBox::Critical}};
    for (const auto& [kind, icon] : icons) {
      auto box = s1ordo::MakeMessageBox(nullptr, U(u8"本文"), kind, U(u8"題名"));
      QCOMPARE(box->icon(), icon);
      QCOMPARE(box->standardButtons(),
               kind == MessageKind::kQuestion ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
      QCOMPARE(box->text(), U(u8"本文"));
      QCOMPARE(box->windowTitle(), U(u8"題名"));
    }
    auto question = s1ordo::MakeMessageBox(nullptr, "?", MessageKind::kQuestion, "");
    QCOMPARE(question->defaultButton(), question->button(QMessageBox::Yes));
    // Japanese buttons whatever the desktop's language.
    QCOMPARE(question->button(QMessageBox::Yes)->text(), U(u8"はい(&Y)"));
    QCOMPARE(question->button(QMessageBox::No)->text(), U(u8"いいえ(&N)"));
  }

  void runDrivenThroughTheControls() {
    s1ordo::ConverterWindow& w = *window_;
    QVERIFY(w.logic().StartUp());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* list1 = Control<QListWidget>(w, "List1");
    auto* text1 = Control<QLineEdit>(w, "Text1");
    auto* label3 = Control<QLabel>(w, "Label3");
    auto* progress = Control<QProgressBar>(w, "Progress");
    QCOMPARE(Control<QLineEdit>(w, "Text2")->text(), QString::fromStdString(Path("home/DIZIVAD")));
    QCOMPARE(list1->count(), 3);

    // The destination's drive list and folder list move Text1.
    auto* drive1 = Control<QComboBox>(w, "Drive1");
    drive1->setCurrentIndex(0);
    QCOMPARE(text1->text(), QString::fromStdString(Path("home")));
    auto* dir1 = Control<s1ordo::FolderList>(w, "Dir1");
    QTreeWidgetItem* tmp = dir1->findItems(QStringLiteral("tmp"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QVERIFY(tmp);
    emit dir1->itemActivated(tmp, 0);
    QCOMPARE(text1->text(), QStringLiteral("/tmp"));

    text1->setFocus();
    text1->selectAll();
    QTest::keyClicks(text1, QString::fromStdString(Path("out")));
    for (int i = 0; i < list1->count(); ++i)
      QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, list1->visualItemRect(list1->item(i)).center());
    QCOMPARE(list1->selectedItems().size(), 3);

    // What the window shows while it converts, seen between boreholes.
    QStringList texts;
    bool enabled = false, busy = true, visible = true;
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, &w, [&] {
      if (!w.logic().running()) return;
      for (const char* name : {"Command1", "Command2", "List1", "Dir1", "Dir2", "Drive1", "Drive2"})
        enabled = enabled || Control<QWidget>(w, name)->isEnabled();
      busy = busy && QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
      w.close();
      visible = visible && w.isVisible();
      if (progress->isVisible() && !texts.contains(progress->text())) texts << progress->text();
    });
    watcher.start();
    QTest::mouseClick(Control<QPushButton>(w, "Command1"), Qt::LeftButton);
    watcher.stop();

    QCOMPARE(w.logic().last_outcome(), s1ordo::RunOutcome::kCompleted);
    QCOMPARE(boxes_.shown.size(), size_t{3});  // the destination is created
    QVERIFY(!enabled && busy && visible);
    QCOMPARE(texts, QStringList({"1 / 3  B-1", "2 / 3  B-2", U(u8"3 / 3  追加孔3")}));
    QCOMPARE(label3->text(), U(u8"変換が正常に終了しました。"));
    // Then the summary, with every line the run added to the pattern data.
    QVERIFY2(boxes_.summary.startsWith(U(u8"ボーリング孔 3: 変換 3、データなし 0、失敗 0\n")),
             qPrintable(boxes_.summary));
    QVERIFY2(boxes_.details.contains(U(u8"L1.txt: 7,自然堤防")), qPrintable(boxes_.details));
    QVERIFY(!progress->isVisible() && !QApplication::overrideCursor());
    QVERIFY(Control<QWidget>(w, "Command1")->isEnabled());
    QCOMPARE(w.focusWidget(), Control<QWidget>(w, "Command1"));  // given back after the run
    QVERIFY(fs::exists(Path("out/B-1/X1.txt")));
    QVERIFY(w.grab().save(QStringLiteral(S1ORDO_BUILD_DIR "/s1ordo-gui-qt-after-run.png")));

    QTest::mouseMove(Control<QWidget>(w, "Picture1"), QPoint(6, 7));
    QCOMPARE(label3->text(), QString());
    QTest::mouseClick(Control<QPushButton>(w, "Command2"), Qt::LeftButton);
    QVERIFY(!w.isVisible());
  }

 private:
  std::string Path(const std::string& relative) const { return root_->path() + "/" + relative; }

  std::unique_ptr<s1ordo::test::TempDir> root_;
  std::unique_ptr<s1ordo::Desktop> desktop_ = s1ordo::NewPlatformDesktop();
  AnsweringBoxes boxes_;
  std::unique_ptr<s1ordo::Session> session_;
  std::unique_ptr<s1ordo::ConverterWindow> window_;
};

QTEST_MAIN(ConverterWindowTest)
#include "converter_window_test.moc"
