// Windows only: texts between the wide (UTF-16) API and the converter's
// code page 932 and the windows' UTF-8.
#ifndef S1ORDO_APP_WIDE_TEXT_H_
#define S1ORDO_APP_WIDE_TEXT_H_

#include <string>
#include <string_view>

namespace s1ordo {

constexpr unsigned kUtf8CodePage = 65001;  // CP_UTF8

// Characters a code page cannot hold become what the system substitutes.
std::wstring WideText(std::string_view text, unsigned code_page = kUtf8CodePage);
std::string Utf8Text(std::wstring_view wide);

}  // namespace s1ordo

#endif  // S1ORDO_APP_WIDE_TEXT_H_
