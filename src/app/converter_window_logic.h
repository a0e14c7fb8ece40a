// What the converter window decides, apart from any window toolkit: the
// start-up, the folder and drive lists of both sides with the path boxes and
// the borehole list, the checks and the run behind the Execute button, the
// message line and its clearing, the progress and what can be used during a
// run, and the summary of what the run did. A toolkit's window draws the controls (window_layout.h), shows what
// the logic gives it through ConverterWindowView and forwards its events.
#ifndef S1ORDO_APP_CONVERTER_WINDOW_LOGIC_H_
#define S1ORDO_APP_CONVERTER_WINDOW_LOGIC_H_

#include <string>
#include <vector>

#include "app/desktop.h"
#include "helpers/error.h"
#include "run/report.h"
#include "run/run.h"
#include "run/session.h"
#include "run/user_interface.h"

namespace s1ordo {

enum class Side { kSource, kDestination };

// An entry of a folder list: the folder's ancestors from the root down,
// each inside the one before, the folder itself and its sub-folders inside
// it.
struct FolderEntry {
  std::string label;  // UTF-8
  int depth;          // 0 for the root
  bool open;          // the folder or one of its ancestors
};

// The window as the logic sees it. Texts are UTF-8, as the window shows
// them. Nothing the logic sets raises the window's change events.
class ConverterWindowView {
 public:
  virtual ~ConverterWindowView() = default;

  virtual void CentreOnScreen() = 0;
  virtual std::string PathBoxText(PathBox box) = 0;
  virtual void SetPathBoxText(PathBox box, const std::string& text) = 0;
  // Gives the box the focus and selects its whole text.
  virtual void FocusAndSelectAll(PathBox box) = 0;
  // Shows the entries, entry `current` selected and scrolled to the top.
  virtual void ShowFolders(Side side, const std::vector<FolderEntry>& entries, int current) = 0;
  // The entries of both drive lists.
  virtual void ShowDrives(const std::vector<std::string>& labels) = 0;
  virtual void SelectDrive(Side side, int index) = 0;
  // The borehole list, none selected.
  virtual void ShowBoreholes(const std::vector<std::string>& names) = 0;
  virtual bool IsBoreholeSelected(int i) = 0;
  virtual void DeselectBorehole(int i) = 0;
  virtual void SetMessageLine(const std::string& text) = 0;
  // For kQuestion the result is true for yes.
  virtual bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) = 0;
  virtual void SetBusy(bool busy) = 0;
  // Repaints and handles the window's pending events once.
  virtual void ProcessEvents() = 0;
  // The bar at finished of total, with the text on it.
  virtual void ShowProgress(int finished, int total, const std::string& text) = 0;
  virtual void HideProgress() = 0;
  // Every control but the labels and path boxes; disabling notes the
  // control that had the focus, enabling gives it back when asked.
  virtual void EnableControls(bool enabled, bool restore_focus) = 0;
  virtual void Close() = 0;
  // After a run that converted: the summary (a few lines) in a box of its
  // own, with a way to read the details (every line added to the pattern
  // data, every failure and warning) in full; details may be empty.
  virtual void ShowRunSummary(const std::string& summary, const std::string& details) = 0;
};

class ConverterWindowLogic : private UserInterface {
 public:
  // Both sides start in the process's current folder.
  ConverterWindowLogic(Session& session, Desktop& desktop, ConverterWindowView& view);

  // Centres the window, chooses the settings folder unless session.settings.system_folder
  // is set (ChooseSystemFolder), finds the pattern-data folder (false,
  // after the message, when there is none: the program must end), moves the source
  // side to the data folder DIZIVAD when there is one and loads the geology
  // vocabulary.
  bool StartUp();

  // The user activated entry `entry` of a side's folder list.
  void OnFolderActivated(Side side, int entry);
  // The user chose entry `index` of a side's drive list.
  void OnDriveChanged(Side side, int index);
  void OnConvertClicked();
  void OnExitClicked();
  void OnBackgroundMouseMove();
  // Whether the window may close now (not during a run).
  bool CanClose() const { return !running_; }

  bool running() const { return running_; }
  RunOutcome last_outcome() const { return last_outcome_; }
  // What the last run did.
  const RunReport& last_report() const { return last_report_; }

 private:
  // Moves a side's folder list; false, with nothing changed, when the path
  // is no folder. With notify, a change runs the side's folder handler.
  bool MoveFolderList(Side side, const std::string& folder, bool notify);
  void OnSourceFolderChanged();
  void OnDestinationFolderChanged();
  void SelectDriveOf(Side side, const std::string& folder);
  std::string FindDataFolder(const std::string& folder);
  bool PathBoxesHoldCodePage932();
  void ShowFailure(const Error& error);
  // The last run's summary, when it got as far as converting.
  void ShowSummary();
  char sep() const { return Separator(session_.env.form()); }

  // What the run uses of the window.
  std::string Text(PathBox box) override;
  void FocusAndSelectAll(PathBox box) override;
  int BoreholeCount() override { return static_cast<int>(boreholes_.size()); }
  std::string BoreholeName(int i) override { return boreholes_[i]; }
  bool IsSelected(int i) override { return view_.IsBoreholeSelected(i); }
  void Deselect(int i) override { view_.DeselectBorehole(i); }
  void SetMessageLine(const std::string& text) override;
  bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override;
  void SetBusy(bool busy) override { view_.SetBusy(busy); }
  void Repaint() override { view_.ProcessEvents(); }
  void Progress(int done, int total, const std::string& borehole) override;

  Session& session_;
  Desktop& desktop_;
  ConverterWindowView& view_;
  std::vector<Drive> drives_;
  int drive_[2] = {0, 0};
  std::string folder_[2];
  // The folders the entries of each folder list stand for.
  std::vector<std::string> entry_folders_[2];
  std::vector<std::string> boreholes_;  // code page 932
  bool running_ = false;
  bool focus_moved_ = false;
  // The message line holds a run's closing message.
  bool message_pending_ = false;
  RunOutcome last_outcome_ = RunOutcome::kEndedByCheck;
  RunReport last_report_;
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_CONVERTER_WINDOW_LOGIC_H_
