// Straightforward versions of the number texts and of ReadNumber, built from
// snprintf, strtod and whole strings, as the converter had them first: the
// fast versions in src/helpers/number.cc must give the same bytes and the
// same bits for every input. Used by the number tests and by bench_number.
#ifndef S1ORDO_BENCH_PLAIN_NUMBERS_H_
#define S1ORDO_BENCH_PLAIN_NUMBERS_H_

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "helpers/error.h"

// GCC 12 warns of an overlapping memcpy inside "." + std::string, wrongly.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace s1ordo::plain {


inline std::string RealText(double value, int digits, int upper) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value > 0 ? " Inf" : "-Inf";
  if (value == 0) return " 0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
  std::string s(buf);
  bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  size_t epos = s.find('e');
  int exponent = std::atoi(s.c_str() + epos + 1);
  std::string mantissa;
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

inline std::string DropBlank(std::string t) { return t[0] == ' ' ? t.substr(1) : t; }

inline std::string FormatDecimal2(int width, float value) {
  std::string r = DropBlank(RealText(value, 7, 7));
  size_t point = r.find('.');
  if (point == std::string::npos) {
    r += ".00";
  } else {
    if (point == 0) r = "0" + r;
    else if (r[0] == '-' && point == 1) r = "-0" + r.substr(1);
    point = r.find('.');
    if (r.size() - point - 1 == 1) r += "0";
    else r = r.substr(0, point + 3);
  }
  if (width <= 0) return "";
  std::string padded = std::string(static_cast<size_t>(width), ' ') + r;
  return padded.substr(padded.size() - static_cast<size_t>(width));
}

inline bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Decimal forms only: callers leave out the "&H" and "&O" forms.
inline double ReadNumber(std::string_view text) {
  std::string s;
  for (char c : text)
    if (!IsSkipped(c)) s += c;
  size_t i = 0;
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
  if (!std::isfinite(v)) throw Error("too large: " + std::string(text));
  return v;
}


inline std::string DoubleText(double value) { return RealText(value, 15, 15); }
inline std::string TrimmedSingleText(float value) { return DropBlank(RealText(value, 7, 7)); }
}  // namespace s1ordo::plain

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#endif  // S1ORDO_BENCH_PLAIN_NUMBERS_H_
