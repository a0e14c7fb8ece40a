#include "app/window/window_ui.h"

#include <QApplication>
#include <QByteArray>

#include "helpers/encoding.h"

namespace s1ordo {
namespace {

constexpr int kNameRole = Qt::UserRole;

}  // namespace

QString ShownText(const std::string& cp932) { return QString::fromStdString(DisplayText(cp932)); }

std::string TypedText(const QString& text) { return InputText(text.toStdString()); }

QListWidgetItem* NewBoreholeItem(const std::string& cp932_name) {
  auto* item = new QListWidgetItem(ShownText(cp932_name));
  item->setData(kNameRole, QByteArray::fromStdString(cp932_name));
  return item;
}

std::string WindowUi::Text(PathBox box) { return TypedText(Box(box)->text()); }

void WindowUi::FocusAndSelectAll(PathBox box) {
  QLineEdit* edit = Box(box);
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  focus_moved_ = true;
}

int WindowUi::BoreholeCount() { return c_.list1->count(); }

std::string WindowUi::BoreholeName(int i) { return c_.list1->item(i)->data(kNameRole).toByteArray().toStdString(); }

bool WindowUi::IsSelected(int i) { return c_.list1->item(i)->isSelected(); }

void WindowUi::Deselect(int i) { c_.list1->item(i)->setSelected(false); }

void WindowUi::SetMessageLine(const std::string& text) { c_.label3->setText(ShownText(text)); }

bool WindowUi::ShowMessage(const std::string& text, MessageKind kind, const std::string& title) {
  return boxes_.Show(c_.window, ShownText(text), kind, ShownText(title));
}

void WindowUi::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void WindowUi::Repaint() {
  c_.window->repaint();
  QCoreApplication::processEvents();
}

void WindowUi::Progress(int done, int total, const std::string& borehole) {
  c_.progress->setRange(0, total);
  c_.progress->setValue(done - 1);
  // The bar shows how many are finished; the text names the one in hand.
  // The bar replaces %v, %m and %p in its format and knows no escape: a
  // zero-width space after "%" keeps a name's own "%" as it is.
  QString name = ShownText(borehole);
  name.replace(QLatin1Char('%'), QStringLiteral("%\u200B"));
  c_.progress->setFormat(QStringLiteral("%1 / %2  %3").arg(done).arg(total).arg(name));
  c_.progress->show();
  Repaint();
}

void WindowUi::EndProgress() {
  c_.progress->hide();
  c_.progress->reset();
}

}  // namespace s1ordo
