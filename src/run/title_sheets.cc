// The title sheets: the title files read, their items placed on the lines
// of the two sheets, three of them through the legend lists.
#include "run/title_sheets.h"

#include "converters/record_converter.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/platform.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// Lines 1 .. n of a sheet; index 0 is unused.
using FirstSheet = std::array<std::string, 24>;
using SecondSheet = std::array<std::string, 42>;

// The names the legend lists give three items of "TITL1.TXT".
struct LegendNames {
  std::string l1;  // of line 16
  std::string l2;  // of line 27
  std::string l3;  // of line 18
};

TitleLines ReadTitleFile(Env& env, const std::string& path) {
  TitleLines lines;
  int64_t size = env.FileSize(path);
  if (size < 0) WriteWholeFile(env, path, "");
  if (size <= 0) return lines;
  ItemReader in(env.ReadFile(path));
  std::string line;
  for (int k = 1; k <= kTitleLineLimit && in.ReadLine(&line); ++k)
    if (k < static_cast<int>(lines.size())) lines[k] = TrimRight(line);
  return lines;
}

// The first line followed by the second without its leading blanks.
std::string Joined(const std::string& first, const std::string& second) {
  return TrimRight(first) + TrimLeft(second);
}

// Line `k` of a title file without surrounding blanks, right-justified in
// width characters; a longer one keeps its end, with a warning.
std::string Aligned(const BoreholeFolder& borehole, const char* file, const TitleLines& lines, size_t k, size_t width) {
  const std::string path = borehole.File(file);
  return FitRight(RecordSite{borehole.notes(), path, static_cast<long>(k)}, u8"項目", Trim(lines[k]), width);
}

// A sheet line that takes a title file's line as it is.
struct Copied {
  size_t sheet_line;
  bool from_titl2;  // else from "TITL1.TXT"
  size_t title_line;
};

template <size_t N, size_t M>
void Copy(std::array<std::string, N>& sheet, const Copied (&copied)[M], const TitleFiles& titles) {
  for (const Copied& c : copied) sheet[c.sheet_line] = (c.from_titl2 ? titles.titl2 : titles.titl1)[c.title_line];
}

constexpr Copied kFirstSheetCopies[] = {{2, false, 4},  {3, false, 3},  {18, true, 3},   {19, true, 4},
                                        {20, true, 15}, {21, false, 20}, {22, false, 21}, {23, false, 28}};
constexpr Copied kSecondSheetCopies[] = {{1, false, 5},   {15, false, 23}, {16, false, 22}, {19, false, 17},
                                         {20, true, 11},  {23, false, 19}, {25, true, 12},  {26, true, 13},
                                         {27, true, 14},  {28, false, 24}, {29, false, 25}, {30, false, 26}};

// Widths of the two dates (year, month, day each) and of the latitude and
// longitude (degrees, minutes, seconds each) on "titl01.txt".
constexpr size_t kDateWidths[6] = {4, 2, 2, 4, 2, 2};
constexpr size_t kPositionWidths[6] = {3, 2, 5, 3, 2, 5};

FirstSheet FirstSheetLines(const BoreholeFolder& borehole, const TitleFiles& titles) {
  const TitleLines& a = titles.titl1;
  const TitleLines& b = titles.titl2;
  FirstSheet s;
  Copy(s, kFirstSheetCopies, titles);
  s[1] = Joined(a[1], a[2]);
  for (size_t k = 0; k < 6; ++k) s[4 + k] = Aligned(borehole, "TITL1.TXT", a, 10 + k, kDateWidths[k]);  // lines 4 .. 9
  s[10] = Joined(a[6], a[7]);
  for (size_t k = 0; k < 6; ++k)
    s[11 + k] = Aligned(borehole, "TITL2.TXT", b, 5 + k, kPositionWidths[k]);  // lines 11 .. 16
  s[17] = Joined(b[1], b[2]);
  return s;
}

// "titl02.txt". Each backward lookup runs once its name line is there (L1,
// L3, then L2). Lines 9 .. 14 are the latitude and longitude (degrees,
// minutes, seconds), which no title item fills, so the grid square of line
// 40 is always that of an unknown place.
SecondSheet SecondSheetLines(const TitleFiles& titles, const LegendNames& names, LegendLists& legends,
                             BoreholeNotes* notes) {
  SecondSheet t;
  Copy(t, kSecondSheetCopies, titles);
  t[18] = names.l1;
  t[17] = legends.LookupLegendCode(kLegendL1, t[18], notes);
  t[22] = names.l3;
  t[21] = legends.LookupLegendCode(kLegendL3, t[22], notes);
  t[32] = names.l2;
  t[31] = legends.LookupLegendCode(kLegendL2, t[32], notes);
  auto number = [&](int k) { return static_cast<float>(ReadNumber(t[k])); };
  t[40] = GridSquareCode(number(9), number(10), number(11), number(12), number(13), number(14)) + "   ";
  return t;
}

// Writes lines 1 .. n of the sheet, each ended by CR LF.
template <size_t N>
void WriteSheet(Env& env, const std::string& path, const std::array<std::string, N>& lines) {
  std::string text;
  for (size_t k = 1; k < N; ++k) text += lines[k] + "\r\n";
  WriteWholeFile(env, path, text);
}

}  // namespace

TitleFiles ReadTitleFiles(const BoreholeFolder& borehole) {
  TitleFiles titles;
  titles.titl1 = ReadTitleFile(borehole.env(), borehole.File("TITL1.TXT"));
  titles.titl2 = ReadTitleFile(borehole.env(), borehole.File("TITL2.TXT"));
  return titles;
}

void WriteTitleSheets(const BoreholeFolder& borehole, const TitleFiles& titles, LegendLists& legends) {
  const TitleLines& a = titles.titl1;
  std::string l1, l3;  // the names as listed, before the cut to their widths
  const LegendNames names{legends.LookupLegendName(kLegendL1, a[16], &l1), legends.LookupLegendName(kLegendL2, a[27]),
                          legends.LookupLegendName(kLegendL3, a[18], &l3)};
  WarnIfCutToBytes(borehole.notes(), borehole.File("TITL1.TXT"), 16, l1, static_cast<size_t>(kLegendL1.name_width));
  WarnIfCutToBytes(borehole.notes(), borehole.File("TITL1.TXT"), 18, l3, static_cast<size_t>(kLegendL3.name_width));
  WriteSheet(borehole.env(), borehole.File("titl01.txt"), FirstSheetLines(borehole, titles));
  WriteSheet(borehole.env(), borehole.File("titl02.txt"), SecondSheetLines(titles, names, legends, borehole.notes()));
}

}  // namespace s1ordo
