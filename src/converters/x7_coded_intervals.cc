#include "converters/x7_coded_intervals.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void ConvertCodedIntervals(Context&) {}

}  // namespace s1ordo
