// What the program sets up at start-up and keeps from run to run: the
// operating system, the settings and the geology vocabulary. A run reads
// them and changes none of them.
#ifndef S1ORDO_RUN_SESSION_H_
#define S1ORDO_RUN_SESSION_H_

#include <string>
#include <vector>

#include "helpers/env.h"
#include "layers/ridevi_ini.h"
#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {

// The settings, read once at start-up; nothing writes them afterwards.
struct Settings {
  // The folder of the settings files "DodavoZ5.ini" and "Ridevi.ini",
  // without a trailing separator.
  std::string system_folder;
  // The target system's pattern-data folder (RIDEVI), ending with the
  // separator.
  std::string pattern_folder;
  // The folder of "L8.txt" and "L9.txt", from "Ridevi.ini".
  ListFolderSetting list_folder;
};

struct Session {
  explicit Session(Env& e) : env(e) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Env& env;
  // Further Envs over the same file system, one for each thread that
  // converts ahead (see RunOptions::convert_ahead); none: no such thread.
  std::vector<Env*> ahead_envs;
  Settings settings;
  // "KISHITU.TXT" and "KONNYU.TXT" as loaded at start-up.
  GeologyVocabulary vocabulary;
};

}  // namespace s1ordo

#endif  // S1ORDO_RUN_SESSION_H_
