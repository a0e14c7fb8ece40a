// The layer soil-name converter: names composed from soil-term codes, with
// their geology codes.
#include "converters/x1_soil_names.h"

#include <array>

#include "converters/record_converter.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/number.h"
#include "helpers/table_reader.h"
#include "helpers/text.h"
#include "vocabulary/geology_lookup.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {
namespace {

// Admixture, qualifier and main soil term of one soil, joined. A code that
// names no term adds nothing, with a warning.
std::string SoilName(const SoilTables& soil, SoilTermScan& scan, const RecordSite& at, int system, int16_t admixture,
                     int16_t qualifier, int16_t main_soil) {
  std::string name;
  for (auto [kind, code] : {std::pair{SoilTermKind::kAdmixture, admixture}, std::pair{SoilTermKind::kQualifier, qualifier},
                            std::pair{SoilTermKind::kMainSoil, main_soil}}) {
    int position = FindSoilTermPosition(soil, kind, system, code, scan);
    if (position == 0 && code != 0 && !at.OnlyCount())
      at.Warn(Sjis(u8"土質コード ") + TrimmedText(code) + Sjis(u8" (体系 ") + TrimmedText(system) +
              Sjis(u8") は土質名の表にないため、土質名に入りません"));
    name += SoilTermText(soil, kind, system, position);
  }
  return name;
}

// Layers are listed from the top: each depth below the one before. The
// depth is written as text: one that is no number is left to the reader.
void WarnIfNotDeeper(const RecordSite& at, const std::string& depth, double& previous, bool first) {
  double value = previous;
  try {
    value = ReadNumber(depth);
  } catch (const Error&) {
    return;
  }
  if (!first && value <= previous && !at.OnlyCount())
    at.Warn(Sjis(u8"深度 ") + Trim(depth) + Sjis(u8" が前の層の深度より深くありません"));
  previous = value;
}

bool AnyFilled(const RecordFields& fields, int first) {
  return !fields[first].empty() || !fields[first + 1].empty() || !fields[first + 2].empty();
}

}  // namespace

void ConvertX1(const BoreholeFolder& borehole, const SoilTables& soil, SoilTermScan& scan, GeologyLookup& geology,
               const GeologyVocabulary& vocabulary) {
  // The target exists after this step even when the source has no data.
  auto out = borehole.env().NewWritableFile(borehole.File("X1.txt"));
  TableReader reader;
  if (!OpenTableFile(borehole.env(), reader, borehole.File("N1A.TXT"))) {
    out->Close();
    return;
  }

  // Which block of six codes (system 1, 2 or 3) the records use: a record
  // whose first three codes of a block are all empty keeps the last choice.
  int group = 0;
  double previous_depth = 0;
  WriteRecords(reader, *out, 20, [&](RecordFields& f, long long counter, const RecordSite& at) {
    WarnIfNotDeeper(at, f[2], previous_depth, counter == 1);
    if (AnyFilled(f, 3)) {
      group = 0;
    } else if (AnyFilled(f, 9)) {
      group = 1;
    } else if (AnyFilled(f, 15)) {
      group = 2;
    }
    const int first = 3 + 6 * group;
    std::array<int16_t, 6> code{};
    for (int j = 0; j < 6; ++j) {
      const double value = ReadNumber(f[first + j]);
      code[j] = RoundToInt16(value);
      WarnIfRounded(at, f[first + j], value);
    }
    const bool alternation = code[3] != 0 || code[4] != 0 || code[5] != 0;
    const int system = group + 1;

    std::string name = SoilName(soil, scan, at, system, code[0], code[1], code[2]);
    if (alternation)
      name += Sjis(u8"と") + SoilName(soil, scan, at, system, code[3], code[4], code[5]) + Sjis(u8"の互層");

    std::string code_text = geology.LookupGeologyCode(name, borehole.notes());
    // The code is written only while the last soil-term scan stayed within
    // the loaded vocabulary's count.
    std::string column = scan.position <= vocabulary.KishituCount ? RightJustifyWith(code_text, 4, '0') : "0000";
    return LineHead(counter, f[2]) + column + "," + name;
  }, borehole.notes());
  out->Close();
}

}  // namespace s1ordo
