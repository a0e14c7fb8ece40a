// The coded interval converter: depth intervals with their categories in
// column pairs.
#include "converters/x7_coded_intervals.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/number.h"
#include "helpers/text.h"
#include "layers/list_records.h"

namespace s1ordo {
namespace {

constexpr int kListBound = 100;  // entries of "L8.txt"
constexpr int kSlots = 10;       // categories that get columns of their own
constexpr int kColumns = 68;

struct Category {
  int16_t code = 9999;
  std::string name;
};

// The category code of an "N7.txt" record, for comparing with the codes of
// the list; a text that is not a number cannot be compared.
double CategoryCode(const RecordFile& file, const std::string& field) {
  if (!IsNumberText(field))
    throw Error(Sjis(u8"分類コードが数値ではありません: ") + field, file.path(), file.line());
  return ReadNumber(field);
}

std::vector<Category> LoadCategoryList(Env& env, const std::string& path) {
  RecordFile file(env, path);
  std::vector<Category> list;
  std::vector<std::string> items;
  while (file.Next(3, items)) {
    if (static_cast<int>(list.size()) == kListBound) ThrowTooManyRecords(file, kListBound);
    list.push_back({AtFile(path, file.line(), [&] { return RoundToInt16(ReadNumber(items[0])); }), items[1]});
  }
  return list;
}

// The first ten categories of the list met in "N7.txt", in order of first
// appearance, then sorted by code. A code the list lacks, and a category
// beyond the ten, get no columns: warned about.
std::vector<Category> TakeSlots(const BoreholeFolder& borehole, const std::string& source,
                                const std::vector<Category>& list) {
  std::vector<Category> slots;
  RecordFile file(borehole.env(), source);
  std::vector<std::string> items;
  while (file.Next(7, items)) {
    if (list.empty()) continue;
    double code = CategoryCode(file, items[2]);
    bool listed = false;
    for (const Category& entry : list) {
      if (entry.code != code) continue;
      listed = true;
      bool taken = false;
      for (const Category& slot : slots) taken = taken || slot.code == entry.code;
      if (!taken && static_cast<int>(slots.size()) == kSlots && !CountOnly(borehole.notes()))
        borehole.Warn(source, file.line(), Sjis(u8"分類 ") + Trim(items[2]) +
                                               Sjis(u8" は 10 を超えた分類のため、分類の列が空になります"));
      if (static_cast<int>(slots.size()) == kSlots) break;
      if (!taken) slots.push_back(entry);
      break;
    }
    if (!listed && !CountOnly(borehole.notes()))
      borehole.Warn(source, file.line(),
                    Sjis(u8"分類コード ") + Trim(items[2]) + Sjis(u8" は L8.txt にないため、分類の列が空になります"));
  }
  // No two slots hold the same code, so any sort gives the one order.
  std::sort(slots.begin(), slots.end(), [](const Category& a, const Category& b) { return a.code < b.code; });
  return slots;
}

// One line of "X7.txt", without its line end.
std::string IntervalLine(const RecordFile& file, long long counter, const std::vector<std::string>& f,
                         const std::vector<Category>& slots) {
  std::array<std::string_view, kColumns + 1> col{};  // col[1] .. col[68], empty but where set
  std::string code_text;
  if (!slots.empty()) {
    double code = CategoryCode(file, f[2]);
    for (size_t k = 0; k < slots.size(); ++k) {
      if (slots[k].code != code) continue;
      code_text = RightJustify(IntText(slots[k].code), 2);
      col[9 + 2 * k] = col[10 + 2 * k] = code_text;
      col[29 + 2 * k] = col[30 + 2 * k] = slots[k].name;
      col[49 + 2 * k] = f[5];
      col[50 + 2 * k] = f[6];
      break;
    }
  }
  double top = ReadNumber(f[3]);
  double bottom = ReadNumber(f[4]);
  const std::string number = RightJustify(IntText(counter), 3);
  const std::string top_text = FormatDecimal2(7, static_cast<float>(top));
  const std::string bottom_text = FormatDecimal2(7, static_cast<float>(bottom));
  // Centimetres, in double precision and cut: 1.2 to 2.3 gives 109.
  const std::string length = bottom != 0 ? TrimmedDoubleText(std::trunc((bottom - top) * 100)) : "   ";
  col[1] = number;
  col[2] = f[1];
  col[3] = "  ";
  col[5] = top_text;
  col[6] = bottom_text;
  col[7] = "   ";
  col[8] = length;

  std::string line;
  line.reserve(256);
  line += col[1];
  for (int c = 2; c <= kColumns; ++c) {
    line += ',';
    line += col[c];
  }
  return line;
}

}  // namespace

void ConvertCodedIntervals(const BoreholeFolder& borehole, const ListFolderSetting& lists) {
  Env& env = borehole.env();
  const std::string source = borehole.File("N7.txt");
  if (!SourceHasData(env, source)) return;
  const std::string& list_folder = lists.folder();
  if (list_folder.empty()) {
    borehole.Warn(source, 0, Sjis(u8"Ridevi.ini にリストフォルダの設定がないため、区間は変換されません (X7.txt は書かれません)"));
    return;
  }

  const std::vector<Category> list = LoadCategoryList(env, list_folder + "L8.txt");
  const std::vector<Category> slots = TakeSlots(borehole, source, list);

  auto out = env.NewWritableFile(borehole.File("X7.txt"));
  RecordFile file(env, source);
  std::vector<std::string> items;
  long long counter = 0;
  while (file.Next(7, items)) out->Append(IntervalLine(file, ++counter, items, slots) + "\r\n");
  out->Close();
}

}  // namespace s1ordo
