#include "run/title_sheets.h"

#include <array>

#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/text.h"
#include "run/legend_lists.h"

namespace s1ordo {
namespace {

// Lines 1 .. 28 of a title file (index 0 unused); later lines are not used.
using TitleLines = std::array<std::string, 29>;

// Reads a title file of the work folder into RecordFields 1 .. 100, without
// trailing blanks. A missing file is created empty and, like an empty one,
// gives empty lines.
TitleLines ReadTitleFile(Context& ctx, const std::string& path) {
  auto& fields = ctx.table.RecordFields;
  for (int k = 1; k <= 41; ++k) fields[k].clear();
  int64_t size = ctx.env.FileSize(path);
  if (size < 0) WriteWholeFile(ctx.env, path, "");
  if (size > 0) {
    ItemReader in(ctx.env.ReadFile(path));
    std::string line;
    for (int k = 1; k <= kTitleLineLimit && in.ReadLine(&line); ++k) fields[k] = TrimRight(line);
  }
  TitleLines lines;
  for (size_t k = 1; k < lines.size(); ++k) lines[k] = fields[k];
  return lines;
}

// The first line followed by the second without its leading blanks.
std::string Joined(const std::string& first, const std::string& second) {
  return TrimRight(first) + TrimLeft(second);
}

// The line without surrounding blanks, right-justified in width characters.
std::string Aligned(const std::string& line, size_t width) { return RightJustify(Trim(line), width); }

// Writes lines 1 .. count of the array, each ended by CR LF.
void WriteSheet(Context& ctx, const std::string& path, const std::string* lines, int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) text += lines[k] + "\r\n";
  WriteWholeFile(ctx.env, path, text);
}

}  // namespace

void WriteTitleSheets(Context& ctx, const std::string& work_folder) {
  const TitleLines a = ReadTitleFile(ctx, work_folder + "TITL1.TXT");
  const TitleLines b = ReadTitleFile(ctx, work_folder + "TITL2.TXT");

  const std::string name1 = LookupLegendName(ctx, kLegendL1, a[16]);
  const std::string name2 = LookupLegendName(ctx, kLegendL2, a[27]);
  const std::string name3 = LookupLegendName(ctx, kLegendL3, a[18]);

  const std::string titl01[24] = {
      "",
      Joined(a[1], a[2]),
      a[4],
      a[3],
      Aligned(a[10], 4),
      Aligned(a[11], 2),
      Aligned(a[12], 2),
      Aligned(a[13], 4),
      Aligned(a[14], 2),
      Aligned(a[15], 2),
      Joined(a[6], a[7]),
      Aligned(b[5], 3),
      Aligned(b[6], 2),
      Aligned(b[7], 5),
      Aligned(b[8], 3),
      Aligned(b[9], 2),
      Aligned(b[10], 5),
      Joined(b[1], b[2]),
      b[3],
      b[4],
      b[15],
      a[20],
      a[21],
      a[28],
  };
  WriteSheet(ctx, work_folder + "titl01.txt", titl01, 23);

  // "titl02.txt" is assembled in RecordFields 1 .. 41, in line order; each
  // backward lookup runs once its name line is there (L1, L3, then L2).
  auto& t = ctx.table.RecordFields;
  for (int k = 1; k <= 41; ++k) t[k].clear();
  t[1] = a[5];
  // Lines 9 .. 14 are the latitude and longitude (degrees, minutes,
  // seconds); no title item fills them.
  t[15] = a[23];
  t[16] = a[22];
  t[18] = name1;
  t[17] = LookupLegendCode(ctx, kLegendL1, t[18]);
  t[19] = a[17];
  t[20] = b[11];
  t[22] = name3;
  t[21] = LookupLegendCode(ctx, kLegendL3, t[22]);
  t[23] = a[19];
  t[25] = b[12];
  t[26] = b[13];
  t[27] = b[14];
  t[28] = a[24];
  t[29] = a[25];
  t[30] = a[26];
  t[32] = name2;
  t[31] = LookupLegendCode(ctx, kLegendL2, t[32]);
  auto number = [&](int k) { return static_cast<float>(ReadNumber(t[k])); };
  t[40] = GridSquareCode(number(9), number(10), number(11), number(12), number(13), number(14)) + "   ";
  WriteSheet(ctx, work_folder + "titl02.txt", t.data(), 41);
}

}  // namespace s1ordo
