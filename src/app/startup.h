// Start-up without the window: the settings from "DodavoZ5.ini" and
// "Ridevi.ini", and the geology vocabulary.
#ifndef S1ORDO_APP_STARTUP_H_
#define S1ORDO_APP_STARTUP_H_

#include <memory>
#include <string>
#include <vector>

#include "helpers/env.h"
#include "run/session.h"

namespace s1ordo {

// Item 1 of line 2 of "DodavoZ5.ini" in the system folder, blanks trimmed;
// "" when the file is missing, empty or has no second line, or when the item
// cannot be a path (a control character, bytes that are not code page 932).
// Only reads.
std::string ReadRideviSetting(Env& env, const std::string& system_folder);

// " RIDEVI の設定がありません."
std::string NoRideviMessage();

// Why "DodavoZ5.ini" in system_folder gives no pattern-data folder, as the
// line that follows NoRideviMessage(): the settings file's full path and
// the reason (missing, empty, no second line, no folder named there, a
// control character or bytes that are not code page 932, a folder that does
// not exist, a folder without its final separator, or the system's cause of
// a file that cannot be read). "" when the setting is good. Only reads.
std::string RideviSettingProblem(Env& env, const std::string& system_folder);

// Reads the pattern-data folder and the list folder from the settings files
// in settings.system_folder. False when no pattern-data folder is set or it
// does not exist: the program must then end with NoRideviMessage() and
// RideviSettingProblem(). The window runs its own steps between this and
// the vocabulary load.
bool ReadSettings(Env& env, Settings& settings);

// ReadSettings, then loads the geology vocabulary. False (nothing loaded)
// when ReadSettings fails.
bool StartUp(Session& session);

// The folder of the settings files: the given one, else the environment
// variable S1ORDO_SYSTEM_FOLDER, else the platform's system folder.
// given and the variable are UTF-8 (native) texts.
std::string ChooseSystemFolder(Env& env, const std::string& given);

// Envs of their own over the platform's file system for the threads that
// convert ahead (two), kept by the caller while they are used; Pointers()
// of them go to Session::ahead_envs.
std::vector<std::unique_ptr<Env>> NewAheadEnvs();
std::vector<Env*> Pointers(const std::vector<std::unique_ptr<Env>>& envs);

}  // namespace s1ordo

#endif  // S1ORDO_APP_STARTUP_H_
