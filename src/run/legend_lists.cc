// The forward and backward lookups of the legend lists "L1.txt", "L2.txt"
// and "L3.txt", and the names the backward lookup adds.
#include "run/legend_lists.h"

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/platform.h"
#include "helpers/table_reader.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// Codes never reach this value in a list; the largest code of a list starts
// below every code it may hold.
constexpr double kNoCodeYet = -999;
// A list whose largest code has reached this takes no new names.
constexpr double kLastCode = 99;

}  // namespace

std::string LegendLists::LookupLegendName(const LegendList& list, const std::string& key, std::string* listed) {
  const std::string not_found(static_cast<size_t>(list.name_width), ' ');
  TableReader table;
  // The lists belong to the pattern-data folder: an empty one stays.
  if (!OpenTableFile(env_, table, PathOf(list), EmptyFile::kKeep)) return not_found;
  const double wanted = ReadNumber(key);
  while (ReadTableRecord(table, 2)) {
    if (ReadNumber(table.fields[1]) != wanted) continue;
    const std::string& name = table.fields[2];
    if (list.name_width == 0) {
      if (listed) *listed = name;
      return name;
    }
    const std::string trimmed = Trim(name);
    if (listed) *listed = trimmed;
    return LeftJustifyBytes(trimmed, static_cast<size_t>(list.name_width));
  }
  return not_found;
}

std::string LegendLists::LookupLegendCode(const LegendList& list, const std::string& name, BoreholeNotes* notes) {
  const std::string path = PathOf(list);
  if (env_.FileSize(path) < 0) return std::string(list.no_code);  // no list: nothing to search or extend

  const std::string searched = Trim(name);
  std::string found;
  bool is_listed = false;
  double largest = kNoCodeYet;
  bool any_record = false;
  ItemReader in(env_.ReadFile(path));
  std::vector<std::string> record;
  while (!in.AtEnd()) {
    ReadRecord(in, 2, path, record);
    const std::string& code = record[0];
    const std::string& entry = record[1];
    any_record = true;
    double value = ReadNumber(code);
    if (value > largest) largest = value;
    if (Trim(entry) == searched) {
      found = code;  // may be empty: the name is listed without a code
      is_listed = true;
      break;
    }
  }

  if (!is_listed && !searched.empty()) {
    if (!any_record) largest = 0;  // the first name of a list gets code 1
    if (largest < kLastCode) {
      found = TrimmedDoubleText(largest + 1);
      AppendWholeLines(env_, path, found + "," + searched + "\r\n");
      AddAddition(notes, std::string(list.file), found + "," + searched);
    }
  }
  return found.empty() ? std::string(list.no_code) : found;
}

}  // namespace s1ordo
