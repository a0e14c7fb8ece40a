#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {

// Loading comes with the geology vocabulary change; until then both counts stay 0.
void LoadGeologyVocabulary(Env&, const std::string&, GeologyVocabulary&) {}

}  // namespace s1ordo
