// The run's view of the window: the path boxes, the borehole list, the
// message line with its progress bar, message boxes, the busy pointer and
// repainting. Texts cross between code page 932 and Qt here only.
#ifndef S1ORDO_APP_WINDOW_WINDOW_UI_H_
#define S1ORDO_APP_WINDOW_WINDOW_UI_H_

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QString>
#include <string>
#include <utility>

#include "app/window/message_boxes.h"
#include "run/user_interface.h"

namespace s1ordo {

// A code page 932 text as Qt shows it, and what a user typed as code page
// 932 (throws Error when it holds characters code page 932 lacks).
QString ShownText(const std::string& cp932);
std::string TypedText(const QString& text);

// List1 entries keep the code page 932 name beside the shown one.
QListWidgetItem* NewBoreholeItem(const std::string& cp932_name);

class WindowUi : public UserInterface {
 public:
  struct Controls {
    QWidget* window;
    QLineEdit* text1;
    QLineEdit* text2;
    QListWidget* list1;
    QLabel* label3;
    QProgressBar* progress;
  };
  WindowUi(Controls controls, MessageBoxes& boxes) : c_(controls), boxes_(boxes) {}
  ~WindowUi() override { SetBusy(false); }

  std::string Text(PathBox box) override;
  void FocusAndSelectAll(PathBox box) override;
  int BoreholeCount() override;
  std::string BoreholeName(int i) override;
  bool IsSelected(int i) override;
  void Deselect(int i) override;
  void SetMessageLine(const std::string& text) override;
  bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override;
  void SetBusy(bool busy) override;
  void Repaint() override;
  void Progress(int done, int total, const std::string& borehole) override;

  // Hides the progress bar once a run is over.
  void EndProgress();
  // Whether the run gave a text box the focus since the last call.
  bool TakeFocusMoved() { return std::exchange(focus_moved_, false); }

 private:
  QLineEdit* Box(PathBox box) const { return box == PathBox::kDestination ? c_.text1 : c_.text2; }

  Controls c_;
  MessageBoxes& boxes_;
  bool busy_ = false;
  bool focus_moved_ = false;
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_WINDOW_UI_H_
