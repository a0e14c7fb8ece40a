// The texts shown to and typed by the user, and the literals of the code,
// between code page 932 and UTF-8.
#include "helpers/encoding.h"

#include "helpers/error.h"
#include "helpers/text.h"

namespace s1ordo {

std::string DisplayText(std::string_view cp932) {
  if (auto utf8 = TryCp932ToUtf8(cp932)) return *utf8;
  // Convert character by character, showing what cannot be converted as "?".
  std::string out;
  for (size_t i = 0; i < cp932.size();) {
    size_t n = CharLength(cp932, i);
    auto one = TryCp932ToUtf8(cp932.substr(i, n));
    out += one ? *one : "?";
    i += n;
  }
  return out;
}

std::string InputText(std::string_view utf8) {
  if (auto cp932 = TryUtf8ToCp932(utf8)) return *cp932;
  throw Error(Sjis(u8"コードページ932で表せない文字があります"), std::string(utf8));
}

std::string Sjis(std::u8string_view utf8) {
  std::string_view bytes(reinterpret_cast<const char*>(utf8.data()), utf8.size());
  if (auto cp932 = TryUtf8ToCp932(bytes)) return *cp932;
  throw Error("program text cannot be converted to code page 932");
}

}  // namespace s1ordo
