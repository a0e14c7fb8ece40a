#include "converters/x4_inclusions.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void ConvertX4(Context&) {}

}  // namespace s1ordo
