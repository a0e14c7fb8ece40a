#include "layers/x6_layer_descriptions.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void ConvertLayerDescriptions(Context&) {}
std::vector<float> SortUniqueValues(std::vector<float>&) { return {}; }

}  // namespace s1ordo
