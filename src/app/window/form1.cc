#include "app/window/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <cmath>
#include <exception>

#include "app/startup.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {
namespace {

QString U(const char8_t* utf8) { return QString::fromUtf8(reinterpret_cast<const char*>(utf8)); }

template <typename W>
W* Place(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
  return widget;
}

std::string NoDataFolderMessage() { return Sjis(u8" ＳｔｒａｖｏＳ１のﾌｫﾙﾀﾞ（\\DIZIVAD）がありません."); }

}  // namespace

int Twips(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

Form1::Form1(Session& session, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), session_(session), boxes_(boxes), drives_(ListDrives()) {
  BuildControls();
  ui_ = std::make_unique<WindowUi>(WindowUi::Controls{this, text1_, text2_, list1_, label3_, progress_}, boxes_);

  const QString start = QDir::currentPath();
  for (FolderList* dir : {dir1_, dir2_}) {
    QSignalBlocker quiet(dir);
    dir->setPath(start);
  }
  for (const DriveEntry& drive : drives_) {
    drive1_->addItem(drive.label);
    drive2_->addItem(drive.label);
  }
  SetDrives(drive1_, start);
  SetDrives(drive2_, start);

  connect(dir1_, &FolderList::pathChanged, this, &Form1::Dir1_Change);
  connect(dir2_, &FolderList::pathChanged, this, &Form1::Dir2_Change);
  connect(drive1_, &QComboBox::currentIndexChanged, this, &Form1::Drive1_Change);
  connect(drive2_, &QComboBox::currentIndexChanged, this, &Form1::Drive2_Change);
  connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
}

Form1::~Form1() = default;

void Form1::BuildControls() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(ShownText(ApplicationTitle()));
  setFixedSize(Twips(9090), Twips(6495));
  QFont font;
  font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("Meiryo UI"), QStringLiteral("IPAGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
  font.setPointSize(9);
  setFont(font);

  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(grey);
  setAutoFillBackground(true);

  picture1_ = Place<QFrame>(this, "Picture1", 0, 0, 9075, 6495);
  picture1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture1_->setAutoFillBackground(true);
  picture1_->setMouseTracking(true);
  picture1_->installEventFilter(this);

  label2_ = Place<QLabel>(picture1_, "Label2", 240, 300, 2235, 315);
  label2_->setText(U(u8"変換元ﾌｫﾙﾀﾞ名 ："));
  text2_ = Place<QLineEdit>(picture1_, "Text2", 2400, 240, 6255, 405);
  label2_->setBuddy(text2_);
  label1_ = Place<QLabel>(picture1_, "Label1", 240, 900, 2235, 315);
  label1_->setText(U(u8"変換先ﾌｫﾙﾀﾞ名 ："));
  text1_ = Place<QLineEdit>(picture1_, "Text1", 2400, 840, 6255, 405);
  label1_->setBuddy(text1_);

  frame2_ = Place<QGroupBox>(picture1_, "Frame2", 135, 1620, 5835, 2895);
  frame2_->setTitle(U(u8"変換元ﾌｫﾙﾀﾞ名選択"));
  dir2_ = Place<FolderList>(frame2_, "Dir2", 240, 420, 2595, 1530);
  drive2_ = Place<QComboBox>(frame2_, "Drive2", 210, 2205, 2595, 390);
  list1_ = Place<QListWidget>(frame2_, "List1", 3060, 405, 2580, 2220);
  list1_->setSelectionMode(QAbstractItemView::MultiSelection);

  frame1_ = Place<QGroupBox>(picture1_, "Frame1", 6075, 1620, 2895, 2895);
  frame1_->setTitle(U(u8"変換先ﾌｫﾙﾀﾞ名選択"));
  dir1_ = Place<FolderList>(frame1_, "Dir1", 240, 420, 2415, 1530);
  drive1_ = Place<QComboBox>(frame1_, "Drive1", 240, 2220, 2415, 390);

  frame3_ = Place<QGroupBox>(picture1_, "Frame3", 240, 4740, 8475, 675);
  frame3_->setTitle(U(u8"メッセージ"));
  label3_ = Place<QLabel>(frame3_, "Label3", 180, 240, 8175, 315);
  // The run's progress, on the right of the message line while it converts.
  progress_ = Place<QProgressBar>(frame3_, "Progress", 4500, 240, 3855, 315);
  progress_->hide();

  command1_ = Place<QPushButton>(picture1_, "Command1", 2520, 5580, 1935, 555);
  command1_->setText(U(u8"実  行"));
  command2_ = Place<QPushButton>(picture1_, "Command2", 5190, 5580, 2055, 555);
  command2_->setText(U(u8"終  了"));

  // Tab order as the controls are laid out.
  setTabOrder(text2_, text1_);
  setTabOrder(text1_, dir2_);
  setTabOrder(dir2_, drive2_);
  setTabOrder(drive2_, list1_);
  setTabOrder(list1_, dir1_);
  setTabOrder(dir1_, drive1_);
  setTabOrder(drive1_, command1_);
  setTabOrder(command1_, command2_);
}

void Form1::SetDrives(QComboBox* list, const QString& folder) {
  QSignalBlocker quiet(list);
  int index = DriveIndexOf(drives_, folder);
  list->setCurrentIndex(index < 0 ? 0 : index);
}

bool Form1::Form_Load() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }

  bool found = false;
  try {
    found = ReadSettings(session_.env, session_.settings);
  } catch (const std::exception&) {
    found = false;
  }
  if (!found) {
    boxes_.Show(this, ShownText(NoRideviMessage()), MessageKind::kNotice, ShownText(ApplicationTitle()));
    return false;
  }

  // The source side starts in the data folder DIZIVAD when there is one.
  QString data;
