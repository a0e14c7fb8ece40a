// The window's message boxes. The run and the start-up show them through
// MessageBoxes so that tests can answer them; QtMessageBoxes shows real ones.
#ifndef S1ORDO_APP_WINDOW_MESSAGE_BOXES_H_
#define S1ORDO_APP_WINDOW_MESSAGE_BOXES_H_

#include <QMessageBox>
#include <QString>
#include <memory>

#include "run/user_interface.h"

namespace s1ordo {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the text and waits for the answer; for kQuestion true means yes,
  // for the other kinds the result is true.
  virtual bool Show(QWidget* parent, const QString& text, MessageKind kind, const QString& title) = 0;
  // Shows the summary of a run with its details (see summary_dialog.h) and
  // waits until it is closed.
  virtual void ShowSummary(QWidget* parent, const QString& summary, const QString& details) = 0;
};

// The box of a kind: warning = OK with the exclamation icon, notice = OK
// without icon, question = Yes and No with the question icon (Yes first and
// default), information = OK with the information icon, error = OK with the
// critical icon.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, MessageKind kind,
                                            const QString& title);

class QtMessageBoxes : public MessageBoxes {
 public:
  bool Show(QWidget* parent, const QString& text, MessageKind kind, const QString& title) override;
  void ShowSummary(QWidget* parent, const QString& summary, const QString& details) override;  // summary_dialog.cc
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_MESSAGE_BOXES_H_
