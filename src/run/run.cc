// The conversion run in its steps: the checks of the path boxes and the
// selection, the choice of the boreholes with data, the destination
// folders, and the conversion of the chosen boreholes, each into its own
// result of the report.
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
#include "run/ahead_env.h"
#include "run/borehole_run.h"
#include "run/boreholes_ahead.h"
#include "run/overlapping_folders.h"
#include "run/run_caches.h"
#include "run/run_env.h"
#include "run/staging.h"

namespace s1ordo {
namespace {

// The source and destination folders of the path boxes as the checks left
// them: normalised, ending with the separator.
struct RunFolders {
  std::string source;
  std::string destination;
};

// What one run works with.
struct Run {
  const Session& session;
  UserInterface& ui;
  const RunOptions& options;
  RunReport& report;
  Env& env;  // the run's: a dry run's changes are held in memory
  ScratchFiles* scratch;
  RunFolders folders;
};

// Shows the message of a check that ends the run and keeps it in the report.
void EndingMessage(Run& run, const std::string& text, MessageKind kind, const std::string& title) {
  run.ui.ShowMessage(text, kind, title);
  run.report.ended_by = text;
}

// Checks the text of one path box; on failure shows the warning and gives
// the box the focus.
bool CheckPathBox(Run& run, PathBox box, std::string& path) {
  path = run.ui.Text(box);
  bool ok = IsValidPath(
      path, run.env.form(), [&](char letter) { return run.env.DriveUsable(letter); },
      [&](const std::string& message) { run.ui.ShowMessage(message, MessageKind::kInformation, ApplicationTitle()); });
  if (ok) return true;
  EndingMessage(run, Sjis(u8"指定されたパスは正しくありません。"), MessageKind::kWarning, path);
  run.ui.FocusAndSelectAll(box);
  return false;
}

// A list without entries says what is wrong with the source folder.
bool AnyBoreholeSelected(Run& run) {
  for (int i = 0; i < run.ui.BoreholeCount(); ++i)
    if (run.ui.IsSelected(i)) return true;
  std::string problem;
  try {
    if (run.ui.BoreholeCount() == 0) problem = SourceFolderProblem(run.env, run.folders.source);
  } catch (const Error& e) {
    problem = e.cause() + ": " + e.file();  // a folder that may not be listed lists no borehole
  }
  if (problem.empty()) problem = Sjis(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が選択されていません。");
  EndingMessage(run, problem, MessageKind::kNotice, ApplicationTitle());
  return false;
}

// The destination as typed must not end with the separator: the borehole
// names are put after it with one.
bool DestinationWithoutSeparator(Run& run) {
  if (RightChars(run.ui.Text(PathBox::kDestination), 1) != std::string(1, Separator(run.env.form()))) return true;
  EndingMessage(run, Sjis(u8"最後のﾌｫﾙﾀﾞに「￥」は要りません。"), MessageKind::kWarning, run.folders.source);
  return false;
}

bool PassChecks(Run& run) {
  return CheckPathBox(run, PathBox::kSource, run.folders.source) &&
         CheckPathBox(run, PathBox::kDestination, run.folders.destination) && AnyBoreholeSelected(run) &&
         DestinationWithoutSeparator(run);
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
// empty; the others are reported and deselected. Every selected borehole
// gets its result in the report. Nothing is written to the source folder.
// Empty, after the notice, when none is left. A borehole folder that may
// not be read throws, naming it.
std::vector<std::string> ChooseBoreholesWithData(Run& run, std::vector<size_t>& results) {
  std::vector<std::string> chosen;
  for (int i = 0; i < run.ui.BoreholeCount(); ++i) {
    if (!run.ui.IsSelected(i)) continue;
    std::string name = run.ui.BoreholeName(i);
    BoreholeResult& result = run.report.boreholes.emplace_back();
    result.name = name;
    int64_t size = 0;
    ForBorehole(name, [&] { size = run.env.FileSize(run.folders.source + name + Separator(run.env.form()) + "n1.txt"); });
    if (size >= 1) {
      chosen.push_back(name);
      results.push_back(run.report.boreholes.size() - 1);
      continue;
    }
    const std::string text = "[" + name + "]" + Sjis(u8"にはデータがありません。変換されません。");
    result.status = BoreholeStatus::kNoData;
    result.warnings.push_back(Finding{name, "", 0, text});
    run.ui.ShowMessage(text, MessageKind::kWarning, run.folders.source);
    run.ui.Deselect(i);
  }
  if (chosen.empty()) EndingMessage(run, Sjis(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が全て無効です。"), MessageKind::kNotice, ApplicationTitle());
  return chosen;
}

// Walks destination & borehole from the drive down, from below the levels
// known to exist (*known: the destination folder, once one borehole's walk
// has passed it); asks once when a level is missing (a dry run takes yes
// without asking) and creates the missing levels on yes (*made: the
// borehole's own folder among them). False when answered no.
bool MakeDestinationFolder(Run& run, const std::string& borehole, std::string* known, bool* made) {
  const char sep = Separator(run.env.form());
  const std::vector<std::string> parts = SplitFields(run.folders.destination + borehole, std::string(1, sep));
  const size_t own = parts.size() - 1;  // the borehole's level
  const bool destination_known = !known->empty() && own > 0;
  std::string path = destination_known ? *known : parts[0];
  size_t k = destination_known ? own : 1;
  for (; k < parts.size(); ++k) {
    path += sep + parts[k];
    if (!run.env.Exists(path)) break;
  }
  auto know_destination = [&] {
    *known = parts[0];
    for (size_t j = 1; j < own; ++j) *known += sep + parts[j];
  };
  if (k == parts.size()) {
    know_destination();
    return true;
  }
  if (!run.options.dry_run) {
    std::string question = "[" + borehole + "]" + Sjis(u8"ﾌｫﾙﾀﾞがありません。新規作成しますか？");
    const bool yes = run.ui.ShowMessage(question, MessageKind::kQuestion, ApplicationTitle());
    StopIfAsked(run.options.stop);  // Ctrl-C at the question
    if (!yes) return false;
  }
  for (;;) {  // from the first level missing, which may have been made meanwhile
    const bool missing = !run.env.Exists(path);
    if (missing) run.env.CreateFolder(path);
    if (++k == parts.size()) {
      *made = missing;
      break;
    }
    path += sep + parts[k];
  }
  know_destination();
  return true;
}

// Every chosen borehole's folder under the destination; false when a
// question was answered no (the folders made before stay). *made: for
// each, whether the run made its own folder.
bool CreateDestinationFolders(Run& run, const std::vector<std::string>& chosen, std::vector<bool>* made) {
  std::string known;
  for (const std::string& name : chosen) {
    bool answered_yes = false, own = false;
    ForBorehole(name, [&] { answered_yes = MakeDestinationFolder(run, name, &known, &own); });
    if (!answered_yes) return false;
    made->push_back(own);
  }
  return true;
}

std::string PartOrEmpty(const std::vector<std::string>& parts, size_t k) {
  return k <= parts.size() ? parts[k - 1] : std::string();
}

// Holds the pattern-data folder for the rest of the run, so that no other
// conversion reads or changes its vocabulary and lists meanwhile. While
// another holds it, the run says so and tries again every 50 ms, letting
// the window repaint; it fails at once if the user interface will not wait,
// and stops when asked to.
std::unique_ptr<FolderLock> LockPatternData(Run& run, const std::string& folder) {
  if (folder.empty()) return nullptr;  // no pattern data to share
  std::unique_ptr<FolderLock> lock = run.env.TryLockFolder(folder);
  if (lock) return lock;
  const std::string in_use = Sjis(u8"他の変換がパターンデータフォルダを使用中です。");
  if (!run.ui.WaitForOtherConversion(in_use + Sjis(u8"終わるまで待ちます: ") + folder)) throw Error(in_use, folder);
  while (!(lock = run.env.TryLockFolder(folder))) {
    StopIfAsked(run.options.stop);
    run.ui.Repaint();
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

// The boreholes of the converting threads, when the run converts ahead
// (null when it goes one borehole after another). folders_made: whether
// the run made each one's work folder.
std::unique_ptr<BoreholesAhead> AheadOf(Run& run, const RunCaches& caches, const std::vector<std::string>& chosen,
                                        const std::vector<bool>& folders_made) {
  if (!run.options.convert_ahead || run.session.ahead_envs.empty() || run.scratch || run.options.reread_files ||
      chosen.size() < 2)
    return nullptr;
  std::vector<BoreholesAhead::Borehole> boreholes;
  bool any_made = false;
  for (size_t k = 0; k < chosen.size(); ++k) {
    boreholes.push_back({chosen[k], JobFor(run.env.form(), run.folders, chosen[k]), folders_made[k]});
    any_made = any_made || folders_made[k];
  }
  if (!WorkFoldersApart(run.env.form(), boreholes)) return nullptr;
  Env& env = run.session.env;
  return std::make_unique<BoreholesAhead>(run.session.ahead_envs, run.session.settings, caches.vocabulary, run.options,
                                          std::move(boreholes), env,
                                          any_made ? AheadFolder::Make(env, run.folders.destination) : nullptr);
}

// Borehole k as a converting thread did it, written into place; false
// when it is to be converted in its turn (nothing of it written then, or
// what was written is written again).
bool TakeAhead(Run& run, RunCaches& caches, BoreholesAhead* ahead, size_t k, BoreholeResult& result) {
  if (!ahead || (run.options.stop && run.options.stop->asked())) return false;
  std::unique_ptr<AheadBorehole> done = ahead->Take(k);
  if (!done || !done->usable) return false;
  // A borehole whose "CNT.TXT" had no data wrote the values it started
  // from: they must be those the run holds.
  if (!done->carry_out.read_from_file && (done->carry_in.item5 != caches.count_carry.item5 ||
                                          done->carry_in.item6 != caches.count_carry.item6)) {
    ahead->Drop(*done);
    return false;
  }
  try {
    if (!ahead->Place(*done)) return false;
  } catch (const Error&) {
    return false;  // the conversion in turn meets the failure and reports it
  }
  result = std::move(done->result);
  caches.count_carry = std::move(done->carry_out);
  return true;
}

// Converts the chosen boreholes into their results; true when every one
// converted. A failure ends the run, thrown on, unless the run keeps going.
bool ConvertChosen(Run& run, RunCaches& caches, const std::vector<std::string>& chosen,
                   const std::vector<size_t>& results, const std::vector<bool>& folders_made) {
  run.ui.SetBusy(true);
  run.ui.SetMessageLine(Sjis(u8"只今変換中！　しばらくお待ちください。"));
  run.ui.Repaint();
  const BoreholeRunInputs inputs{run.session.env, run.scratch, caches, run.options.stop, run.options.clean,
                                 run.options.keep_warnings};
  const std::unique_ptr<BoreholesAhead> ahead = AheadOf(run, caches, chosen, folders_made);
  if (ahead) ahead->Start(0, caches.count_carry);
  const int total = static_cast<int>(chosen.size());
  bool all_converted = true;
  for (int done = 0; done < total; ++done) {
    const std::string& name = chosen[done];
    run.ui.Progress(done + 1, total, name);
    BoreholeResult& result = run.report.boreholes[results[done]];
    if (TakeAhead(run, caches, ahead.get(), done, result)) continue;
    if (ahead) ahead->Stop();  // nothing reads the pattern data while this one may change it
    try {
      ConvertBorehole(inputs, name, JobFor(run.env.form(), run.folders, name), result);
    } catch (const Error& e) {
      if (!run.options.keep_going) throw;
      run.ui.ShowMessage(e.Describe(true), MessageKind::kError, ApplicationTitle());
      all_converted = false;
    }
    if (ahead) ahead->Start(done + 1, caches.count_carry);
  }
  return all_converted;
}

// The source folder's sub-folders that cannot be boreholes (a name code
// page 932 cannot hold, left out of every list without a word), for the
// report.
void NoteFoldersLeftOut(Run& run) {
  std::vector<std::string> left_out;
  try {
    run.env.ListSubfolders(run.folders.source, &left_out);
  } catch (const Error&) {
    return;  // a source folder that may be searched but not listed: the boreholes were named
  }
  for (const std::string& text : left_out) run.report.run_warnings.push_back(Finding{"", "", 0, text});
}

RunOutcome EndedByCheck(UserInterface& ui) {
  ui.SetMessageLine("");
  return RunOutcome::kEndedByCheck;
}

RunOutcome Failed(Run& run, const Error& error) {
  if (error.borehole().empty()) run.report.run_failure = Finding{"", error.file(), error.line(), error.cause()};
  run.ui.SetBusy(false);
  run.ui.SetMessageLine("");
  run.ui.ShowMessage(error.Describe(), MessageKind::kError, ApplicationTitle());
  return RunOutcome::kFailed;
}

RunOutcome Stopped(UserInterface& ui) {
  ui.SetBusy(false);
  ui.SetMessageLine("");
  return RunOutcome::kStopped;
}

// The end of a run that went through all its boreholes: the messages kept
// for it, then the closing message.
RunOutcome Ended(Run& run, const RunCaches& caches, bool all_converted) {
  run.ui.SetBusy(false);
  std::vector<std::string> messages;
  for (const BoreholeResult& b : run.report.boreholes) messages.insert(messages.end(), b.messages.begin(), b.messages.end());
  for (const std::string& text : caches.geology.warnings()) {
    messages.push_back(text);
    run.report.run_warnings.push_back(Finding{"", "", 0, text});
  }
  for (const std::string& text : messages) run.ui.ShowMessage(text, MessageKind::kWarning, ApplicationTitle());
  if (!all_converted) {
    run.ui.SetMessageLine(Sjis(u8"変換が終わりました。変換できなかったボーリング孔があります。"));
    return RunOutcome::kFailed;
  }
  run.ui.SetMessageLine(Sjis(u8"変換が正常に終了しました。"));
  return RunOutcome::kCompleted;
}

// From the folder checks to the end of the run, once the boreholes are
// chosen.
RunOutcome Convert(Run& run, const std::vector<std::string>& chosen, const std::vector<size_t>& results) {
  const Settings& settings = run.session.settings;
  // Folders that overlap are refused before anything is created.
  CheckFoldersApart(run.env.form(), settings.pattern_folder, run.folders.source, run.folders.destination, chosen);
  auto caches = std::make_unique<RunCaches>(run.env, settings, run.options.reread_files);
  std::vector<bool> folders_made;
  if (!CreateDestinationFolders(run, chosen, &folders_made)) {
    run.ui.SetMessageLine("");
    return RunOutcome::kDeclined;
  }
  // What the run keeps of the pattern data is read from here on, under
  // the lock, which the run holds to its end.
  const std::unique_ptr<FolderLock> lock = LockPatternData(run, settings.pattern_folder);
  LoadGeologyVocabulary(run.env, settings.pattern_folder, caches->vocabulary);
  NoteFoldersLeftOut(run);
  const bool all_converted = ConvertChosen(run, *caches, chosen, results, folders_made);
  return Ended(run, *caches, all_converted);
}

}  // namespace

std::string ApplicationTitle() { return Sjis(u8"StravoS1 -> Ordo 変換プログラム"); }

std::string SourceFolderProblem(Env& env, const std::string& source_folder, bool listed) {
  const std::string folder = source_folder.size() > 1 ? source_folder.substr(0, source_folder.size() - 1) : source_folder;
  if (!env.Exists(folder)) return Sjis(u8"変換元のフォルダがありません: ") + folder;
  if (!env.IsFolder(folder)) return Sjis(u8"変換元はフォルダではありません: ") + folder;
  if (listed && env.ListSubfolders(source_folder, nullptr).empty())
    return Sjis(u8"変換元のフォルダにボーリング孔のフォルダがありません: ") + folder;
  return {};
}

RunOutcome RunConversion(const Session& session, UserInterface& ui, const RunOptions& options, RunReport* report) {
  RunReport own;
  RunReport& r = report ? *report : own;
  r = RunReport();
  r.dry_run = options.dry_run;
  std::unique_ptr<ScratchFiles> scratch = options.dry_run ? std::make_unique<ScratchFiles>(session.env.form()) : nullptr;
  RunEnv env(session.env, scratch.get(), nullptr);
  Run run{session, ui, options, r, env, scratch.get(), {}};
  if (!PassChecks(run)) return EndedByCheck(ui);
  r.source = run.folders.source;
  r.destination = run.folders.destination;
  try {
    std::vector<size_t> results;
    const std::vector<std::string> chosen = ChooseBoreholesWithData(run, results);
    if (chosen.empty()) return EndedByCheck(ui);
    r.reached_conversion = true;
    return Convert(run, chosen, results);
  } catch (const Error& e) {
    return Failed(run, e);
  } catch (const RunStopped&) {
    return Stopped(ui);
  } catch (const std::exception& e) {
    return Failed(run, Error(Sjis(u8"予期しないエラー: ") + e.what()));
  }
}

}  // namespace s1ordo
