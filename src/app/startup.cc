// Start-up: the choice of the system folder, the settings read from it and
// the geology vocabulary loaded from the pattern-data folder.
#include "app/startup.h"

#include <cstdlib>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/paths.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {

std::string ReadRideviSetting(Env& env, const std::string& system_folder) {
  const std::string path = TrimRight(system_folder) + Separator(env.form()) + "DodavoZ5.ini";
  if (FileSize(env, path) < 1) return {};
  try {
    ItemReader in(env.ReadFile(path));
    std::string line, item;
    if (!in.ReadLine(&line) || !in.ReadItem(&item)) return {};
    item = Trim(item);
    return CanBePath(item) ? item : std::string();  // a control character or a broken byte is no setting
  } catch (const Error&) {
    return {};
  }
}

std::string NoRideviMessage() { return Sjis(u8" RIDEVI の設定がありません."); }

bool ReadSettings(Env& env, Settings& settings) {
  settings.pattern_folder = ReadRideviSetting(env, settings.system_folder);
  if (settings.pattern_folder.empty()) return false;
  std::string folder = LeftChars(settings.pattern_folder, CharCount(settings.pattern_folder) - 1);
  if (folder.empty() || !env.Exists(folder)) return false;
  settings.list_folder = ListFolderSetting::Read(env, settings.system_folder);
  return true;
}

bool StartUp(Session& session) {
  if (!ReadSettings(session.env, session.settings)) return false;
  LoadGeologyVocabulary(session.env, session.settings.pattern_folder, session.vocabulary);
  return true;
}

std::string ChooseSystemFolder(Env& env, const std::string& given) {
  std::string folder = given;
  if (folder.empty()) {
    const char* variable = std::getenv("S1ORDO_SYSTEM_FOLDER");
    if (variable && *variable) folder = variable;
  }
  if (folder.empty()) return TrimRight(env.SystemFolder());
  std::string text = InputText(folder);
  while (text.size() > 1 && text.back() == Separator(env.form())) text.pop_back();
  return text;
}

}  // namespace s1ordo
