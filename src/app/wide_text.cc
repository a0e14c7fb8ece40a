// UTF-16 texts of the Win32 API from and to code page 932 and UTF-8.
#define WIN32_LEAN_AND_MEAN
#include "app/wide_text.h"

#include <windows.h>

namespace s1ordo {

std::wstring WideText(std::string_view text, unsigned code_page) {
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string Utf8Text(std::wstring_view wide) {
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace s1ordo
