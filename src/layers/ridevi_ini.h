// "Ridevi.ini" in the system folder names the folder of the lists "L8.txt"
// and "L9.txt" (line 2, first item).
#ifndef S1ORDO_LAYERS_RIDEVI_INI_H_
#define S1ORDO_LAYERS_RIDEVI_INI_H_

#include <string>

#include "run/context.h"

namespace s1ordo {

// The folder, blanks trimmed; "" when the file is missing or empty, or when
// the item cannot be a path (a control character, bytes that are not code
// page 932). Only reads: nothing is created in the system folder. A file
// without a second line throws Error naming it.
std::string ReadRideviIniSetting(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_LAYERS_RIDEVI_INI_H_
