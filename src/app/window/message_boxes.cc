#include "app/window/message_boxes.h"

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
  if (kind == MessageKind::kQuestion) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
  }
  return box;
}

bool QtMessageBoxes::Show(QWidget* parent, const QString& text, MessageKind kind, const QString& title) {
  auto box = MakeMessageBox(parent, text, kind, title);
  int answer = box->exec();
  return kind != MessageKind::kQuestion || answer == QMessageBox::Yes;
}

}  // namespace s1ordo
