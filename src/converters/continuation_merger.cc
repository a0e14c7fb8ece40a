#include "converters/continuation_merger.h"

#include <cmath>
#include <vector>

#include "converters/record_converter.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/platform.h"
#include "helpers/table_reader.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

float Depth(const std::string& text, const std::string& path, long line) {
  float depth = static_cast<float>(ReadNumber(text));
  if (!std::isfinite(depth)) throw Error(Sjis(u8"深度が大きすぎます: ") + text, path, line);
  return depth;
}

std::string MergedLine(long long number, float depth, const std::string& text) {
  return RightJustify(IntText(number), 3) + "," + RightJustify(FormatDecimal2(7, depth), 7) + ",\"" + text +
         "\"\r\n";
}

// Tests the source, merges it into the temporary file and copies that to
// the target.
void ConvertMerged(Context& ctx, const std::string& base_name, std::string_view target) {
  if (!OpenSource(ctx, ctx.InBorehole(base_name + ".TXT"))) return;
  CloseTable(ctx.table);
  MergeContinuationRecords(ctx, base_name);
  ctx.env.CopyFile(ctx.InBorehole(base_name + ".tmp"), ctx.InBorehole(target));
}

}  // namespace

void MergeContinuationRecords(Context& ctx, const std::string& base_name) {
  std::string source = ctx.InBorehole(base_name + ".txt");
  if (FileSize(ctx.env, source) < 1) return;
  ItemReader in(ctx.env.ReadFile(source));
  auto out = ctx.env.NewWritableFile(ctx.InBorehole(base_name + ".tmp"));

  std::vector<std::string> record;
  long line = in.LineNumber();
  ReadRecord(in, 3, source, record);
  // The first record always starts a depth, whatever its depth item holds.
  float depth = Depth(record[1], source, line);
  std::string text = std::move(record[2]);
  long long number = 1;
  while (!in.AtEnd()) {
    line = in.LineNumber();
    ReadRecord(in, 3, source, record);
    if (Trim(record[1]).empty()) {
      text += record[2];
      continue;
    }
    out->Append(MergedLine(number, depth, text));
    depth = Depth(record[1], source, line);
    text = std::move(record[2]);
    ++number;
  }
  out->Append(MergedLine(number, depth, text));
  out->Close();
}

void ConvertX12(Context& ctx) { ConvertMerged(ctx, "N12", "X12.TXT"); }
void ConvertX120(Context& ctx) { ConvertMerged(ctx, "G101", "X120.TXT"); }

}  // namespace s1ordo
