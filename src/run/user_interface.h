// What the conversion run needs from the window: the two path boxes, the
// borehole list, message boxes, the message line, the busy pointer and one
// repaint. The window, the command line and the tests each implement it.
// Every text is code page 932.
#ifndef S1ORDO_RUN_USER_INTERFACE_H_
#define S1ORDO_RUN_USER_INTERFACE_H_

#include <string>

namespace s1ordo {

// The two path boxes (the window's Text1 and Text2).
enum class PathBox { kDestination, kSource };

enum class MessageKind {
  kWarning,      // OK button, exclamation icon
  kNotice,       // OK button, no icon
  kQuestion,     // Yes and No buttons, question icon
  kInformation,  // OK button, information icon
  kError,        // OK button, critical icon: a failure of the run
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  virtual std::string Text(PathBox box) = 0;
  // Gives the box the focus and selects its whole text.
  virtual void FocusAndSelectAll(PathBox box) = 0;

  // The borehole list (List1), entries 0-based.
  virtual int BoreholeCount() = 0;
  virtual std::string BoreholeName(int i) = 0;
  virtual bool IsSelected(int i) = 0;
  virtual void Deselect(int i) = 0;

  // The message line (Label3).
  virtual void SetMessageLine(const std::string& text) = 0;
  // Shows a message box; for kQuestion the result is true for yes.
  virtual bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) = 0;
  // The hourglass pointer on (true) or back to the default.
  virtual void SetBusy(bool busy) = 0;
  // Processes pending window events once.
  virtual void Repaint() = 0;
  // Borehole `done` of `total` (1-based) is about to be converted.
  virtual void Progress(int /*done*/, int /*total*/, const std::string& /*borehole*/) {}
  // Another conversion is using the pattern-data folder: says so (here in
  // the message line) and tells whether to wait until it ends. False ends
  // the run as a failure that says the same.
  virtual bool WaitForOtherConversion(const std::string& message) {
    SetMessageLine(message);
    Repaint();
    return true;
  }
};

// The application's own title (the window caption), shown on notice and
// question boxes.
std::string ApplicationTitle();

}  // namespace s1ordo

#endif  // S1ORDO_RUN_USER_INTERFACE_H_
