#include "converters/paired_code_lists.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void ConvertR30ToR35(Context&) {}
void ConvertR72(Context&) {}

}  // namespace s1ordo
