#include "vocabulary/soil_tables.h"

namespace s1ordo {

// The built-in terms are not filled in yet: until they are, the tables stay
// empty and every lookup finds nothing.
void BuildSoilNameTables(SoilTables&) {}

int FindSoilTermPosition(const SoilTables&, SoilTermKind, int, double, int&) { return 0; }

const std::string& SoilTermText(const SoilTables&, SoilTermKind, int, int) {
  static const std::string empty;
  return empty;
}

}  // namespace s1ordo
