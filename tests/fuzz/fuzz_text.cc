// The number and text helpers and the path checks on any text: a result or
// an Error, within the documented bounds.
#include <cstddef>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "fuzz_support.h"
#include "helpers/error.h"
#include "helpers/number.h"
#include "helpers/paths.h"
#include "helpers/text.h"

using namespace s1ordo;
using fuzz::Require;

namespace {

float ToSingle(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(v > kMax ? kMax : v < -kMax ? -kMax : v);
}

// The search by its definition: every character start from `from` on.
size_t PlainFind(std::string_view text, std::string_view part, size_t from) {
  for (size_t i = 0; i < text.size(); i += CharLength(text, i))
    if (i >= from && text.substr(i, part.size()) == part) return i;
  return std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  // Bytes 0 .. 3: widths and positions; the rest is the text.
  const long n = static_cast<int8_t>(data[0]);
  const long start = static_cast<int8_t>(data[1]);
  const size_t width = data[2] % 64;
  const uint8_t mode = data[3];
  const std::string text(reinterpret_cast<const char*>(data) + 4, size - 4);

  // Numbers read from the text.
  double value = 0;
  bool read = false;
  try {
    value = ReadNumber(text);
    read = true;
  } catch (const Error&) {
  }
  if (read) {
    Require(value == value, "ReadNumber gave NaN");
    try {
      int16_t v16 = RoundToInt16(value);
      Require(v16 - value <= 0.5 && value - v16 <= 0.5, "RoundToInt16 off");
    } catch (const Error&) {
      // Halves go to the even neighbour: 32767.5 gives 32768, -32768.5 gives -32768.
      Require(value < -32768.5 || value >= 32767.5, "RoundToInt16 refused a 16-bit value");
    }
    try {
      RoundToInt32(value);
    } catch (const Error&) {
    }
    (void)IntText(static_cast<long long>(std::fmod(value, 1e18)));
    (void)DoubleText(value);
    const float single = ToSingle(value);
    (void)SingleText(single);
    Require(FormatDecimal2(static_cast<int>(width), single).size() >= width, "FormatDecimal2 too short");
    // Any coordinates give a text; a point of the grid (latitude 20 to 46
    // degrees, longitude 100 to 180) gives 8 digits.
    const float minutes = ToSingle(std::fmod(std::fabs(value), 60));
    (void)GridSquareCode(single, minutes, minutes, single, minutes, minutes);
    const double lat = single + minutes / 60.0 + minutes / 3600.0;
    if (lat >= 20 && lat < 46) {
      const std::string code = GridSquareCode(single, minutes, minutes, single + 100, minutes, minutes);
      Require(code.size() == 8, "grid code not 8 long:", code);
    }
  }

  // Byte and character cuts.
  Require(LeftBytes(text, n).size() <= static_cast<size_t>(n < 0 ? 0 : n), "LeftBytes too long");
  Require(MidBytes(text, start, n).size() <= static_cast<size_t>(n < 0 ? 0 : n), "MidBytes too long");
  Require(CharCount(RightJustify(text, width)) == width, "RightJustify width");
  Require(CharCount(RightJustifyWith(text, width, '0')) == width, "RightJustifyWith width");
  Require(CharCount(LeftJustify(text, width)) == width, "LeftJustify width");
  Require(LeftJustifyBytes(text, width).size() == width, "LeftJustifyBytes width");
  Require(CharCount(LeftChars(text, width)) <= width && CharCount(RightChars(text, width)) <= width, "cut");
  (void)MidChars(text, static_cast<size_t>(start < 0 ? 0 : start), width);
  (void)Trim(text);
  const std::string part = text.substr(0, width % 8);
  const std::string_view rest = std::string_view(text).substr(part.size());
  const size_t from = static_cast<size_t>(start < 0 ? 0 : start);
  Require(FindChars(rest, part, from) == PlainFind(rest, part, from), "FindChars differs from the plain search");

  // The text as a folder path typed by the user, in both forms.
  std::string path = text;
  const PathForm form = (mode & 1) ? PathForm::kWindows : PathForm::kPosix;
  const char sep = Separator(form);
  if (IsValidPath(path, form, [&](char c) { return (c & 1) != 0; }, [](const std::string&) {}))
    Require(!path.empty() && path.back() == sep, "an accepted path without the separator");
  Require(SplitFields(text, std::string(1, sep)).size() == static_cast<size_t>(CountDelimiters(text, std::string(1, sep))) + 1,
          "SplitFields and CountDelimiters disagree");
  return 0;
}
