// Start-up without the window: the pattern-data folder from "DodavoZ5.ini"
// and the geology vocabulary.
#ifndef S1ORDO_APP_STARTUP_H_
#define S1ORDO_APP_STARTUP_H_

#include <string>

#include "run/context.h"

namespace s1ordo {

// Item 1 of line 2 of "DodavoZ5.ini" in ctx.SystemFolder, blanks trimmed;
// "" when the file is missing, empty or has no second line, or when the item
// cannot be a path (a control character, bytes that are not code page 932).
// Only reads.
std::string ReadRideviSetting(Context& ctx);

// " RIDEVI の設定がありません."
std::string NoRideviMessage();

// Sets RideviFolder from the settings and MessagePending to 0. False when
// no pattern-data folder is set or it does not exist: the program must then
// end with NoRideviMessage(). The window runs its own steps between this and
// the vocabulary load.
bool FindRideviFolder(Context& ctx);

// FindRideviFolder, then loads the geology vocabulary. False (nothing
// loaded) when FindRideviFolder fails.
bool StartUp(Context& ctx);

// The folder of the settings files: the given one, else the environment
// variable S1ORDO_SYSTEM_FOLDER, else the platform's system folder.
// given and the variable are UTF-8 (native) texts.
std::string ChooseSystemFolder(Env& env, const std::string& given);

}  // namespace s1ordo

#endif  // S1ORDO_APP_STARTUP_H_
