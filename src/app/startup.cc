// Start-up: the choice of the system folder, the settings read from it and
// the geology vocabulary loaded from the pattern-data folder.
#include "app/startup.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/paths.h"
#include "helpers/text.h"
#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {

namespace {

std::string RideviSettingsPath(Env& env, const std::string& system_folder) {
  return TrimRight(system_folder) + Separator(env.form()) + "DodavoZ5.ini";
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

// A hint for a setting that reads as UTF-8 text beyond ASCII: the file was
// saved in the wrong code.
std::string Utf8Hint(std::string_view setting) {
  const bool beyond_ascii = std::any_of(setting.begin(), setting.end(), [](char c) { return c & 0x80; });
  if (!beyond_ascii || !TryUtf8ToCp932(setting)) return {};
  return Sjis(u8"。ファイルが UTF-8 で保存されているようです。コードページ932 (シフトJIS) で保存してください");
}

// Item 1 of line 2 of the settings file at path, blanks trimmed, when it can
// be a path; else "" and why not in *why. Never throws.
std::string ReadSettingItem(Env& env, const std::string& path, std::string* why) {
  std::string bytes;
  try {
    const int64_t size = env.FileSize(path);
    if (size < 0) *why = Sjis(u8"ファイルがありません");
    if (size == 0) *why = Sjis(u8"ファイルが空です");
    if (size <= 0) return {};
    bytes = env.ReadFile(path);
  } catch (const Error& e) {
    *why = e.cause();
    return {};
  }
  ItemReader in(bytes);
  std::string line, item;
  if (!in.ReadLine(&line) || !in.ReadItem(&item)) {
    *why = Sjis(u8"2行目 (パターンデータのフォルダ) がありません");
    return {};
  }
  item = Trim(item);
  if (item.empty()) {
    *why = Sjis(u8"2行目にパターンデータのフォルダが書かれていません");
  } else if (HasControlCharacter(item)) {
    *why = Sjis(u8"2行目に制御文字があります");
  } else if (!CanBePath(item)) {
    *why = Sjis(u8"2行目をコードページ932 (シフトJIS) の文字として読めません") + Utf8Hint(item);
  } else {
    return item;
  }
  return {};
}

// The test start-up makes of the setting: the path less its last character
// (the final separator) names a file or folder that exists.
bool NamesAFolder(Env& env, const std::string& setting) {
  const std::string folder = LeftChars(setting, CharCount(setting) - 1);
  return !folder.empty() && env.Exists(folder);
}

// Why a setting that can be a path names no folder that start-up takes; ""
// when it names one.
std::string FolderProblem(Env& env, const std::string& setting) {
  if (NamesAFolder(env, setting)) return {};
  const std::string shown = "\"" + setting + "\"";
  const std::string separator(1, Separator(env.form()));
  if (RightChars(setting, 1) != separator && env.IsFolder(setting))
    return Sjis(u8"2行目のフォルダ ") + shown + Sjis(u8" の最後に区切りの \"") + separator +
           Sjis(u8"\" がありません。\"") + setting + separator + Sjis(u8"\" と書いてください");
  return Sjis(u8"2行目のフォルダ ") + shown + Sjis(u8" がありません") + Utf8Hint(setting);
}

// The path as the user can find it: a relative one from the current folder.
std::string FullPath(Env& env, const std::string& path) {
  const bool windows = env.form() == PathForm::kWindows;
  const bool absolute = windows ? (path.size() > 2 && path[1] == ':') || path.starts_with("\\\\")
                                : path.starts_with("/");
  if (absolute) return path;
  return env.CurrentFolder() + Separator(env.form()) + path;
}

}  // namespace

std::string ReadRideviSetting(Env& env, const std::string& system_folder) {
  std::string why;
  return ReadSettingItem(env, RideviSettingsPath(env, system_folder), &why);
}

std::string NoRideviMessage() { return Sjis(u8" RIDEVI の設定がありません."); }

std::string RideviSettingProblem(Env& env, const std::string& system_folder) {
  const std::string path = RideviSettingsPath(env, system_folder);
  std::string why;
  try {
    const std::string setting = ReadSettingItem(env, path, &why);
    if (!setting.empty()) why = FolderProblem(env, setting);
  } catch (const Error& e) {
    why = e.cause();
  }
  if (why.empty()) return {};
  return Sjis(u8"設定ファイル ") + FullPath(env, path) + ": " + why;
}

bool ReadSettings(Env& env, Settings& settings) {
  settings.pattern_folder = ReadRideviSetting(env, settings.system_folder);
  if (settings.pattern_folder.empty() || !NamesAFolder(env, settings.pattern_folder)) return false;
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

std::vector<std::unique_ptr<Env>> NewAheadEnvs() {
  std::vector<std::unique_ptr<Env>> envs;
  for (int k = 0; k < 2; ++k) envs.push_back(NewPlatformEnv());
  return envs;
}

std::vector<Env*> Pointers(const std::vector<std::unique_ptr<Env>>& envs) {
  std::vector<Env*> pointers;
  for (const auto& env : envs) pointers.push_back(env.get());
  return pointers;
}

}  // namespace s1ordo
