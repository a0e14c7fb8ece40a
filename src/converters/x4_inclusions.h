// "X4.txt" from the rewritten "N4.TXT": inclusion names and their codes in
// the target system's admixture vocabulary.
#ifndef S1ORDO_CONVERTERS_X4_INCLUSIONS_H_
#define S1ORDO_CONVERTERS_X4_INCLUSIONS_H_

#include "run/context.h"

namespace s1ordo {

void ConvertX4(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_X4_INCLUSIONS_H_
