// The Qt converter window: its controls, their layout and events.
#include "app/window/converter_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "helpers/encoding.h"

namespace s1ordo {
namespace {

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
QString Q(std::u8string_view utf8) {
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), static_cast<qsizetype>(utf8.size()));
}

// Qt scales its pixels to the screen: 96 of them an inch.
int Pixels(int twips) { return TwipsToPixels(twips, 96); }

QWidget* NewControl(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::kBackground: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      frame->setAutoFillBackground(true);
      frame->setMouseTracking(true);
      return frame;
    }
    case ControlKind::kLabel:
      return new QLabel(Q(spec.caption), parent);
    case ControlKind::kPathBox:
      return new QLineEdit(parent);
    case ControlKind::kFrame:
      return new QGroupBox(Q(spec.caption), parent);
    case ControlKind::kFolderList:
      return new FolderList(parent);
    case ControlKind::kDriveList:
      return new QComboBox(parent);
    case ControlKind::kBoreholeList: {
      auto* list = new QListWidget(parent);
      list->setSelectionMode(QAbstractItemView::MultiSelection);
      return list;
    }
    case ControlKind::kButton:
      return new QPushButton(Q(spec.caption), parent);
    case ControlKind::kProgress: {
      auto* bar = new QProgressBar(parent);
      bar->hide();
      return bar;
    }
  }
  return nullptr;
}

}  // namespace

ConverterWindow::ConverterWindow(Session& session, Desktop& desktop, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), boxes_(boxes) {
  BuildControls();
  ConverterWindowView& view = *this;
  logic_ = std::make_unique<ConverterWindowLogic>(session, desktop, view);
  auto* logic = logic_.get();
  for (Side side : {Side::kSource, Side::kDestination}) {
    connect(Folders(side), &FolderList::entryActivated, this,
            [logic, side](int i) { logic->OnFolderActivated(side, i); });
    connect(Drives(side), &QComboBox::currentIndexChanged, this,
            [logic, side](int i) { logic->OnDriveChanged(side, i); });
  }
  connect(Get<QPushButton>(Control::kConvertButton), &QPushButton::clicked, this,
          [logic] { logic->OnConvertClicked(); });
  connect(Get<QPushButton>(Control::kExitButton), &QPushButton::clicked, this, [logic] { logic->OnExitClicked(); });
}

ConverterWindow::~ConverterWindow() { SetBusy(false); }

void ConverterWindow::BuildControls() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(Q(DisplayText(ApplicationTitle())));
  QFont font;
  font.setFamilies(QStringList(kFontFamilies.begin(), kFontFamilies.end()));
  font.setPointSize(kFontPoints);
  setFont(font);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(grey);
  setAutoFillBackground(true);

  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = Spec(static_cast<Control>(i));
    QWidget* parent = i == 0 ? this : controls_[static_cast<int>(spec.container)];
    controls_[i] = NewControl(spec, parent);
    controls_[i]->setObjectName(QString::fromLatin1(spec.object_name));
  }
  controls_[0]->installEventFilter(this);
  setMinimumSize(Pixels(kInitialWidth), Pixels(kInitialHeight));
  resize(minimumSize());
  PlaceControls();
}

void ConverterWindow::resizeEvent(QResizeEvent* event) {
  PlaceControls();
  QWidget::resizeEvent(event);
}

void ConverterWindow::PlaceControls() {
  const auto places = LayOut(PixelsToTwips(width(), 96), PixelsToTwips(height(), 96));
  for (int i = 0; i < kControlCount; ++i) {
    const Place& p = places[i];
    controls_[i]->setGeometry(Pixels(p.left), Pixels(p.top), Pixels(p.width), Pixels(p.height));
  }
}

QLineEdit* ConverterWindow::PathBoxControl(s1ordo::PathBox box) const {
  return Get<QLineEdit>(box == PathBox::kDestination ? Control::kDestinationPathBox : Control::kSourcePathBox);
}

FolderList* ConverterWindow::Folders(Side side) const {
  return Get<FolderList>(side == Side::kSource ? Control::kSourceFolderList : Control::kDestinationFolderList);
}

