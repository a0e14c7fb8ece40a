// The merger of continued depth texts into "X12.TXT" and "X120.TXT".
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

float Depth(const BoreholeFolder& borehole, const std::string& text, const std::string& path, long line) {
  float depth = static_cast<float>(ReadNumber(text));
  if (!std::isfinite(depth)) throw Error(Sjis(u8"深度が大きすぎます: ") + text, path, line);
  WarnIfCut(RecordSite{borehole.notes(), path, line}, u8"深度", FormatDecimal2(7, depth), 7);
  return depth;
}

std::string MergedLine(long long number, float depth, const std::string& text) {
  return RightJustify(IntText(number), 3) + "," + RightJustify(FormatDecimal2(7, depth), 7) + ",\"" + text +
         "\"\r\n";
}

// Tests the source, merges it into the temporary file and copies that to
// the target.
void ConvertMerged(const BoreholeFolder& borehole, const std::string& base_name, std::string_view target) {
  TableReader test;  // the source's existence test, as every record converter makes it
  if (!OpenTableFile(borehole.env(), test, borehole.File(base_name + ".TXT"))) return;
  MergeContinuationRecords(borehole, base_name);
  borehole.env().CopyFile(borehole.File(base_name + ".tmp"), borehole.File(target));
}

}  // namespace

void MergeContinuationRecords(const BoreholeFolder& borehole, const std::string& base_name) {
  Env& env = borehole.env();
  std::string source = borehole.File(base_name + ".txt");
  if (FileSizeOrZero(env, source) < 1) return;
  ItemReader in(env.ReadFile(source));
  auto out = env.NewWritableFile(borehole.File(base_name + ".tmp"));

  std::vector<std::string> record;
  long line = in.LineNumber();
  ReadRecord(in, 3, source, record);
  // The first record always starts a depth, whatever its depth item holds.
  float depth = Depth(borehole, record[1], source, line);
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
    depth = Depth(borehole, record[1], source, line);
    text = std::move(record[2]);
    ++number;
  }
  out->Append(MergedLine(number, depth, text));
  out->Close();
}

void ConvertX12(const BoreholeFolder& borehole) { ConvertMerged(borehole, "N12", "X12.TXT"); }
void ConvertX120(const BoreholeFolder& borehole) { ConvertMerged(borehole, "G101", "X120.TXT"); }

}  // namespace s1ordo
