// The conversion run in its steps: the checks of the path boxes and the
// selection, the choice of the boreholes with data, the destination
// folders, and the conversion of the chosen boreholes.
#include "run/run.h"

#include <chrono>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/paths.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "run/overlapping_folders.h"
#include "run/run_caches.h"
#include "run/staging.h"

namespace s1ordo {
namespace {

// The source and destination folders of the path boxes as the checks left
// them: normalised, ending with the separator.
struct RunFolders {
  std::string source;
  std::string destination;
};

// Checks the text of one path box; on failure shows the warning and gives
// the box the focus.
bool CheckPathBox(Env& env, UserInterface& ui, PathBox box, std::string& path) {
  path = ui.Text(box);
  bool ok = IsValidPath(
      path, env.form(), [&](char letter) { return env.DriveUsable(letter); },
      [&](const std::string& message) { ui.ShowMessage(message, MessageKind::kInformation, ApplicationTitle()); });
  if (ok) return true;
  ui.ShowMessage(Sjis(u8"指定されたパスは正しくありません。"), MessageKind::kWarning, path);
  ui.FocusAndSelectAll(box);
  return false;
}

bool CheckPathBoxes(Env& env, UserInterface& ui, RunFolders& folders) {
  return CheckPathBox(env, ui, PathBox::kSource, folders.source) &&
         CheckPathBox(env, ui, PathBox::kDestination, folders.destination);
}

bool AnyBoreholeSelected(UserInterface& ui) {
  for (int i = 0; i < ui.BoreholeCount(); ++i)
    if (ui.IsSelected(i)) return true;
  ui.ShowMessage(Sjis(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が選択されていません。"), MessageKind::kNotice, ApplicationTitle());
  return false;
}

// The destination as typed must not end with the separator: the borehole
// names are put after it with one.
bool DestinationWithoutSeparator(Env& env, UserInterface& ui, const RunFolders& folders) {
  if (RightChars(ui.Text(PathBox::kDestination), 1) != std::string(1, Separator(env.form()))) return true;
  ui.ShowMessage(Sjis(u8"最後のﾌｫﾙﾀﾞに「￥」は要りません。"), MessageKind::kWarning, folders.source);
  return false;
}

// Runs step for the named borehole: a failure it throws names the borehole.
template <typename Step>
void ForBorehole(const std::string& name, Step&& step) {
  try {
    step();
  } catch (Error& e) {
    if (e.borehole().empty()) e.set_borehole(name);
    throw;
  } catch (const std::exception& e) {
    Error error(Sjis(u8"予期しないエラー: ") + e.what());
    error.set_borehole(name);
    throw error;
  }
}

// The selected boreholes, in list order, whose "n1.txt" is not missing or
// empty; the others are reported and deselected. Nothing is written to the
// source folder. Empty, after the notice, when none is left. A borehole
// folder that may not be read throws, naming it.
std::vector<std::string> ChooseBoreholesWithData(Env& env, UserInterface& ui, const RunFolders& folders) {
  std::vector<std::string> chosen;
  for (int i = 0; i < ui.BoreholeCount(); ++i) {
    if (!ui.IsSelected(i)) continue;
    std::string name = ui.BoreholeName(i);
    int64_t size = 0;
    ForBorehole(name, [&] { size = env.FileSize(folders.source + name + Separator(env.form()) + "n1.txt"); });
    if (size >= 1) {
      chosen.push_back(name);
    } else {
      ui.ShowMessage("[" + name + "]" + Sjis(u8"にはデータがありません。変換されません。"), MessageKind::kWarning,
                     folders.source);
      ui.Deselect(i);
    }
  }
  if (chosen.empty())
    ui.ShowMessage(Sjis(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が全て無効です。"), MessageKind::kNotice, ApplicationTitle());
  return chosen;
}

// Walks destination & borehole from the drive down; asks once when a level
// is missing and creates the missing levels on yes. False when answered no.
bool MakeDestinationFolder(Env& env, UserInterface& ui, const std::string& destination, const std::string& borehole) {
  const char sep = Separator(env.form());
  const std::vector<std::string> parts = SplitFields(destination + borehole, std::string(1, sep));
  std::string path = parts[0];
  size_t k = 1;
  for (; k < parts.size(); ++k) {
    path += sep + parts[k];
    if (!env.Exists(path)) break;
  }
  if (k == parts.size()) return true;
  std::string question = "[" + borehole + "]" + Sjis(u8"ﾌｫﾙﾀﾞがありません。新規作成しますか？");
  if (!ui.ShowMessage(question, MessageKind::kQuestion, ApplicationTitle())) return false;
  path = parts[0];
  for (k = 1; k < parts.size(); ++k) {
    path += sep + parts[k];
    if (!env.Exists(path)) env.CreateFolder(path);
  }
  return true;
}

// Every chosen borehole's folder under the destination; false when a
// question was answered no (the folders made before stay).
bool CreateDestinationFolders(Env& env, UserInterface& ui, const RunFolders& folders,
                              const std::vector<std::string>& chosen) {
  for (const std::string& name : chosen) {
    bool made = false;
    ForBorehole(name, [&] { made = MakeDestinationFolder(env, ui, folders.destination, name); });
    if (!made) return false;
  }
  return true;
}

std::string PartOrEmpty(const std::vector<std::string>& parts, size_t k) {
  return k <= parts.size() ? parts[k - 1] : std::string();
}

// Holds the pattern-data folder for the rest of the run, so that no other
// conversion reads or changes its vocabulary and lists meanwhile. While
// another holds it, the run says so and tries again every 50 ms, letting
// the window repaint; it fails at once if the user interface will not wait.
std::unique_ptr<FolderLock> LockPatternData(Env& env, const std::string& folder, UserInterface& ui) {
  if (folder.empty()) return nullptr;  // no pattern data to share
  std::unique_ptr<FolderLock> lock = env.TryLockFolder(folder);
  if (lock) return lock;
  const std::string in_use = Sjis(u8"他の変換がパターンデータフォルダを使用中です。");
  if (!ui.WaitForOtherConversion(in_use + Sjis(u8"終わるまで待ちます: ") + folder)) throw Error(in_use, folder);
  while (!(lock = env.TryLockFolder(folder))) {
    ui.Repaint();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return lock;
}

BoreholeJob JobFor(PathForm form, const RunFolders& folders, const std::string& name) {
  const char sep = Separator(form);
  const std::vector<std::string> parts = SplitFields(folders.destination + name, std::string(1, sep));
  BoreholeJob job;
  job.source_folder = folders.source + name + sep;
  job.work_folder = folders.destination + name + sep;
  job.second_folder = PartOrEmpty(parts, 3);
  job.third_folder = PartOrEmpty(parts, 4);
  job.fourth_folder = PartOrEmpty(parts, 5);
  return job;
}

void ConvertChosen(Env& env, RunCaches& caches, UserInterface& ui, const RunFolders& folders,
                   const std::vector<std::string>& chosen) {
  ui.SetBusy(true);
  ui.SetMessageLine(Sjis(u8"只今変換中！　しばらくお待ちください。"));
  ui.Repaint();
  const int total = static_cast<int>(chosen.size());
  for (int done = 0; done < total; ++done) {
    const std::string& name = chosen[done];
    const BoreholeJob job = JobFor(env.form(), folders, name);
    ForBorehole(name, [&] {
      ui.Progress(done + 1, total, name);
      StageBorehole(env, job, caches.count_carry, caches.legends, caches.converter_inputs, &caches.left_out);
    });
  }
}

RunOutcome EndedByCheck(UserInterface& ui) {
  ui.SetMessageLine("");
  return RunOutcome::kEndedByCheck;
}

RunOutcome Failed(UserInterface& ui, const Error& error) {
  ui.SetBusy(false);
  ui.SetMessageLine("");
  ui.ShowMessage(error.Describe(), MessageKind::kError, ApplicationTitle());
  return RunOutcome::kFailed;
}

RunOutcome Completed(UserInterface& ui, const std::vector<std::string>& warnings) {
  ui.SetBusy(false);
  for (const std::string& warning : warnings) ui.ShowMessage(warning, MessageKind::kWarning, ApplicationTitle());
  ui.SetMessageLine(Sjis(u8"変換が正常に終了しました。"));
  return RunOutcome::kCompleted;
}

}  // namespace

std::string ApplicationTitle() { return Sjis(u8"StravoS1 -> Ordo 変換プログラム"); }

RunOutcome RunConversion(const Session& session, UserInterface& ui, const RunOptions& options) {
  Env& env = session.env;
  RunFolders folders;
  if (!CheckPathBoxes(env, ui, folders) || !AnyBoreholeSelected(ui) || !DestinationWithoutSeparator(env, ui, folders))
    return EndedByCheck(ui);
  std::vector<std::string> chosen;
  try {
    chosen = ChooseBoreholesWithData(env, ui, folders);
  } catch (const Error& e) {
    return Failed(ui, e);
  }
  if (chosen.empty()) return EndedByCheck(ui);

  std::vector<std::string> warnings;
  try {
    // Folders that overlap are refused before anything is created.
    CheckFoldersApart(env.form(), session.settings.pattern_folder, folders.source, folders.destination, chosen);
    auto caches = std::make_unique<RunCaches>(session, options.reread_files);
    if (!CreateDestinationFolders(env, ui, folders, chosen)) {
      ui.SetMessageLine("");
      return RunOutcome::kDeclined;
    }
    // What the run keeps of the pattern data is read from here on, under
    // the lock, which the run holds to its end.
    const std::unique_ptr<FolderLock> lock = LockPatternData(env, session.settings.pattern_folder, ui);
    LoadGeologyVocabulary(env, session.settings.pattern_folder, caches->vocabulary);
    ConvertChosen(env, *caches, ui, folders, chosen);
    warnings = caches->left_out;
    warnings.insert(warnings.end(), caches->geology.warnings().begin(), caches->geology.warnings().end());
  } catch (const Error& e) {
    return Failed(ui, e);
  } catch (const std::exception& e) {
    return Failed(ui, Error(Sjis(u8"予期しないエラー: ") + e.what()));
  }
  return Completed(ui, warnings);
}

}  // namespace s1ordo
