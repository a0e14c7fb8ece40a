// The inclusion converter: inclusion names with their admixture codes.
#include "converters/x4_inclusions.h"

#include "converters/record_converter.h"
#include "helpers/encoding.h"
#include "helpers/number.h"
#include "helpers/text.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {
namespace {

// The code of the first KONNYU.TXT entry named so, as 4 digits; "0000" when
// none is.
std::string KonnyuCode(const GeologyVocabulary& vocabulary, const std::string& name) {
  for (int k = 1; k <= vocabulary.KonnyuCount; ++k) {
    const VocabularyEntry& entry = vocabulary.KonnyuTable[k - 1];
    if (entry.name == name) return RightJustifyWith(TrimmedText(entry.code), 4, '0');
  }
  return "0000";
}

}  // namespace

void ConvertX4(const BoreholeFolder& borehole, const SoilTables& soil, SoilTermScan& scan,
               const GeologyVocabulary& vocabulary) {
  ConvertRecords(borehole, "N4.TXT", "X4.txt", 4, [&](RecordFields& f, long long counter, const RecordSite& at) {
    // The code is compared as it stands: one with a fraction finds no term.
    double code = ReadNumber(f[4]);
    int position = FindSoilTermPosition(soil, SoilTermKind::kInclusion, 0, code, scan);
    const std::string& name = SoilTermText(soil, SoilTermKind::kInclusion, 0, position);
    const std::string konnyu = KonnyuCode(vocabulary, name);
    const bool unknown_code = position == 0 && code != 0;
    const bool not_in_konnyu = !unknown_code && konnyu == "0000" && !name.empty();
    if (unknown_code && !at.OnlyCount()) {
      at.Warn(Sjis(u8"混入物コード ") + Trim(f[4]) + Sjis(u8" は混入物の表にないため、名前が空になります"));
    } else if (not_in_konnyu && !at.OnlyCount()) {
      at.Warn(Sjis(u8"混入物 ") + name + Sjis(u8" は KONNYU.TXT にないため、コード 0000 が書かれます"));
    }
    return LineHead(counter, f[2]) + "       ," + konnyu + "," + name;
  });
}

}  // namespace s1ordo
