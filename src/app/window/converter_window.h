// The converter window in Qt: the controls of window_layout.h (their
// original names as object names), laid out as the window grows, showing
// what ConverterWindowLogic decides and forwarding their events to it.
#ifndef S1ORDO_APP_WINDOW_CONVERTER_WINDOW_H_
#define S1ORDO_APP_WINDOW_CONVERTER_WINDOW_H_

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>
#include <array>
#include <memory>

#include "app/converter_window_logic.h"
#include "app/desktop.h"
#include "app/window/folder_list.h"
#include "app/window/message_boxes.h"
#include "app/window_layout.h"
#include "run/session.h"

namespace s1ordo {

class ConverterWindow : public QWidget, private ConverterWindowView {
  Q_OBJECT

 public:
  ConverterWindow(Session& session, Desktop& desktop, MessageBoxes& boxes, QWidget* parent = nullptr);
  ~ConverterWindow() override;

  ConverterWindowLogic& logic() { return *logic_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  void PlaceControls();
  template <typename W>
  W* Get(Control control) const {
    return static_cast<W*>(controls_[static_cast<int>(control)]);
  }
  QLineEdit* PathBoxControl(s1ordo::PathBox box) const;
  FolderList* Folders(Side side) const;
  QComboBox* Drives(Side side) const;

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
  void Close() override { close(); }
  void ShowRunSummary(const std::string& summary, const std::string& details) override;

  MessageBoxes& boxes_;
  std::array<QWidget*, kControlCount> controls_{};
  bool busy_ = false;
  QPointer<QWidget> had_focus_;
  std::unique_ptr<ConverterWindowLogic> logic_;
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_CONVERTER_WINDOW_H_
