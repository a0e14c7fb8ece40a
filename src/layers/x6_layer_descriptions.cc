// The layer description converter: descriptions with their key texts and
// pattern slots, written while their levels ascend.
#include "layers/x6_layer_descriptions.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/number.h"
#include "helpers/text.h"
#include "layers/list_records.h"
#include "layers/ridevi_ini.h"

namespace s1ordo {
namespace {

constexpr int kCategories = 15;     // keywords of "L9.txt", flags of a record
constexpr int kPatternBound = 100;  // names of "L100.txt"
constexpr int kRecordBound = 1000;  // records of "N6.txt"
constexpr int kSlots = 20;          // patterns that get columns of their own
constexpr int kEmptySlot = 9999;
constexpr int kNoMatch = -1;

struct Description {
  std::string text;  // item 2
  std::string key;   // item 3, the key into "L23.txt"
  float level = 0;   // item 4
  float bottom = 0;  // item 5
  float value6 = 0;
  float value7 = 0;
  std::array<bool, kCategories> flagged{};  // item 8: character j is "1"
  long line = 0;  // where the record began in "N6.txt"
};

float SingleOf(const std::string& item) { return static_cast<float>(ReadNumber(item)); }

std::array<bool, kCategories> Flags(const std::string& item) {
  std::string flags = LeftJustify(Trim(item), kCategories);
  std::array<bool, kCategories> flagged{};
  std::vector<size_t> starts = CharStarts(flags);
  for (size_t j = 0; j < flagged.size(); ++j) flagged[j] = flags[starts[j]] == '1';
  return flagged;
}

std::vector<Description> ReadDescriptions(Env& env, const std::string& path) {
  RecordFile file(env, path);
  std::vector<Description> records;
  std::vector<std::string> items;
  while (file.Next(8, items)) {
    if (static_cast<int>(records.size()) == kRecordBound) ThrowTooManyRecords(file, kRecordBound);
    AtFile(path, file.line(), [&] {
      records.push_back({items[1], items[2], SingleOf(items[3]), SingleOf(items[4]), SingleOf(items[5]),
                         SingleOf(items[6]), Flags(items[7]), file.line()});
    });
  }
  return records;
}

std::array<std::string, kCategories> ReadKeywords(Env& env, const std::string& path) {
  RecordFile file(env, path);
  std::array<std::string, kCategories> keywords;
  std::vector<std::string> items;
  for (size_t found = 0; found < keywords.size(); ++found) {
    if (!file.Next(2, items))
      throw Error(Sjis(u8"分類キーワードのレコードが足りません: ") + std::to_string(kCategories) +
                      Sjis(u8" レコード必要ですが、") + std::to_string(found) + Sjis(u8" レコードしかありません"),
                  path);
    keywords[found] = items[1];
  }
  return keywords;
}

// Pattern names 1 .. n at positions 0 .. n-1.
std::vector<std::string> ReadPatternNames(Env& env, const std::string& path) {
  RecordFile file(env, path);
  std::vector<std::string> names;
  std::vector<std::string> items;
  while (file.Next(2, items)) {
    if (static_cast<int>(names.size()) == kPatternBound) ThrowTooManyRecords(file, kPatternBound);
    names.push_back(items[1]);
  }
  return names;
}

// "L23.txt" held in memory. A record cut short by the end of the file fails
// only when a lookup gets that far, as a scan from the top would.
class KeyList {
 public:
  explicit KeyList(Env& env, const std::string& path) {
    RecordFile file(env, path);
    std::vector<std::string> items;
    try {
      while (file.Next(4, items)) first_.try_emplace(ReadNumber(items[0]), items[1]);
    } catch (const Error& e) {
      cut_short_ = e;
    }
  }

  // Item 2 of the first record whose item 1 has the key's value; "" when none.
  const std::string& Find(const std::string& key) const {
    auto it = first_.find(ReadNumber(key));  // 0 and -0 hash and compare alike
    if (it != first_.end()) return it->second;
    if (cut_short_) throw *cut_short_;
    return none_;
  }

 private:
  std::unordered_map<double, std::string> first_;  // value -> item 2 of its first record
  std::optional<Error> cut_short_;
  std::string none_;
};

class LayerDescriptionWriter {
 public:
  // key_list is "L23.txt", read at the first line written.
  LayerDescriptionWriter(Env& env, std::string key_list, const std::array<std::string, kCategories>& keywords,
                         std::vector<std::string> names)
      : env_(env), key_list_(std::move(key_list)), names_(std::move(names)) {
    for (size_t j = 0; j < match_.size(); ++j) match_[j] = FirstMatch(keywords[j]);
  }

  // Pattern numbers in use, in the order first referred to in the file
  // (category order within a record), at most 20; then sorted.
  void CollectSlots(const std::vector<Description>& records) {
    slots_.fill(kEmptySlot);
    int used = 0;
    for (const Description& record : records) {
      for (size_t j = 0; j < match_.size(); ++j) {
        int k = match_[j];
        if (!record.flagged[j] || k == kNoMatch) continue;
        if (used + 1 > kSlots) break;
        auto in_use = slots_.begin() + used;
        if (std::find(slots_.begin(), in_use, k) == in_use) slots_[used++] = k;
      }
    }
    std::sort(slots_.begin(), slots_.end());
  }