#ifdef Q_OS_WIN
  if (drive2_->currentIndex() >= 0) data = FindDataFolder(drives_[drive2_->currentIndex()].root);
#else
  for (const QString& folder : {QDir::currentPath(), QDir::homePath()}) {
    data = FindDataFolder(folder);
    if (!data.isEmpty()) break;
  }
#endif
  if (!data.isEmpty()) {
    QSignalBlocker quiet(dir2_);
    if (dir2_->setPath(data)) SetDrives(drive2_, data);
  }

  Dir2_Change();
  Dir1_Change();
  LoadGeologyVocabulary(session_.env, session_.settings.pattern_folder, session_.vocabulary);
  return true;
}

void Form1::Dir2_Change() {
  const QString path = QDir::toNativeSeparators(dir2_->path());
  text2_->setText(path);
  QDir::setCurrent(dir2_->path());
  list1_->clear();
  std::string folder;
  try {
    folder = TypedText(path);
  } catch (const Error&) {
    return;  // a folder name code page 932 cannot hold: no boreholes to offer
  }
  const std::string sep(1, Separator(session_.env.form()));
  if (RightChars(folder, 1) != sep) folder += sep;
  for (const std::string& name : ListSubfolders(session_.env, folder)) list1_->addItem(NewBoreholeItem(name));
}

void Form1::Dir1_Change() {
  text1_->setText(QDir::toNativeSeparators(dir1_->path()));
  QDir::setCurrent(dir1_->path());
}

bool Form1::MakeCurrentDrive(const DriveEntry& drive) {
#ifdef Q_OS_WIN
  return QDir::setCurrent(drive.root.left(2));
#else
  // No current drive here: the entry must be a folder that can be read.
  QFileInfo root(drive.root);
  return root.isDir() && root.isReadable();
#endif
}

void Form1::Drive2_Change() {
  const int index = drive2_->currentIndex();
  if (index < 0) return;
  const DriveEntry drive = drives_[index];
  auto no_data_folder = [&] {
    boxes_.Show(this, ShownText(NoDataFolderMessage()), MessageKind::kNotice, ShownText(ApplicationTitle()));
  };
  QString data = FindDataFolder(drive.root);
  if (data.isEmpty() || !dir2_->setPath(data)) no_data_folder();
  if (!MakeCurrentDrive(drive)) no_data_folder();
}

void Form1::Drive1_Change() {
  const int index = drive1_->currentIndex();
  if (index < 0) return;
  // The destination list moves to the entry's root; an entry that cannot
  // be used falls back to the first one.
  if (!dir1_->setPath(drives_[index].root) && index != 0) drive1_->setCurrentIndex(0);
  const int noted = drive1_->currentIndex();
  if (!MakeCurrentDrive(drives_[noted])) {
    QSignalBlocker quiet(drive1_);
    drive1_->setCurrentIndex(noted);
  }
}

void Form1::SetRunning(bool running) {
  running_ = running;
  for (QWidget* control : std::initializer_list<QWidget*>{command1_, command2_, list1_, dir1_, dir2_, drive1_,
                                                          drive2_})
    control->setEnabled(!running);
}

bool Form1::PathBoxesHoldCodePage932() {
  for (PathBox box : {PathBox::kSource, PathBox::kDestination}) {
    QLineEdit* edit = box == PathBox::kSource ? text2_ : text1_;
    try {
      TypedText(edit->text());
    } catch (const Error&) {
      // Such a path cannot name a folder of the data: the run's own warning.
      boxes_.Show(this, U(u8"指定されたパスは正しくありません。"), MessageKind::kWarning, edit->text());
      ui_->FocusAndSelectAll(box);
      ui_->SetMessageLine("");
      return false;
    }
  }
  return true;
}

void Form1::Command1_Click() {
  if (running_) return;
  // Disabling the controls takes the focus from the button; it comes back
  // unless the run gave it to a path box.
  QPointer<QWidget> had_focus = QApplication::focusWidget();
  ui_->TakeFocusMoved();
  SetRunning(true);
  auto failed = [&](const Error& error) {
    ui_->SetBusy(false);
    ui_->SetMessageLine("");
    ui_->ShowMessage(error.Describe(), MessageKind::kError, ApplicationTitle());
    last_outcome_ = RunOutcome::kFailed;
  };
  try {
    if (PathBoxesHoldCodePage932())
      last_outcome_ = RunConversion(session_, *ui_);
    else
      last_outcome_ = RunOutcome::kEndedByCheck;
  } catch (const Error& e) {
    failed(e);
  } catch (const std::exception& e) {
    failed(Error(Sjis(u8"予期しないエラー: ") + e.what()));
  }
  ui_->EndProgress();
  message_pending_ = last_outcome_ == RunOutcome::kCompleted;
  SetRunning(false);
  if (!ui_->TakeFocusMoved() && had_focus) had_focus->setFocus(Qt::OtherFocusReason);
}

void Form1::Command2_Click() { close(); }

void Form1::Picture1_MouseMove() {
  // During a run the window repaints between boreholes; the run's message
  // stays until the run is over.
  if (running_) return;
  if (message_pending_) {
    label3_->clear();
    message_pending_ = false;
  }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture1_ && event->type() == QEvent::MouseMove) Picture1_MouseMove();
  return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (running_)
    event->ignore();
  else
    event->accept();
}

}  // namespace s1ordo
