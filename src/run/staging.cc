// The staging of one borehole: the copy into its work folder, the count
// file, the title sheets, the inclusion file and the converters.
#include "run/staging.h"

#include <cmath>
#include <vector>

#include "converters/record_converter.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "run/title_sheets.h"

namespace s1ordo {
namespace {

// Length of a work-folder file; a missing one is created empty, as the
// existence test of the source system does.
int64_t ProbeLength(Env& env, const std::string& path) {
  int64_t size = env.FileSize(path);
  if (size < 0) {
    WriteWholeFile(env, path, "");
    return 0;
  }
  return size;
}

// One record of "N4.TXT" in fixed-width fields, without its line end. An
// empty depth takes the second depth's place. Items cut to their fields are
// warned about at `at`.
std::string InclusionLine(const RecordSite& at, std::vector<std::string>& items, double code) {
  std::string& depth = items[1];
  std::string& second_depth = items[2];
  if (Trim(depth).empty() && !Trim(second_depth).empty()) {
    depth = second_depth;
    second_depth.clear();
  }
  const std::string code_text = TrimmedDoubleText(std::fabs(code));
  WarnIfCut(at, u8"混入物コード", code_text, 3);
  return FitRight(at, u8"番号", Trim(items[0]), 3) + "," + FitRight(at, u8"深度", Trim(depth), 7) + "," +
         FitRight(at, u8"深度", Trim(second_depth), 7) + "," + RightJustifyWith(code_text, 3, '0');
}

bool IsTextFileName(const std::string& name) {
  for (const char* end : {".txt", ".hed", ".hd2"}) {
    const size_t n = std::char_traits<char>::length(end);
    if (name.size() > n && EqualsIgnoreCase(std::string_view(name).substr(name.size() - n), end)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> CopyBoreholeFiles(Env& env, const BoreholeJob& job, bool hold_inclusion_file,
                                           std::vector<std::string>* left_out, const StopRequest* stop) {
  std::vector<std::string> held;
  for (const std::string& name : ListFiles(env, job.source_folder, left_out)) {
    StopIfAsked(stop);
    if (hold_inclusion_file && EqualsIgnoreCase(name, "N4.TXT")) {
      held.push_back(name);
      continue;
    }
    env.CopyFile(job.source_folder + name, job.work_folder + name);
  }
  return held;
}

void WarnTextNotCodePage932(Env& env, const BoreholeJob& job, BoreholeNotes* notes) {
  if (!notes) return;
  for (const std::string& name : ListFiles(env, job.source_folder)) {
    if (!IsTextFileName(name)) continue;
    const std::string path = job.source_folder + name;
    std::string bytes;
    try {
      bytes = env.ReadFile(path);
    } catch (const Error&) {
      continue;  // the conversion reports what cannot be read where it reads it
    }
    if (long line = FirstLineNotCodePage932(bytes))
      AddWarning(notes, path, line,
                 Sjis(u8"Shift-JIS (コードページ932) のテキストではありません (UTF-8 で保存されたファイルかもしれません)"));
  }
}

bool ReadCountFileCarry(Env& env, const std::string& path, CountFileCarry& carry) {
  if (ProbeLength(env, path) <= 0) return false;
  ItemReader in(env.ReadFile(path));
  std::vector<std::string> items;
  ReadRecord(in, 6, path, items);
  carry.item5 = items[4];
  carry.item6 = items[5];
  if (AtFile(path, 0, [&] { return ReadNumber(carry.item5); }) > 20) carry.item5 = "2";
  return true;
}

void RewriteCountFile(Env& env, const BoreholeJob& job, CountFileCarry& carry) {
  const std::string path = job.work_folder + "CNT.TXT";
  carry.read_from_file = false;  // also when the file does not read
  carry.read_from_file = ReadCountFileCarry(env, path, carry);
  const std::string lines[10] = {LeftChars(job.second_folder, 2), job.third_folder, job.fourth_folder, "",
                                 carry.item5, carry.item6, "", "", "", ""};
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  WriteWholeFile(env, path, text);
}

bool RewriteInclusionFile(Env& env, const std::string& work_folder, const std::string& from, BoreholeNotes* notes) {
  const std::string path = work_folder + "N4.TXT";
  const std::string work = work_folder + "N4_WK.TXT";
  if (from.empty() ? ProbeLength(env, path) == 0 : env.FileSize(from) <= 0) return false;  // no data
  ItemReader in(env.ReadFile(from.empty() ? path : from));
  auto out = env.NewWritableFile(work);
  std::vector<std::string> items;
  while (!in.AtEnd()) {
    long line = in.LineNumber();
    ReadRecord(in, 4, path, items);
    double code = AtFile(path, line, [&] { return ReadNumber(items[3]); });
    out->Append(InclusionLine(RecordSite{notes, path, line}, items, code) + "\r\n");
  }
  out->Close();
  env.RenameFile(work, path);  // replaces "N4.TXT" in one step
  return true;
}

void StageBorehole(Env& env, const BoreholeJob& job, CountFileCarry& carry, LegendLists& legends,
                   const ConverterInputs& converters, BoreholeNotes* notes, const StopRequest* stop) {
  // "N4.TXT" is not copied only to be replaced at once: it is converted
  // straight from the source into the work folder. Where that does not
  // happen (no data, or a failure before) it is copied as it is, so the work
  // folder ends as if it had been copied with the rest.
  const std::vector<std::string> held = CopyBoreholeFiles(env, job, true, notes ? &notes->left_out : nullptr, stop);
  auto copy_held = [&] {
    for (const std::string& name : held) env.CopyFile(job.source_folder + name, job.work_folder + name);
  };
  WarnTextNotCodePage932(env, job, notes);
  const BoreholeFolder borehole(env, job.work_folder.substr(0, job.work_folder.size() - 1), notes, stop);
  bool rewritten = false;
  try {
    RewriteCountFile(env, job, carry);
    StopIfAsked(stop);
    WriteTitleSheets(borehole, ReadTitleFiles(borehole), legends);
    StopIfAsked(stop);
    // With several names differing in letter case the copy would hold the last.
    rewritten =
        RewriteInclusionFile(env, job.work_folder, held.empty() ? "" : job.source_folder + held.back(), notes);
  } catch (const RunStopped&) {
    copy_held();  // the work folder as if copied whole, then stop
    throw;
  } catch (const Error&) {
    try {
      copy_held();
    } catch (const Error&) {
      // The first failure is the one to report.
    }
    throw;
  }
  if (!rewritten) copy_held();
  StopIfAsked(stop);
  ConvertBoreholeFiles(borehole, converters);
}

}  // namespace s1ordo
