// The window's message boxes of each kind, with Japanese buttons.
#include "app/window/message_boxes.h"

#include <QPushButton>

namespace s1ordo {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, MessageKind kind,
                                            const QString& title) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(title);
  box->setText(text);
  switch (kind) {
    case MessageKind::kWarning:
      box->setIcon(QMessageBox::Warning);
      break;
    case MessageKind::kNotice:
      box->setIcon(QMessageBox::NoIcon);
      break;
    case MessageKind::kQuestion:
      box->setIcon(QMessageBox::Question);
      break;
    case MessageKind::kInformation:
      box->setIcon(QMessageBox::Information);
      break;
    case MessageKind::kError:
      box->setIcon(QMessageBox::Critical);
      break;
  }
  // The buttons say what the messages say: Japanese, whatever the desktop's
  // language (Qt would follow it, and ships no Japanese texts itself).
  if (kind == MessageKind::kQuestion) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->button(QMessageBox::Yes)->setText(QString::fromUtf8(reinterpret_cast<const char*>(u8"はい(&Y)")));
    box->button(QMessageBox::No)->setText(QString::fromUtf8(reinterpret_cast<const char*>(u8"いいえ(&N)")));
  } else {
    box->setStandardButtons(QMessageBox::Ok);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  }
  return box;
}

bool QtMessageBoxes::Show(QWidget* parent, const QString& text, MessageKind kind, const QString& title) {
  auto box = MakeMessageBox(parent, text, kind, title);
  int answer = box->exec();
  return kind != MessageKind::kQuestion || answer == QMessageBox::Yes;
}

}  // namespace s1ordo
