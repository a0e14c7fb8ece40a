#include "run/staging.h"

#include <cmath>
#include <vector>

#include "converters/converter_sequence.h"
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
int64_t ProbeLength(Context& ctx, const std::string& path) {
  int64_t size = ctx.env.FileSize(path);
  if (size < 0) {
    WriteWholeFile(ctx.env, path, "");
    return 0;
  }
  return size;
}

}  // namespace

std::vector<std::string> CopyBoreholeFiles(Context& ctx, const BoreholeJob& job, bool hold_inclusion_file) {
  std::vector<std::string> held;
  for (const std::string& name : ListFiles(ctx.env, job.source_folder, &ctx.warnings)) {
    if (hold_inclusion_file && EqualsIgnoreCase(name, "N4.TXT")) {
      held.push_back(name);
      continue;
    }
    ctx.env.CopyFile(job.source_folder + name, job.work_folder + name);
  }
  return held;
}

void RewriteCountFile(Context& ctx, RunState& state, const BoreholeJob& job) {
  const std::string path = job.work_folder + "CNT.TXT";
  if (ProbeLength(ctx, path) > 0) {
    ItemReader in(ctx.env.ReadFile(path));
    std::vector<std::string> items;
    ReadRecord(in, 6, path, items);
    state.count_value5 = items[4];
    state.count_value6 = items[5];
    try {
      if (ReadNumber(state.count_value5) > 20) state.count_value5 = "2";
    } catch (Error& e) {
      e.set_file(path);
      throw;
    }
  }
  const std::string lines[10] = {LeftChars(job.part3, 2), job.part4, job.part5, "", state.count_value5,
                                 state.count_value6, "", "", "", ""};
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  WriteWholeFile(ctx.env, path, text);
}

bool RewriteInclusionFile(Context& ctx, const std::string& work_folder, const std::string& from) {
  const std::string path = work_folder + "N4.TXT";
  const std::string work = work_folder + "N4_WK.TXT";
  if (from.empty() ? ProbeLength(ctx, path) == 0 : ctx.env.FileSize(from) <= 0) return false;  // no data
  ItemReader in(ctx.env.ReadFile(from.empty() ? path : from));
  auto out = ctx.env.NewWritableFile(work);
  while (!in.AtEnd()) {
    long line = in.LineNumber();
    std::vector<std::string> items;
    ReadRecord(in, 4, path, items);
    std::string& item1 = items[0];
    std::string& item2 = items[1];
    std::string& item3 = items[2];
    double code = 0;
    try {
      code = ReadNumber(items[3]);
    } catch (Error& e) {
      e.set_file(path);
      e.set_line(line);
      throw;
    }
    if (Trim(item2).empty() && !Trim(item3).empty()) {
      item2 = item3;
      item3.clear();
    }
    out->Append(RightJustify(Trim(item1), 3) + "," + RightJustify(Trim(item2), 7) + "," +
                RightJustify(Trim(item3), 7) + "," + RightJustifyWith(TrimmedDoubleText(std::fabs(code)), 3, '0') +
                "\r\n");
  }
  out->Close();
  ctx.env.RenameFile(work, path);  // replaces "N4.TXT" in one step
  return true;
}

void StageBorehole(Context& ctx, RunState& state, const BoreholeJob& job) {
  // "N4.TXT" is not copied only to be replaced at once: it is converted
  // straight from the source into the work folder. Where that does not
  // happen (no data, or a failure before) it is copied as it is, so the work
  // folder ends as if it had been copied with the rest.
  const std::vector<std::string> held = CopyBoreholeFiles(ctx, job, true);
  auto copy_held = [&] {
    for (const std::string& name : held) ctx.env.CopyFile(job.source_folder + name, job.work_folder + name);
  };
  bool rewritten = false;
  try {
    RewriteCountFile(ctx, state, job);
    WriteTitleSheets(ctx, job.work_folder);
    // With several names differing in letter case the copy would hold the last.
    rewritten = RewriteInclusionFile(ctx, job.work_folder, held.empty() ? "" : job.source_folder + held.back());
  } catch (const Error&) {
    try {
      copy_held();
    } catch (const Error&) {
      // The first failure is the one to report.
    }
    throw;
  }
  if (!rewritten) copy_held();
  ctx.BoreholeFolder = job.work_folder.substr(0, job.work_folder.size() - 1);
  ConvertBoreholeFiles(ctx);
}

}  // namespace s1ordo