QComboBox* ConverterWindow::Drives(Side side) const {
  return Get<QComboBox>(side == Side::kSource ? Control::kSourceDriveList : Control::kDestinationDriveList);
}

void ConverterWindow::CentreOnScreen() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

std::string ConverterWindow::PathBoxText(PathBox box) { return PathBoxControl(box)->text().toStdString(); }

void ConverterWindow::SetPathBoxText(PathBox box, const std::string& text) { PathBoxControl(box)->setText(Q(text)); }

void ConverterWindow::FocusAndSelectAll(PathBox box) {
  PathBoxControl(box)->setFocus(Qt::OtherFocusReason);
  PathBoxControl(box)->selectAll();
}

void ConverterWindow::ShowFolders(Side side, const std::vector<FolderEntry>& entries, int current) {
  Folders(side)->Show(entries, current);
}

void ConverterWindow::ShowDrives(const std::vector<std::string>& labels) {
  for (Side side : {Side::kSource, Side::kDestination}) {
    QSignalBlocker quiet(Drives(side));
    Drives(side)->clear();
    for (const std::string& label : labels) Drives(side)->addItem(Q(label));
  }
}

void ConverterWindow::SelectDrive(Side side, int index) {
  QSignalBlocker quiet(Drives(side));
  Drives(side)->setCurrentIndex(index);
}

void ConverterWindow::ShowBoreholes(const std::vector<std::string>& names) {
  auto* list = Get<QListWidget>(Control::kBoreholeList);
  list->clear();
  for (const std::string& name : names) list->addItem(Q(name));
}

bool ConverterWindow::IsBoreholeSelected(int i) {
  return Get<QListWidget>(Control::kBoreholeList)->item(i)->isSelected();
}

void ConverterWindow::DeselectBorehole(int i) { Get<QListWidget>(Control::kBoreholeList)->item(i)->setSelected(false); }

void ConverterWindow::SetMessageLine(const std::string& text) { Get<QLabel>(Control::kMessageLine)->setText(Q(text)); }

bool ConverterWindow::ShowMessage(const std::string& text, MessageKind kind, const std::string& title) {
  return boxes_.Show(this, Q(text), kind, Q(title));
}

void ConverterWindow::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void ConverterWindow::ProcessEvents() {
  repaint();
  QCoreApplication::processEvents();
}

void ConverterWindow::ShowProgress(int finished, int total, const std::string& text) {
  auto* bar = Get<QProgressBar>(Control::kProgress);
  bar->setRange(0, total);
  bar->setValue(finished);
  // The bar replaces %v, %m and %p in its format and knows no escape: a
  // zero-width space after "%" keeps a name's own "%" as it is.
  bar->setFormat(Q(text).replace(QLatin1Char('%'), QStringLiteral("%\u200B")));
  bar->show();
}

void ConverterWindow::HideProgress() {
  Get<QProgressBar>(Control::kProgress)->hide();
  Get<QProgressBar>(Control::kProgress)->reset();
}

void ConverterWindow::EnableControls(bool enabled, bool restore_focus) {
  if (!enabled) had_focus_ = focusWidget();
  for (Control c : {Control::kConvertButton, Control::kExitButton, Control::kBoreholeList, Control::kSourceFolderList,
                    Control::kDestinationFolderList, Control::kSourceDriveList, Control::kDestinationDriveList})
    controls_[static_cast<int>(c)]->setEnabled(enabled);
  if (enabled && restore_focus && had_focus_) had_focus_->setFocus(Qt::OtherFocusReason);
}

void ConverterWindow::ShowRunSummary(const std::string& summary, const std::string& details) {
  boxes_.ShowSummary(this, Q(summary), Q(details));
}

bool ConverterWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == controls_[0] && event->type() == QEvent::MouseMove) logic_->OnBackgroundMouseMove();
  return QWidget::eventFilter(watched, event);
}

void ConverterWindow::closeEvent(QCloseEvent* event) {
  if (logic_->CanClose())
    event->accept();
  else
    event->ignore();
}

}  // namespace s1ordo
