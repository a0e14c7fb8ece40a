#include "run/legend_lists.h"

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/platform.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// Codes never reach this value in a list; the largest code of a list starts
// below every code it may hold.
constexpr double kNoCodeYet = -999;
// A list whose largest code has reached this takes no new names.
constexpr double kLastCode = 99;

std::string ListPath(const Context& ctx, const LegendList& list) {
  return ctx.RideviFolder + std::string(list.file);
}

}  // namespace

std::string LookupLegendName(Context& ctx, const LegendList& list, const std::string& key) {
  const std::string not_found(static_cast<size_t>(list.name_width), ' ');
  TableReader& table = ctx.table;
  int16_t empty = 0;
  // The lists belong to the pattern-data folder: an empty one stays.
  OpenTableFile(ctx.env, table, ListPath(ctx, list), empty, EmptyFile::kKeep);
  if (empty != 0) {
    CloseTable(table);
    return not_found;
  }
  const double wanted = ReadNumber(key);
  std::string result = not_found;
  for (;;) {
    ReadTableRecord(table, 2, 0);
    if (table.RecordPositions[0] == EndOfTable) break;
    if (ReadNumber(table.RecordFields[1]) == wanted) {
      const std::string& name = table.RecordFields[2];
      result = list.name_width > 0 ? LeftJustifyBytes(Trim(name), static_cast<size_t>(list.name_width)) : name;
      break;
    }
  }
  CloseTable(table);
  return result;
}

std::string LookupLegendCode(Context& ctx, const LegendList& list, const std::string& name) {
  const std::string path = ListPath(ctx, list);
  if (ctx.env.FileSize(path) < 0) return std::string(list.no_code);  // no list: nothing to search or extend

  const std::string searched = Trim(name);
  std::string found;
  bool is_listed = false;
  double largest = kNoCodeYet;
  bool any_record = false;
  ItemReader in(ctx.env.ReadFile(path));
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
      AppendWholeLines(ctx.env, path, found + "," + searched + "\r\n");
    }
  }
  return found.empty() ? std::string(list.no_code) : found;
}

}  // namespace s1ordo
