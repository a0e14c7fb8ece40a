// The user's language, from the locale variables or the Windows user
// interface.
#include "app/ui_language.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#endif

namespace s1ordo {

bool UserWantsJapanese() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::strncmp(value, "ja", 2) == 0;
  }
#ifdef _WIN32
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
#else
  return false;
#endif
}

}  // namespace s1ordo
