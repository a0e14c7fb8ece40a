// The work on one borehole into its own result, and the names of its files
// as found under the source folder.
#include "run/borehole_run.h"

#include <exception>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/platform.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

bool Lists(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (EqualsIgnoreCase(n, name)) return true;
  return false;
}

// The name of a file of the work folder; "" for any other path.
std::string NameInFolder(const std::string& folder, const std::string& path) {
  if (!StartsWithIgnoreCase(path, folder)) return {};
  std::string name = path.substr(folder.size());
  return name.find_first_of("/\\") == std::string::npos ? name : std::string();
}

// What the user is to look at: the source file when there is one, else the
// path itself.
Finding FindingOf(const BoreholeJob& job, const std::string& borehole, const std::vector<std::string>& source_names,
                  const std::string& file, long line, const std::string& text) {
  std::string shown = SourceRelativeName(job, borehole, source_names, file);
  return Finding{borehole, shown.empty() ? file : shown, line, text};
}

// The borehole's notes in its result: the entries the copy left out, then
// what the converters bent, then what they added.
void TakeNotes(const BoreholeJob& job, const std::string& name, const std::vector<std::string>& source_names,
               BoreholeNotes& notes, BoreholeResult& result) {
  for (const std::string& text : notes.left_out) {
    result.warnings.push_back(Finding{name, "", 0, text});
    result.messages.push_back(text);
  }
  result.warnings_not_kept += notes.warnings_counted;
  for (const Warning& w : notes.warnings) result.warnings.push_back(FindingOf(job, name, source_names, w.file, w.line, w.text));
  result.additions = std::move(notes.additions);
}

// Files that were in the work folder before and that neither the source
// has nor the run wrote: what an earlier conversion left (a stale "N7.txt"
// that was converted again).
void WarnLeftFromBefore(const BoreholeJob& job, const std::string& name, const std::vector<std::string>& before,
                        const std::vector<std::string>& source_names, const std::vector<std::string>& written,
                        BoreholeResult& result) {
  std::string names;
  for (const std::string& file : before) {
    if (Lists(source_names, file)) continue;
    bool rewritten = false;
    for (const std::string& path : written)
      rewritten = rewritten || EqualsIgnoreCase(NameInFolder(job.work_folder, path), file);
    if (!rewritten) names += (names.empty() ? "" : ", ") + file;
  }
  if (names.empty()) return;
  const std::string text = Sjis(u8"変換先のフォルダに、変換元にないファイルが以前の変換から残っています: ") + names;
  result.warnings.push_back(Finding{name, "", 0, text});
  result.messages.push_back("[" + name + "]" + text);
}

void NoteFailure(const BoreholeJob& job, const std::string& name, const std::vector<std::string>& source_names,
                 Error& e, BoreholeResult& result) {
  if (e.borehole().empty()) e.set_borehole(name);
  const std::string shown = SourceRelativeName(job, name, source_names, e.file());
  if (!shown.empty()) e.set_source_file(shown);
  result.status = BoreholeStatus::kFailed;
  result.failure = Finding{name, shown.empty() ? e.file() : shown, e.line(), e.cause()};
}

// The files of the work folder before the copy that hold something (an
// empty one is what the existence tests of a conversion leave); with clean,
// every file is deleted instead.
std::vector<std::string> FilesBefore(Env& env, const BoreholeJob& job, bool clean) {
  std::vector<std::string> files;
  try {
    if (env.IsFolder(job.work_folder)) files = env.ListFiles(job.work_folder, nullptr);
  } catch (const Error&) {
    if (clean) throw;
    return {};  // a folder that may be written but not listed: nothing to name
  }
  std::vector<std::string> before;
  for (const std::string& file : files) {
    if (clean) {
      env.DeleteFile(job.work_folder + file);
    } else if (env.FileSize(job.work_folder + file) > 0) {
      before.push_back(file);
    }
  }
  return before;
}

// The staging into result; written: the paths written so far.
void Stage(const BoreholeRunInputs& in, Env& env, const std::string& name, const BoreholeJob& job,
           const std::vector<std::string>& written, BoreholeResult& result) {
  std::vector<std::string> source_names;
  BoreholeNotes notes;
  notes.keep_warnings = in.keep_warnings;
  try {
    source_names = ListFiles(in.base, job.source_folder);
    const std::vector<std::string> before = FilesBefore(env, job, in.clean);
    StageBorehole(env, job, in.caches.count_carry, in.caches.legends, in.caches.converter_inputs, &notes, in.stop);
    result.status = BoreholeStatus::kConverted;
    TakeNotes(job, name, source_names, notes, result);
    WarnLeftFromBefore(job, name, before, source_names, written, result);
  } catch (Error& e) {
    TakeNotes(job, name, source_names, notes, result);
    NoteFailure(job, name, source_names, e, result);
    throw;
  } catch (const RunStopped&) {
    TakeNotes(job, name, source_names, notes, result);
    result.status = BoreholeStatus::kUnfinished;
    throw;
  } catch (const std::exception& e) {
    Error error(Sjis(u8"予期しないエラー: ") + e.what());
    TakeNotes(job, name, source_names, notes, result);
    NoteFailure(job, name, source_names, error, result);
    throw error;
  }
}

// Notes the files written in the result when the work ends, however it
// ends; a dry run then forgets the borehole's scratch files.
class WrittenFiles {
 public:
  WrittenFiles(const BoreholeRunInputs& in, const std::string& name, const BoreholeJob& job, BoreholeResult& result)
      : in_(in), name_(name), job_(job), result_(result) {}
  ~WrittenFiles() {
    for (const std::string& path : paths) {
      const std::string file = NameInFolder(job_.work_folder, path);
      if (!file.empty()) result_.files_written.push_back(name_ + "/" + file);
    }
    if (in_.scratch) in_.scratch->Forget(job_.work_folder);
  }
  std::vector<std::string> paths;

 private:
  const BoreholeRunInputs& in_;
  const std::string& name_;
  const BoreholeJob& job_;
  BoreholeResult& result_;
};

}  // namespace

std::string SourceRelativeName(const BoreholeJob& job, const std::string& borehole,
                               const std::vector<std::string>& source_names, const std::string& path) {
  std::string name = NameInFolder(job.work_folder, path);
  if (name.empty()) name = NameInFolder(job.source_folder, path);
  for (const std::string& source_name : source_names)
    if (!name.empty() && EqualsIgnoreCase(source_name, name)) return borehole + "/" + source_name;
  return {};
}

void ConvertBorehole(const BoreholeRunInputs& in, const std::string& name, const BoreholeJob& job,
                     BoreholeResult& result) {
  result.name = name;
  WrittenFiles written(in, name, job, result);
  RunEnv env(in.base, in.scratch, &written.paths);
  Stage(in, env, name, job, written.paths, result);
}

}  // namespace s1ordo
