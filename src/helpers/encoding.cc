// The texts shown to and typed by the user, and the literals of the code,
// between code page 932 and UTF-8.
#include "helpers/encoding.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>

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

namespace {

// The first byte from i on that is not ASCII, passing eight at a time over
// the runs of ASCII that make up most of a file (each an ASCII character in
// both code page 932 and UTF-8); text.size() when there is none.
size_t AfterAscii(std::string_view text, size_t i) {
  for (uint64_t eight; i + 8 <= text.size(); i += 8) {
    std::memcpy(&eight, text.data() + i, 8);
    if (eight & 0x8080808080808080ULL) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

// The byte sequences that the platform's conversion takes as characters,
// asked of it once, byte by byte and pair by pair: code page 932 holds no
// state, so a text converts exactly when it splits into such characters,
// and a byte that is no character by itself starts a character of two.
class Cp932Characters {
 public:
  Cp932Characters() {
    for (int b = 0; b < 256; ++b) {
      const char pair[2] = {static_cast<char>(b), 0};
      single_[b] = TryCp932ToUtf8(std::string_view(pair, 1)).has_value();
      if (single_[b]) continue;
      for (int t = 0; t < 256; ++t) {
        const char two[2] = {pair[0], static_cast<char>(t)};
        if (TryCp932ToUtf8(std::string_view(two, 2))) second_[b].set(t);
      }
    }
  }

  bool Holds(std::string_view text) const {
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
      i = AfterAscii(text, i);
      if (i >= n) break;
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (single_[c]) {
        ++i;
      } else if (i + 1 < n && second_[c].test(static_cast<unsigned char>(text[i + 1]))) {
        i += 2;
      } else {
        return false;
      }
    }
    return true;
  }

 private:
  std::array<bool, 256> single_{};
  std::array<std::bitset<256>, 256> second_{};
};

// Whether the text converts (the answer of TryCp932ToUtf8, without
// converting).
bool IsCodePage932(std::string_view text) {
  static const Cp932Characters characters;  // filled once, never changed
  return characters.Holds(text);
}

// Whether the bytes are UTF-8 holding at least one character beyond ASCII.
bool IsUtf8BeyondAscii(std::string_view bytes) {
  bool beyond = false;
  for (size_t i = 0; i < bytes.size();) {
    i = AfterAscii(bytes, i);
    if (i >= bytes.size()) break;
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || (n == 2 && c < 0xC2) || i + n > bytes.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    beyond = beyond || n > 1;
    i += n;
  }
  return beyond;
}

// The 1-based number of the first line for which bad(line) holds; 0 when
// none does.
template <typename Bad>
long FirstLine(std::string_view bytes, const Bad& bad) {
  long line = 1;
  for (size_t start = 0; start <= bytes.size(); ++line) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    if (bad(bytes.substr(start, end - start))) return line;
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return 0;
}

}  // namespace

long FirstLineNotCodePage932(std::string_view bytes) {
  if (!IsCodePage932(bytes)) {
    const long line = FirstLine(bytes, [](std::string_view l) { return !IsCodePage932(l); });
    return line > 0 ? line : 1;  // only the whole does not read: a character across a line end
  }
  // UTF-8 often reads as code page 932 too, as other characters.
  if (!IsUtf8BeyondAscii(bytes)) return 0;
  return FirstLine(bytes, [](std::string_view l) {
    for (char c : l)
      if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
  });
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
