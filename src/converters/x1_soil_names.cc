#include "converters/x1_soil_names.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void ConvertX1(Context&) {}

}  // namespace s1ordo
