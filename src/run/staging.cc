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

void CopyBoreholeFiles(Context& ctx, const BoreholeJob& job) {
  for (const std::string& name : ListFiles(ctx.env, job.source_folder))
    ctx.env.CopyFile(job.source_folder + name, job.work_folder + name);
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

void RewriteInclusionFile(Context& ctx, const std::string& work_folder) {
  const std::string path = work_folder + "N4.TXT";
  const std::string work = work_folder + "N4_WK.TXT";
  if (ProbeLength(ctx, path) == 0) return;  // the empty file stays: no data
  ItemReader in(ctx.env.ReadFile(path));
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
}

void StageBorehole(Context& ctx, RunState& state, const BoreholeJob& job) {
  CopyBoreholeFiles(ctx, job);
  RewriteCountFile(ctx, state, job);
  WriteTitleSheets(ctx, job.work_folder);
  RewriteInclusionFile(ctx, job.work_folder);
  ctx.BoreholeFolder = job.work_folder.substr(0, job.work_folder.size() - 1);
  ConvertBoreholeFiles(ctx);
}

}  // namespace s1ordo
