// The fixed sequence of converters that turns one borehole's source files
// (in BoreholeFolder) into the target system's files beside them.
#ifndef S1ORDO_CONVERTERS_CONVERTER_SEQUENCE_H_
#define S1ORDO_CONVERTERS_CONVERTER_SEQUENCE_H_

#include "run/context.h"

namespace s1ordo {

void ConvertBoreholeFiles(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_CONVERTER_SEQUENCE_H_
