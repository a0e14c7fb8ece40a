#include "run/run.h"

#include <chrono>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/paths.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "run/overlapping_folders.h"
#include "run/staging.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {
namespace {

// Checks the text of one path box; on failure shows the warning and gives
// the box the focus.
bool CheckPathBox(Context& ctx, UserInterface& ui, TextBox box, std::string& path) {
  path = ui.Text(box);
  bool ok = IsValidPath(
      path, ctx.env.form(), [&](char letter) { return ctx.env.DriveUsable(letter); },
      [&](const std::string& message) { ui.ShowMessage(message, MessageKind::kInformation, ApplicationTitle()); });
  if (ok) return true;
  ui.ShowMessage(Sjis(u8"指定されたパスは正しくありません。"), MessageKind::kWarning, path);
  ui.FocusAndSelectAll(box);
  return false;
}

// Walks destination & borehole from the drive down; asks once when a level
// is missing and creates the missing levels on yes. False when answered no.
bool MakeDestinationFolder(Context& ctx, UserInterface& ui, const std::string& destination,
                           const std::string& borehole) {
  const char sep = ctx.sep();
  std::vector<std::string> parts = SplitFields(destination + borehole, std::string(1, sep));
  bool create = false;
  std::string path = parts[0];
  for (size_t k = 1; k < parts.size(); ++k) {
    path += sep + parts[k];
    if (!ctx.env.Exists(path)) {
      std::string question = "[" + borehole + "]" + Sjis(u8"ﾌｫﾙﾀﾞがありません。新規作成しますか？");
      if (!ui.ShowMessage(question, MessageKind::kQuestion, ApplicationTitle())) return false;
      create = true;
      break;
    }
  }
  if (create) {
    path = parts[0];
    for (size_t k = 1; k < parts.size(); ++k) {
      path += sep + parts[k];
      if (!ctx.env.Exists(path)) ctx.env.CreateFolder(path);
    }
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
std::unique_ptr<FolderLock> LockPatternData(Context& ctx, UserInterface& ui) {
  if (ctx.RideviFolder.empty()) return nullptr;  // no pattern data to share
  std::unique_ptr<FolderLock> lock = ctx.env.TryLockFolder(ctx.RideviFolder);
  if (lock) return lock;
  const std::string in_use = Sjis(u8"他の変換がパターンデータフォルダを使用中です。");
  if (!ui.WaitForOtherConversion(in_use + Sjis(u8"終わるまで待ちます: ") + ctx.RideviFolder))
    throw Error(in_use, ctx.RideviFolder);
  while (!(lock = ctx.env.TryLockFolder(ctx.RideviFolder))) {
    ui.Repaint();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return lock;
}

RunOutcome ReportFailure(UserInterface& ui, const Error& e) {
  ui.SetBusy(false);
  ui.SetMessageLine("");
  ui.ShowMessage(e.Describe(), MessageKind::kError, ApplicationTitle());
  return RunOutcome::kFailed;
}

}  // namespace

std::string ApplicationTitle() { return Sjis(u8"StravoS1 -> Ordo 変換プログラム"); }

RunOutcome Command1_Click(Context& ctx, UserInterface& ui) {
  const char sep = ctx.sep();
  auto end_by_check = [&] {
    ui.SetMessageLine("");
    return RunOutcome::kEndedByCheck;
  };

  // Checks, in this order; the first that fails ends the run.
  std::string source, destination;
  if (!CheckPathBox(ctx, ui, TextBox::kText2, source)) return end_by_check();
  if (!CheckPathBox(ctx, ui, TextBox::kText1, destination)) return end_by_check();

  int count = ui.BoreholeCount();
  bool any_selected = false;
  for (int i = 0; i < count && !any_selected; ++i) any_selected = ui.IsSelected(i);
  if (!any_selected) {
    ui.ShowMessage(Sjis(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が選択されていません。"), MessageKind::kNotice, ApplicationTitle());
    return end_by_check();
  }

  if (RightChars(ui.Text(TextBox::kText1), 1) == std::string(1, sep)) {
    ui.ShowMessage(Sjis(u8"最後のﾌｫﾙﾀﾞに「￥」は要りません。"), MessageKind::kWarning, source);
    return end_by_check();
  }

  // Data test: a borehole whose "n1.txt" is missing or empty is skipped.
  // Nothing is written to the source folder.
  int valid = 0;
  for (int i = 0; i < count; ++i) {
    if (!ui.IsSelected(i)) continue;
    std::string name = ui.BoreholeName(i);
    int64_t size;
    try {
      size = ctx.env.FileSize(source + name + sep + "n1.txt");  // a folder that may not be read fails
    } catch (Error& e) {
      e.set_borehole(name);
      return ReportFailure(ui, e);
    }
    if (size >= 1) {
      ++valid;
    } else {
      ui.ShowMessage("[" + name + "]" + Sjis(u8"にはデータがありません。変換されません。"), MessageKind::kWarning,
                     source);
      ui.Deselect(i);
    }
  }
  if (valid == 0) {
    ui.ShowMessage(Sjis(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が全て無効です。"), MessageKind::kNotice, ApplicationTitle());
    return end_by_check();
  }

  std::string borehole;
  try {
    // Folders that overlap are refused before anything is created.
    std::vector<std::string> selected;
    for (int i = 0; i < count; ++i)
      if (ui.IsSelected(i)) selected.push_back(ui.BoreholeName(i));
    CheckFoldersApart(ctx, source, destination, selected);

    BuildSoilNameTables(ctx.soil);
    ctx.geology_cache.Clear();
    ctx.code_lists.Clear();
    ctx.warnings.clear();

    count = ui.BoreholeCount();
    for (int i = 0; i < count; ++i) {
      if (!ui.IsSelected(i)) continue;
      borehole = ui.BoreholeName(i);
      if (!MakeDestinationFolder(ctx, ui, destination, borehole)) {
        ui.SetMessageLine("");
        return RunOutcome::kDeclined;
      }
    }
    borehole.clear();

    // What the run keeps of the pattern data is read from here on, under
    // the lock, which the run holds to its end.
    std::unique_ptr<FolderLock> lock = LockPatternData(ctx, ui);
    ctx.geology = GeologyVocabulary();
    LoadGeologyVocabulary(ctx.env, ctx.RideviFolder, ctx.geology);

    ui.SetBusy(true);
    ui.SetMessageLine(Sjis(u8"只今変換中！　しばらくお待ちください。"));
    ui.Repaint();

    count = ui.BoreholeCount();
    int total = 0, done = 0;
    for (int i = 0; i < count; ++i) total += ui.IsSelected(i) ? 1 : 0;
    RunState state;
    for (int i = 0; i < count; ++i) {
      if (!ui.IsSelected(i)) continue;
      borehole = ui.BoreholeName(i);
      std::vector<std::string> parts = SplitFields(destination + borehole, std::string(1, sep));
      BoreholeJob job;
      job.source_folder = source + borehole + sep;
      job.work_folder = destination + borehole + sep;
      job.part3 = PartOrEmpty(parts, 3);
      job.part4 = PartOrEmpty(parts, 4);
      job.part5 = PartOrEmpty(parts, 5);
      ctx.MessagePending = 1;
      ui.Progress(++done, total, borehole);
      StageBorehole(ctx, state, job);
    }
  } catch (Error& e) {
    if (e.borehole().empty()) e.set_borehole(borehole);
    return ReportFailure(ui, e);
  } catch (const std::exception& e) {
    Error error(Sjis(u8"予期しないエラー: ") + e.what());
    error.set_borehole(borehole);
    return ReportFailure(ui, error);
  }

  ui.SetBusy(false);
  for (const std::string& warning : ctx.warnings) ui.ShowMessage(warning, MessageKind::kWarning, ApplicationTitle());
  for (const std::string& warning : ctx.geology_cache.warnings)
    ui.ShowMessage(warning, MessageKind::kWarning, ApplicationTitle());
  ui.SetMessageLine(Sjis(u8"変換が正常に終了しました。"));
  return RunOutcome::kCompleted;
}

}  // namespace s1ordo
