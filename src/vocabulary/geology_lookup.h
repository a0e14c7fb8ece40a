// Soil name to the target system's 4-digit geology code, through
// "KISHITU.TXT" and "XKISHITU.TXT", adding names the vocabulary lacks.
#ifndef S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_
#define S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_

#include <string>

namespace s1ordo {

struct Context;

// What the lookups of one run know of the vocabulary files, so that
// "KISHITU.TXT" is not read again for every layer. Cleared at the start of
// every run.
struct GeologyLookupCache {
  void Clear() {}
};

// The geology code of the name (blanks at both ends ignored); "0000" for an
// empty name.
std::string LookupGeologyCode(Context& ctx, const std::string& name);

}  // namespace s1ordo

#endif  // S1ORDO_VOCABULARY_GEOLOGY_LOOKUP_H_
