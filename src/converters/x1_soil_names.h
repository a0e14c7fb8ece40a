// "X1.txt" from "N1A.TXT": each layer's soil name composed from the codes
// of one of three soil classification systems, with its geology code.
#ifndef S1ORDO_CONVERTERS_X1_SOIL_NAMES_H_
#define S1ORDO_CONVERTERS_X1_SOIL_NAMES_H_

#include "run/context.h"

namespace s1ordo {

void ConvertX1(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_X1_SOIL_NAMES_H_
