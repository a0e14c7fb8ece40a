// The summary box of a run, and the real boxes' way of showing it.
#include "app/window/summary_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/window/message_boxes.h"
#include "helpers/encoding.h"
#include "run/user_interface.h"

namespace s1ordo {

std::unique_ptr<QDialog> MakeSummaryDialog(QWidget* parent, const QString& summary, const QString& details) {
  auto dialog = std::make_unique<QDialog>(parent);
  dialog->setWindowTitle(QString::fromStdString(DisplayText(ApplicationTitle())));
  auto* layout = new QVBoxLayout(dialog.get());
  auto* label = new QLabel(summary, dialog.get());
  label->setObjectName(QStringLiteral("Summary"));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(label);
  if (!details.isEmpty()) {
    auto* text = new QPlainTextEdit(details, dialog.get());
    text->setObjectName(QStringLiteral("Details"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setMinimumSize(560, 220);
    layout->addWidget(text);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog.get());
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Close"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
  layout->addWidget(buttons);
  return dialog;
}

void QtMessageBoxes::ShowSummary(QWidget* parent, const QString& summary, const QString& details) {
  MakeSummaryDialog(parent, summary, details)->exec();
}

}  // namespace s1ordo
