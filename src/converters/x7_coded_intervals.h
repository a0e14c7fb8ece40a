// "X7.txt" from "N7.txt": depth intervals with up to ten categories of
// "L8.txt", each in a column pair of its own.
#ifndef S1ORDO_CONVERTERS_X7_CODED_INTERVALS_H_
#define S1ORDO_CONVERTERS_X7_CODED_INTERVALS_H_

#include "run/context.h"

namespace s1ordo {

void ConvertCodedIntervals(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_X7_CODED_INTERVALS_H_
