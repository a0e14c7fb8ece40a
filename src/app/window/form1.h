// The window Form1: source folder and boreholes on the left, destination
// folder on the right, the message line and the Execute and Exit buttons.
// Handlers carry the names of the control events they answer.
#ifndef S1ORDO_APP_WINDOW_FORM1_H_
#define S1ORDO_APP_WINDOW_FORM1_H_

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/window/drives.h"
#include "app/window/folder_list.h"
#include "app/window/message_boxes.h"
#include "app/window/window_ui.h"
#include "run/run.h"
#include "run/session.h"

namespace s1ordo {

// Twips (1/1440 inch) as the window's pixels: 15 twips a pixel at 96 dpi;
// Qt scales pixels to the screen.
int Twips(int twips);

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // session.settings.system_folder must be set. Both folder lists start in
  // the process's current folder.
  Form1(Session& session, MessageBoxes& boxes, QWidget* parent = nullptr);
  ~Form1() override;

  // Start-up: centres the window, finds the pattern-data folder (false,
  // after the message box, when there is none: the program must end),
  // positions the folder lists and loads the geology vocabulary.
  bool Form_Load();

  void Dir1_Change();
  void Dir2_Change();
  void Drive1_Change();
  void Drive2_Change();
  void Command1_Click();
  void Command2_Click();
  void Picture1_MouseMove();

  bool running() const { return running_; }
  // How the last run ended.
  RunOutcome last_outcome() const { return last_outcome_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void SetDrives(QComboBox* list, const QString& folder);
  void SetRunning(bool running);
  bool MakeCurrentDrive(const DriveEntry& drive);
  // False, after the warning, when a path box holds characters that code
  // page 932 lacks.
  bool PathBoxesHoldCodePage932();

  Session& session_;
  MessageBoxes& boxes_;
  std::vector<DriveEntry> drives_;
  bool running_ = false;
  // True while the message line holds a run's closing message.
  bool message_pending_ = false;
  RunOutcome last_outcome_ = RunOutcome::kEndedByCheck;

  QFrame* picture1_;
  QLabel* label2_;
  QLineEdit* text2_;
  QLabel* label1_;
  QLineEdit* text1_;
  QGroupBox* frame2_;
  FolderList* dir2_;
  QComboBox* drive2_;
  QListWidget* list1_;
  QGroupBox* frame1_;
  FolderList* dir1_;
  QComboBox* drive1_;
  QGroupBox* frame3_;
  QLabel* label3_;
  QProgressBar* progress_;
  QPushButton* command1_;
  QPushButton* command2_;
  std::unique_ptr<WindowUi> ui_;
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_FORM1_H_
