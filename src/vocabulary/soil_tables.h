// The built-in soil terms: main soil names, qualifiers (ending in 質),
// admixtures (ending in 混り) per soil classification system 1..3, and the
// inclusions of all systems.
#ifndef S1ORDO_VOCABULARY_SOIL_TABLES_H_
#define S1ORDO_VOCABULARY_SOIL_TABLES_H_

#include <array>
#include <cstdint>
#include <string>

namespace s1ordo {

struct SoilTerm {
  int16_t code = 0;
  std::string text;  // code page 932
};

struct SoilTables {
  // [system 0..3][position 0..bound]; positions 1..count are in use.
  std::array<std::array<SoilTerm, 1001>, 4> SoilNameTable;
  std::array<int16_t, 4> SoilNameCount{};
  std::array<std::array<SoilTerm, 201>, 4> SoilQualifierTable;
  std::array<int16_t, 4> SoilQualifierCount{};
  std::array<std::array<SoilTerm, 201>, 4> SoilAdmixtureTable;
  std::array<int16_t, 4> SoilAdmixtureCount{};
  std::array<SoilTerm, 201> SoilInclusionTable;
  int16_t SoilInclusionCount = 0;
};

// Which table FindSoilTermPosition searches.
enum class SoilTermKind { kQualifier = 1, kMainSoil = 2, kAdmixture = 3, kInclusion = 4 };

// Where the last soil-term scan of a borehole stopped: the found position,
// or count + 1 when nothing matched; 0 before the first scan. The layer
// converter writes a layer's geology code only while this stays within the
// loaded vocabulary's count, so the layer and inclusion converters of one
// borehole share one scan, which starts anew with every borehole.
struct SoilTermScan {
  int position = 0;
};

// Fills the four tables with every built-in term.
void BuildSoilNameTables(SoilTables& tables);

// Position (1..count) of the first term of the kind and system whose code
// equals code; 0 when none. A code of 0 is never looked up and leaves the
// scan alone.
int FindSoilTermPosition(const SoilTables& tables, SoilTermKind kind, int system, double code, SoilTermScan& scan);

// The term's text at that position, or "" for position 0.
const std::string& SoilTermText(const SoilTables& tables, SoilTermKind kind, int system, int position);

}  // namespace s1ordo

#endif  // S1ORDO_VOCABULARY_SOIL_TABLES_H_