  std::string Line(long long counter, const Description& record) {
    std::array<int, kCategories> matches;
    for (size_t j = 0; j < matches.size(); ++j) matches[j] = record.flagged[j] ? match_[j] : kNoMatch;
    if (!keys_) keys_.emplace(env_, key_list_);
    const std::string& key_text = keys_->Find(record.key);

    // The slots whose pattern this record refers to.
    std::array<bool, kSlots> used{};
    for (size_t s = 0; s < slots_.size(); ++s) {
      int p = slots_[s];
      used[s] = p != kEmptySlot && std::find(matches.begin(), matches.end(), p) != matches.end();
    }

    std::string line = RightJustify(IntText(counter), 3) + "," + record.text + "," + record.key + "," +
                       key_text + "," + FormatDecimal2(7, record.level) + "," +
                       FormatDecimal2(7, record.bottom) + "," + RightJustify(SingleText(record.value6), 3) +
                       "," + RightJustify(SingleText(record.value7), 3);
    // Then per slot its pattern number, its name and its flag.
    for (size_t s = 0; s < slots_.size(); ++s) {
      line += ',';
      if (used[s]) AppendRightJustified(line, IntText(slots_[s]), 2);
    }
    for (size_t s = 0; s < slots_.size(); ++s) {
      line += ',';
      if (used[s]) line += names_[slots_[s] - 1];
    }
    for (size_t s = 0; s < slots_.size(); ++s) line += used[s] ? ",        1" : ",         ";
    return line;
  }

 private:
  // Number of the first pattern whose name holds the keyword, or kNoMatch.
  int FirstMatch(const std::string& keyword) const {
    for (size_t k = 0; k < names_.size(); ++k)
      if (ContainsChars(names_[k], keyword)) return static_cast<int>(k) + 1;
    return kNoMatch;
  }

  Env& env_;
  std::string key_list_;
  std::vector<std::string> names_;
  std::array<int, kCategories> match_{};
  std::array<int, kSlots> slots_{};
  std::optional<KeyList> keys_;
};

// Each different level once, ascending (exact equality of the 32-bit
// values; levels are never NaN).
std::vector<float> DistinctLevels(const std::vector<Description>& records) {
  std::vector<float> levels;
  for (const Description& record : records) levels.push_back(record.level);
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  return levels;
}

// Walks the distinct levels upwards, reading a record whenever the last one
// was written: a record is written when its level is the next distinct
// level. The first record whose level does not ascend is held for good.
// Gives which records were written.
std::vector<bool> WriteAscending(WritableFile& out, LayerDescriptionWriter& writer,
                                 const std::vector<Description>& records) {
  std::vector<bool> written(records.size());
  size_t next = 0;
  const Description* current = nullptr;
  bool held = false;
  long long counter = 0;
  for (float level : DistinctLevels(records)) {
    if (next < records.size() && !held) current = &records[next++];
    if (current->level != level) {
      held = true;
      continue;
    }
    out.Append(writer.Line(++counter, *current) + "\r\n");
    written[static_cast<size_t>(current - records.data())] = true;
    held = false;
  }
  return written;
}

// Every record left out because the levels before it do not ascend.
void WarnUnwritten(const BoreholeFolder& borehole, const std::string& source, const std::vector<Description>& records,
                   const std::vector<bool>& written) {
  for (size_t k = 0; k < records.size(); ++k) {
    if (written[k] || CountOnly(borehole.notes())) continue;
    borehole.Warn(source, records[k].line,
                  Sjis(u8"深度 ") + TrimmedSingleText(records[k].level) + Sjis(u8" が昇順に並んでいないため、この層の記述は書かれません"));
  }
}

}  // namespace

void ConvertLayerDescriptions(const BoreholeFolder& borehole, const std::string& pattern_folder,
                              const ListFolderSetting& lists) {
  Env& env = borehole.env();
  const std::string source = borehole.File("N6.txt");
  if (!SourceHasData(env, source)) return;
  const std::string& list_folder = lists.folder();
  if (list_folder.empty()) {
    borehole.Warn(source, 0,
                  Sjis(u8"Ridevi.ini にリストフォルダの設定がないため、層の記述は変換されません (X6.txt は書かれません)"));
    return;
  }

  const auto keywords = ReadKeywords(env, list_folder + "L9.txt");
  LayerDescriptionWriter writer(env, pattern_folder + "L23.txt", keywords,
                                ReadPatternNames(env, pattern_folder + "L100.txt"));
  const std::vector<Description> records = ReadDescriptions(env, source);
  writer.CollectSlots(records);

  auto out = env.NewWritableFile(borehole.File("X6.txt"));
  const std::vector<bool> written = WriteAscending(*out, writer, records);
  out->Close();
  WarnUnwritten(borehole, source, records, written);
}

}  // namespace s1ordo
