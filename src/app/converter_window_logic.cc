// The converter window's decisions: start-up, folder and drive lists, path
// boxes, the borehole list, the run with its checks, progress and messages.
#include "app/converter_window_logic.h"

#include <algorithm>
#include <exception>

#include "app/startup.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {
namespace {

int Index(Side side) { return side == Side::kSource ? 0 : 1; }

std::string Shown(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// The folder's root: "/", "C:\" or "\\server\share\" (with its separator).
size_t RootLength(const std::string& folder, char sep) {
  if (sep == '/') return 1;
  if (folder.rfind("\\\\", 0) != 0) return std::min<size_t>(3, folder.size());
  size_t end = folder.find('\\', 2);
  end = end == std::string::npos ? std::string::npos : folder.find('\\', end + 1);
  return end == std::string::npos ? folder.size() : end + 1;
}

std::string WithSeparator(const std::string& folder, char sep) {
  return RightChars(folder, 1) == std::string(1, sep) ? folder : folder + sep;
}

bool Holds(const std::string& root, const std::string& folder, char sep) {
  return EqualsIgnoreCase(root, folder) || StartsWithIgnoreCase(folder, WithSeparator(root, sep));
}

}  // namespace

ConverterWindowLogic::ConverterWindowLogic(Session& session, Desktop& desktop, ConverterWindowView& view)
    : session_(session), desktop_(desktop), view_(view), drives_(desktop.ListDrives()) {
  std::vector<std::string> labels;
  for (const Drive& drive : drives_) labels.push_back(drive.label);
  view_.ShowDrives(labels);
  const std::string start = session_.env.CurrentFolder();
  for (Side side : {Side::kSource, Side::kDestination}) {
    MoveFolderList(side, start, false);
    SelectDriveOf(side, start);
  }
}

bool ConverterWindowLogic::StartUp() {
  view_.CentreOnScreen();
  if (session_.settings.system_folder.empty()) {
    try {
      session_.settings.system_folder = ChooseSystemFolder(session_.env, "");
    } catch (const Error& e) {
      ShowMessage(e.Describe(), MessageKind::kError, ApplicationTitle());
      return false;
    }
  }
  bool found = false;
  try {
    found = ReadSettings(session_.env, session_.settings);
  } catch (const std::exception&) {
    found = false;
  }
  if (!found) {
    std::string text = NoRideviMessage();
    if (std::string why = RideviSettingProblem(session_.env, session_.settings.system_folder); !why.empty())
      text += "\r\n" + why;
    ShowMessage(text, MessageKind::kNotice, ApplicationTitle());
    return false;
  }
  // The source side starts in the data folder DIZIVAD when there is one: at
  // the root of the source drive, or where there are no drive letters in
  // the current folder or else the home folder.
  std::string data;
  if (session_.env.form() == PathForm::kWindows) {
    if (!drives_.empty()) data = FindDataFolder(drives_[drive_[0]].root);
  } else {
    for (const std::string& folder : {folder_[0], desktop_.HomeFolder()}) {
      if (data.empty() && !folder.empty()) data = FindDataFolder(folder);
    }
  }
  if (!data.empty() && MoveFolderList(Side::kSource, data, false)) SelectDriveOf(Side::kSource, data);
  OnSourceFolderChanged();
  OnDestinationFolderChanged();
  LoadGeologyVocabulary(session_.env, session_.settings.pattern_folder, session_.vocabulary);
  return true;
}

bool ConverterWindowLogic::MoveFolderList(Side side, const std::string& folder, bool notify) {
  const char sep = Separator(session_.env.form());
  try {
    if (folder.empty() || !session_.env.IsFolder(folder)) return false;
  } catch (const Error&) {
    return false;
  }
  const size_t root_length = RootLength(folder, sep);
  std::string path = folder;
  while (path.size() > root_length && RightChars(path, 1) == std::string(1, sep)) path.pop_back();

  std::vector<FolderEntry> entries;
  std::vector<std::string>& folders = entry_folders_[Index(side)];
  folders.clear();
  std::string ancestor = path.substr(0, root_length);
  entries.push_back({DisplayText(ancestor), 0, true});
  folders.push_back(ancestor);
  if (path.size() > root_length) {
    for (const std::string& part : SplitFields(path.substr(root_length), std::string(1, sep))) {
      ancestor = WithSeparator(ancestor, sep) + part;
      entries.push_back({DisplayText(part), static_cast<int>(entries.size()), true});
      folders.push_back(ancestor);
    }
  }
  const int current = static_cast<int>(entries.size()) - 1;
  for (const std::string& name : ListSubfoldersOrNone(session_.env, WithSeparator(path, sep))) {
    entries.push_back({DisplayText(name), current + 1, false});
    folders.push_back(WithSeparator(path, sep) + name);
  }
  view_.ShowFolders(side, entries, current);

  const bool changed = path != folder_[Index(side)];
  folder_[Index(side)] = path;
  if (changed && notify) side == Side::kSource ? OnSourceFolderChanged() : OnDestinationFolderChanged();
  return true;
}

void ConverterWindowLogic::OnFolderActivated(Side side, int entry) {
  const std::vector<std::string>& folders = entry_folders_[Index(side)];
  if (entry >= 0 && entry < static_cast<int>(folders.size())) MoveFolderList(side, std::string(folders[entry]), true);
}

void ConverterWindowLogic::OnSourceFolderChanged() {
  const std::string& folder = folder_[0];
  view_.SetPathBoxText(PathBox::kSource, DisplayText(folder));
  desktop_.SetCurrentFolder(folder);
  boreholes_ = ListSubfoldersOrNone(session_.env, WithSeparator(folder, sep()));
  std::vector<std::string> names;
  for (const std::string& name : boreholes_) names.push_back(DisplayText(name));
  view_.ShowBoreholes(names);
}

void ConverterWindowLogic::OnDestinationFolderChanged() {
  view_.SetPathBoxText(PathBox::kDestination, DisplayText(folder_[1]));
  desktop_.SetCurrentFolder(folder_[1]);
}

void ConverterWindowLogic::SelectDriveOf(Side side, const std::string& folder) {
  int best = -1;
  for (int i = 0; i < static_cast<int>(drives_.size()); ++i) {
    if (Holds(drives_[i].root, folder, sep()) && (best < 0 || drives_[i].root.size() > drives_[best].root.size()))
      best = i;
  }
  drive_[Index(side)] = best < 0 ? 0 : best;
  view_.SelectDrive(side, drive_[Index(side)]);
}

std::string ConverterWindowLogic::FindDataFolder(const std::string& folder) {
  const std::string parent = WithSeparator(folder, sep());
  for (const std::string& name : ListSubfoldersOrNone(session_.env, parent)) {
    if (EqualsIgnoreCase(name, "DIZIVAD")) return parent + name;
  }
  return {};
}

void ConverterWindowLogic::OnDriveChanged(Side side, int index) {
  if (index < 0 || index >= static_cast<int>(drives_.size())) return;
  drive_[Index(side)] = index;
  const Drive& drive = drives_[index];
  if (side == Side::kSource) {
    // Each failing step says so, and the next one runs.
    const std::string no_data_folder = Sjis(u8" ＳｔｒａｖｏＳ１のﾌｫﾙﾀﾞ（\\DIZIVAD）がありません.");
    const std::string data = FindDataFolder(drive.root);
    if (data.empty() || !MoveFolderList(side, data, true))
      ShowMessage(no_data_folder, MessageKind::kNotice, ApplicationTitle());
    if (!desktop_.MakeCurrentDrive(drive)) ShowMessage(no_data_folder, MessageKind::kNotice, ApplicationTitle());
    return;
  }
  // The destination list moves to the entry's root, without a message; an
  // entry that cannot be used falls back to the first one.
  if (!MoveFolderList(side, drive.root, true) && index != 0) {
    view_.SelectDrive(side, 0);
    OnDriveChanged(side, 0);
    return;
  }
  desktop_.MakeCurrentDrive(drive);
}

bool ConverterWindowLogic::PathBoxesHoldCodePage932() {
  for (PathBox box : {PathBox::kSource, PathBox::kDestination}) {
    const std::string text = view_.PathBoxText(box);
    if (TryUtf8ToCp932(text)) continue;
    // Such a path cannot name a folder of the data: the run's own warning.
    view_.ShowMessage(Shown(u8"指定されたパスは正しくありません。"), MessageKind::kWarning, text);
    FocusAndSelectAll(box);
    view_.SetMessageLine("");
    return false;
  }
  return true;
}

// The window's runs convert ahead where the session has a second Env.
const RunOptions kWindowRun{.convert_ahead = true};

void ConverterWindowLogic::OnConvertClicked() {
  if (running_) return;
  running_ = true;
  focus_moved_ = false;
  view_.EnableControls(false, false);
  last_report_ = RunReport();
  try {
    last_outcome_ = PathBoxesHoldCodePage932() ? RunConversion(session_, *this, kWindowRun, &last_report_)
                                               : RunOutcome::kEndedByCheck;
    // The closing message of a finished run stays until the next mouse move.
    message_pending_ = last_outcome_ == RunOutcome::kCompleted;
  } catch (const Error& e) {
    ShowFailure(e);
  } catch (const std::exception& e) {
    ShowFailure(Error(Sjis(u8"予期しないエラー: ") + e.what()));
  }
  view_.HideProgress();
  running_ = false;
  // The focus goes back where it was unless the run gave it to a path box.
  view_.EnableControls(true, !focus_moved_);
  ShowSummary();
}

void ConverterWindowLogic::ShowSummary() {
  std::string summary;
  for (const std::string& line : SummaryLines(last_report_, Language::kJapanese))
    summary += (summary.empty() ? "" : "\n") + line;
  if (!summary.empty()) view_.ShowRunSummary(summary, DetailsText(last_report_, Language::kJapanese));
}

void ConverterWindowLogic::ShowFailure(const Error& error) {
  view_.SetBusy(false);
  view_.SetMessageLine("");
  ShowMessage(error.Describe(), MessageKind::kError, ApplicationTitle());
  last_outcome_ = RunOutcome::kFailed;
}

void ConverterWindowLogic::OnExitClicked() {
  if (CanClose()) view_.Close();
}

void ConverterWindowLogic::OnBackgroundMouseMove() {
  // During a run the window handles its events between boreholes; the
  // run's message stays until the run is over.
  if (running_ || !message_pending_) return;
  view_.SetMessageLine("");
  message_pending_ = false;
}

std::string ConverterWindowLogic::Text(PathBox box) { return InputText(view_.PathBoxText(box)); }

void ConverterWindowLogic::FocusAndSelectAll(PathBox box) {
  view_.FocusAndSelectAll(box);
  focus_moved_ = true;
}

void ConverterWindowLogic::SetMessageLine(const std::string& text) { view_.SetMessageLine(DisplayText(text)); }

bool ConverterWindowLogic::ShowMessage(const std::string& text, MessageKind kind, const std::string& title) {
  return view_.ShowMessage(DisplayText(text), kind, DisplayText(title));
}

void ConverterWindowLogic::Progress(int done, int total, const std::string& borehole) {
  // The bar shows how many are finished; the text names the one in hand.
  view_.ShowProgress(done - 1, total,
                     std::to_string(done) + " / " + std::to_string(total) + "  " + DisplayText(borehole));
  view_.ProcessEvents();
}

}  // namespace s1ordo
