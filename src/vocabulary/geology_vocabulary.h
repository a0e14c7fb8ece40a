// The target system's geology vocabulary as loaded at start-up: the records
// of "KISHITU.TXT" and "KONNYU.TXT".
#ifndef S1ORDO_VOCABULARY_GEOLOGY_VOCABULARY_H_
#define S1ORDO_VOCABULARY_GEOLOGY_VOCABULARY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "helpers/env.h"

namespace s1ordo {

// One vocabulary record: code, name, item 3, (item 4 not kept), item 5, item 6.
struct VocabularyEntry {
  int16_t code = 0;
  std::string name;
  std::string item3;
  int32_t item5 = 0;
  int16_t item6 = 0;
};

struct GeologyVocabulary {
  // Entry k is element k - 1.
  std::vector<VocabularyEntry> KishituTable;
  int16_t KishituCount = 0;
  std::vector<VocabularyEntry> KonnyuTable;
  int16_t KonnyuCount = 0;
};

// Reads folder & "KISHITU.TXT", then folder & "KONNYU.TXT". A file that
// fails to load leaves its count at 0; a failing "KISHITU.TXT" also leaves
// "KONNYU.TXT" unread. Never throws.
void LoadGeologyVocabulary(Env& env, const std::string& folder, GeologyVocabulary& vocabulary);

}  // namespace s1ordo

#endif  // S1ORDO_VOCABULARY_GEOLOGY_VOCABULARY_H_
