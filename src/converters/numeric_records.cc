#include "converters/numeric_records.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void ConvertX5(Context&) {}
void ConvertR41(Context&) {}
void ConvertX14(Context&) {}

}  // namespace s1ordo
