#include "helpers/number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// Shortest decimal text of value rounded to `digits` significant digits;
// exponent form when the rounded value is below 1E-4 or reaches 10^upper.
std::string RealText(double value, int digits, int upper) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value > 0 ? " Inf" : "-Inf";
  if (value == 0) return " 0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
  // buf: [-]d.ddddde[+-]xx
  std::string s(buf);
  bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  size_t epos = s.find('e');
  int exponent = std::atoi(s.c_str() + epos + 1);
  std::string mantissa;  // significant digits without the point
  for (size_t i = 0; i < epos; ++i)
    if (s[i] != '.') mantissa += s[i];
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = negative ? "-" : " ";
  if (exponent < -4 || exponent >= upper) {
    out += mantissa[0];
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + e;
  }
  if (exponent >= 0) {
    size_t whole = static_cast<size_t>(exponent) + 1;
    if (mantissa.size() <= whole) return out + mantissa + std::string(whole - mantissa.size(), '0');
    return out + mantissa.substr(0, whole) + "." + mantissa.substr(whole);
  }
  return out + "." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
}

std::string DropBlank(std::string t) { return t[0] == ' ' ? t.substr(1) : t; }

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

std::string IntText(long long value) {
  return (value < 0 ? "" : " ") + std::to_string(value);
}

std::string SingleText(float value) { return RealText(value, 7, 7); }
std::string DoubleText(double value) { return RealText(value, 15, 15); }
std::string TrimmedSingleText(float value) { return DropBlank(SingleText(value)); }
std::string TrimmedDoubleText(double value) { return DropBlank(DoubleText(value)); }

double ReadNumber(std::string_view text) {
  std::string s;  // the text without the characters that are skipped
  for (char c : text)
    if (!IsSkipped(c)) s += c;
  size_t i = 0;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    unsigned long long v = 0;
    size_t n = 0;
    for (i = 2; i < s.size() && n < 16; ++i, ++n) {
      int d;
      char c = s[i];
      if (c >= '0' && c <= '7') d = c - '0';
      else if (base == 16 && c >= '8' && c <= '9') d = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else break;
      v = v * base + d;
    }
    // Short hexadecimal and octal numbers are 16-bit, longer ones 32-bit.
    if (v <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(v));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
  }
  std::string clean;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) clean += s[i++];
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') { clean += c; digits = true; }
    else if (c == '.' && !point) { clean += c; point = true; }
    else break;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::string exp = "e";
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    bool expdigits = false;
    for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j) { exp += s[j]; expdigits = true; }
    if (expdigits) clean += exp;
  }
  double v = std::strtod(clean.c_str(), nullptr);
  if (!std::isfinite(v))
    throw Error(Sjis(u8"数値が大きすぎます: ") + std::string(text));
  return v;
}

int16_t RoundToInt16(double value) {
  double r = std::nearbyint(value);  // the default rounding mode: halves to even
  if (!(r >= -32768 && r <= 32767))
    throw Error(Sjis(u8"数値が16ビット整数の範囲(-32768～32767)を超えています: ") +
                TrimmedDoubleText(value));
  return static_cast<int16_t>(r);
}

int32_t RoundToInt32(double value) {
  double r = std::nearbyint(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0))
    throw Error(Sjis(u8"数値が32ビット整数の範囲を超えています: ") + TrimmedDoubleText(value));
  return static_cast<int32_t>(r);
}

std::string FormatDecimal2(int width, float value) {
  std::string r = TrimmedSingleText(value);
  size_t point = r.find('.');
  if (point == std::string::npos) {
    r += ".00";
  } else {
    if (point == 0) {
      r = "0" + r;
    } else if (r[0] == '-' && point == 1) {
      r = "-0" + r.substr(1);
    }
    point = r.find('.');
    size_t behind = r.size() - point - 1;
    if (behind == 1) r += "0";
    else r = r.substr(0, point + 3);
  }
  return width <= 0 ? std::string() : RightJustify(r, static_cast<size_t>(width));
}

std::string GridSquareCode(float lat_deg, float lat_min, float lat_sec,
                           float lon_deg, float lon_min, float lon_sec) {
  double a = (static_cast<double>(lat_deg) + lat_min / 60.0 + lat_sec / 3600.0) * 1.5;
  double b = static_cast<double>(lon_deg) + lon_min / 60.0 + lon_sec / 3600.0;
  if (a == 0 || b == 0) return std::string(8, ' ');
  double p = std::trunc(a);
  double u = std::fmod(std::trunc(b), 100.0);
  a = (a - std::trunc(a)) * 8;
  b = (b - std::trunc(b)) * 8;
  double q = std::trunc(a), v = std::trunc(b);
  a = (a - q) * 10;
  b = (b - v) * 10;
  double r = std::trunc(a), w = std::trunc(b);
  return TrimmedDoubleText(p) + TrimmedDoubleText(u) + TrimmedDoubleText(q) +
         TrimmedDoubleText(v) + TrimmedDoubleText(r) + TrimmedDoubleText(w);
}

}  // namespace s1ordo
