#include "converters/level_coded_lists.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void ConvertX11(Context&) {}
void ConvertX3(Context&) {}
void ConvertR13(Context&) {}

}  // namespace s1ordo
