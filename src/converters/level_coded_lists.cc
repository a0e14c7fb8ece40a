// The level-coded list converters of "N11.TXT", "N3.TXT" and "N13.TXT", and
// the split of their codes into levels.
#include "converters/level_coded_lists.h"

#include <cmath>

#include "converters/code_list.h"
#include "converters/record_converter.h"
#include "helpers/encoding.h"
#include "helpers/number.h"
#include "helpers/text.h"

namespace s1ordo {

std::array<int16_t, 3> HundredsTensUnits(double code) {
  std::array<int16_t, 3> level{};
  level[0] = RoundToInt16(std::floor(code / 100) * 100);
  double rest = code - level[0];
  double tens = std::floor(rest / 10);
  level[1] = tens == 0 ? 0 : RoundToInt16(level[0] + tens * 10);
  long long units = static_cast<long long>(std::nearbyint(rest)) % 10;
  level[2] = units == 0 ? 0 : RoundToInt16(code);
  return level;
}

std::array<int16_t, 3> TwoDigitLevels(std::string_view padded_code) {
  std::array<int16_t, 3> level{};
  for (size_t k = 0; k < 3; ++k) level[k] = RoundToInt16(ReadNumber(MidChars(padded_code, 2 * k + 1, 2)));
  return level;
}

std::string JoinedLevelNames(CodeList& list, const std::array<int16_t, 3>& level, const RecordSite* at) {
  std::string joined;
  for (int16_t code : level) {
    const std::string& name = list.LastName(code);
    if (at && code != 0 && name.empty()) WarnMissingCode(*at, TrimmedText(code), list.name());
    joined += name;
  }
  return joined;
}

namespace {

// The code fields of "N3.TXT" and "N13.TXT" are cut or filled to six
// characters in the record itself before they are split and written.
void PadCodeFields(RecordFields& f) {
  LeftJustifyInPlace(f[3], 6);
  LeftJustifyInPlace(f[4], 6);
}

}  // namespace

void ConvertX11(const BoreholeFolder& borehole, CodeLists& lists) {
  CodeList list(lists, "l10.txt");
  ConvertRecords(borehole, "N11.TXT", "X11.txt", 4, [&](RecordFields& f, long long counter, const RecordSite& at) {
    std::string names = JoinedLevelNames(list, HundredsTensUnits(ReadNumber(f[3])), &at);
    return LineHead(counter, f[2]) + RightJustifyWith(TrimLeft(f[3]), 3, '0') + "," + names + "," + f[4];
  });
}

void ConvertX3(const BoreholeFolder& borehole, CodeLists& lists) {
  CodeList list(lists, "L4.txt");
  const std::string range_mark = Sjis(u8"～");
  ConvertRecords(borehole, "N3.TXT", "X3.txt", 4, [&](RecordFields& f, long long counter, const RecordSite& at) {
    PadCodeFields(f);
    auto first = TwoDigitLevels(f[3]);
    auto second = TwoDigitLevels(f[4]);
    std::string first_names = JoinedLevelNames(list, first, &at);
    std::string second_names = JoinedLevelNames(list, second, &at);
    return LineHead(counter, f[2]) + f[3] + "," + first_names + "," + f[4] + "," + second_names + "," +
           (Trim(f[4]).empty() ? std::string("  ") : range_mark);
  });
}

void ConvertR13(const BoreholeFolder& borehole, CodeLists& lists) {
  CodeList list(lists, "L4.txt");
  ConvertRecords(borehole, "N13.TXT", "R13.txt", 3, [&](RecordFields& f, long long counter, const RecordSite& at) {
    f[4].clear();  // "N13.TXT" has a single code
    PadCodeFields(f);
    std::string names = JoinedLevelNames(list, TwoDigitLevels(f[3]), &at);
    return LineHead(counter, f[2]) + f[3] + "," + names;
  });
}

}  // namespace s1ordo
