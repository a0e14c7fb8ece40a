// The converter window in native Win32 (wide API, common controls 6): the
// controls of window_layout.h, each with ControlId(control) as its control
// ID (their original names are the table's object names), laid out for the
// window's size and resolution, showing what ConverterWindowLogic decides
// and forwarding their events to it. All controls are children of the
// background Picture1, which is a child of the main window.
#ifndef S1ORDO_APP_WIN32_WIN32_WINDOW_H_
#define S1ORDO_APP_WIN32_WIN32_WINDOW_H_

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <array>
#include <memory>
#include <string>

#include "app/converter_window_logic.h"
#include "app/desktop.h"
#include "app/window_layout.h"
#include "run/session.h"

namespace s1ordo {

// The window classes, for finding the window.
constexpr wchar_t kMainWindowClass[] = L"S1ordoConverterWindow";
constexpr wchar_t kBackgroundClass[] = L"S1ordoBackground";

class Win32Window : private ConverterWindowView {
 public:
  // Creates the window, hidden.
  Win32Window(Session& session, Desktop& desktop);
  ~Win32Window() override;

  ConverterWindowLogic& logic() { return *logic_; }
  void Show(int show_command);
  // Handles what the window does before a message is dispatched (Enter on
  // a folder list, the dialog keys); true when nothing is left to do.
  bool PreTranslate(MSG& msg);

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ProgressProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                            DWORD_PTR data);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls();
  void ApplyFont();
  void PlaceControls();
  void OnCommand(int id, int code);
  void OnNotify(const NMHDR& header);
  void ActivateSelectedFolder(HWND tree);
  void PaintProgress(HWND bar);
  HWND Get(Control control) const { return controls_[static_cast<int>(control)]; }
  HWND PathBoxControl(s1ordo::PathBox box) const;
  HWND Folders(Side side) const;
  HWND Drives(Side side) const;
  int Dpi() const;

  void CentreOnScreen() override;
  std::string PathBoxText(PathBox box) override;
  void SetPathBoxText(PathBox box, const std::string& text) override;
  void FocusAndSelectAll(PathBox box) override;
  void ShowFolders(Side side, const std::vector<FolderEntry>& entries, int current) override;
  void ShowDrives(const std::vector<std::string>& labels) override;
  void SelectDrive(Side side, int index) override;
  void ShowBoreholes(const std::vector<std::string>& names) override;
  bool IsBoreholeSelected(int i) override;
  void DeselectBorehole(int i) override;
  void SetMessageLine(const std::string& text) override;
  bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override;
  void SetBusy(bool busy) override;
  void ProcessEvents() override;
  void ShowProgress(int finished, int total, const std::string& text) override;
  void HideProgress() override;
  void EnableControls(bool enabled, bool restore_focus) override;
  void Close() override;
  void ShowRunSummary(const std::string& summary, const std::string& details) override;

  HWND window_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  HFONT font_ = nullptr;
  HBRUSH grey_;
  HIMAGELIST folder_icons_ = nullptr;
  bool busy_ = false;
  HWND had_focus_ = nullptr;
  POINT still_ = {-1, -1};  // where the pointer was when the last run ended
  std::unique_ptr<ConverterWindowLogic> logic_;
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_WIN32_WIN32_WINDOW_H_
