#include "layers/ridevi_ini.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

std::string ReadRideviIniSetting(Context&) { return {}; }

}  // namespace s1ordo
