// The paired-code list converters of "G30" ... "G35" and "G72.TXT".
#include "converters/paired_code_lists.h"

#include <string>

#include "converters/code_list.h"
#include "converters/record_converter.h"
#include "helpers/number.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// The sources in the order they are converted, each with its code list.
struct PairedSource {
  const char* name;
  const char* list;
};
constexpr PairedSource kPairedSources[] = {
    {"G30", "L19.txt"}, {"G31", "L13.txt"}, {"G34", "L16.txt"},
    {"G35", "L17.txt"}, {"G32", "L14.txt"}, {"G33", "L15.txt"},
};

// "L17.txt" carries an extra item between code and name.
int ItemsPerEntry(const std::string& list) { return EqualsIgnoreCase(list, "L17.txt") ? 3 : 2; }

// A code column of "R72.txt": "00" & the code, its last 3 characters, so a
// blank code gives "00".
std::string ZeroFilledCode(std::string_view field) { return RightChars("00" + TrimLeft(field), 3); }

// The name of the last entry of the code, read from field as value and
// rounded; a fraction rounded away and a code the list lacks are warned
// about.
const std::string& NameWarned(CodeList& list, int16_t code, const std::string& field, double value,
                              const RecordSite& at) {
  WarnIfRounded(at, field, value);
  const std::string& name = list.LastName(code);
  if (code != 0 && name.empty()) WarnMissingCode(at, field, list.name());
  return name;
}

// The name of the first entry of the code, cut or filled to 3 bytes; a code
// the list lacks and a name cut are warned about.
std::string FirstNameIn3Bytes(CodeList& list, const std::string& field, const RecordSite& at) {
  const double code = ReadNumber(field);
  const std::string& name = list.FirstName(code);
  if (code != 0 && name.empty()) WarnMissingCode(at, field, list.name());
  WarnIfCutToBytes(at.notes, at.file, at.line, name, 3);
  return LeftJustifyBytes(name, 3);
}

}  // namespace

void ConvertR30ToR35(const BoreholeFolder& borehole, CodeLists& lists) {
  for (const PairedSource& source : kPairedSources) {
    std::string name = source.name;
    CodeList list(lists, source.list, ItemsPerEntry(source.list));
    ConvertRecords(borehole, name + ".TXT", "R" + name.substr(1) + ".txt", 4,
                   [&](RecordFields& f, long long counter, const RecordSite& at) {
      LeftJustifyInPlace(f[3], 6);
      LeftJustifyInPlace(f[4], 6);
      // Both codes are read before either is looked up.
      const double first_value = ReadNumber(f[3]);
      int16_t first = RoundToInt16(first_value);
      const double second_value = ReadNumber(f[4]);
      int16_t second = RoundToInt16(second_value);
      const std::string& first_name = NameWarned(list, first, f[3], first_value, at);
      const std::string& second_name = NameWarned(list, second, f[4], second_value, at);
      return LineHead(counter, f[2]) + FitRight(at, u8"コード", TrimRight(f[3]), 2) + "," + first_name + "," +
             FitRight(at, u8"コード", TrimRight(f[4]), 2) + "," + second_name;
    });
  }
}

void ConvertR72(const BoreholeFolder& borehole, CodeLists& lists) {
  CodeList first_list(lists, "L18.txt");
  CodeList second_list(lists, "L18b.txt");
  ConvertRecords(borehole, "G72.TXT", "R72.txt", 6, [&](RecordFields& f, long long counter, const RecordSite& at) {
    std::string first_name = FirstNameIn3Bytes(first_list, f[4], at);
    std::string second_name = FirstNameIn3Bytes(second_list, f[5], at);
    return LineHead(counter, f[2]) + RightJustify(TrimLeft(f[3]), 3) + "," + ZeroFilledCode(f[4]) + "," +
           first_name + "," + ZeroFilledCode(f[5]) + "," + second_name + "," + f[6];
  });
}

}  // namespace s1ordo
