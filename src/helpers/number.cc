// Decimal texts of integers and reals, reading numbers from texts, rounding
// to 16 and 32 bits, and the two formatters of numeric fields.
#include "helpers/number.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// Powers of ten that are exact in a 64-bit real.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// n as exactly `count` digits, zeros in front, two digits at a time.
void WriteDigits(uint64_t n, int count, char* out) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  int i = count;
  for (; i >= 2; i -= 2, n /= 100) std::memcpy(out + i - 2, kPairs + 2 * (n % 100), 2);
  if (i == 1) out[0] = static_cast<char>('0' + n);
}

// The first `digits` (at most 15) significant digits of a, a positive finite
// value, correctly rounded with exact ties to the even digit, written as
// `digits` characters, and the decimal exponent of the first. False when the
// scale 10^s that puts `digits` digits before the point is not one of the
// exact 10^0 ... 10^22 (a of 10^(digits-1) or more, or very small): the
// caller then takes the digits from to_chars.
//
// a * 10^s is exactly hi + lo (hi the rounded product, lo what fma finds left
// over, at most half a unit of hi's last place). It rounds to the integer r
// nearest to hi, unless hi lies exactly halfway between two integers, where
// the sign of lo decides. Needs the default rounding mode, as strtod and
// printf do for their results.
bool FastDigits(double a, int digits, char* out, int* exponent) {
  const double top = kExactPowersOfTen[digits];  // the first value with one digit too many
  const double bottom = kExactPowersOfTen[digits - 1];
  // First guess of s from the binary exponent (log10(2) ~ 1233 / 4096); the
  // loop corrects it by one when the digits come out one too many or too few.
  int binary_exponent = static_cast<int>(std::bit_cast<uint64_t>(a) >> 52) - 1023;  // a is positive
  int s = digits - 1 - ((binary_exponent * 1233) >> 12);
  for (int tries = 0; tries < 4; ++tries) {
    if (s < 0 || s > 22) return false;
    double power = kExactPowersOfTen[s];
    double hi = a * power;
    if (hi >= top) {  // a * P is at least top - 1/2: too many digits at this scale
      --s;
      continue;
    }
    double lo = std::fma(a, power, -hi);
    // hi < 2^52: adding and taking away 2^52 rounds it to an integer, halves to even.
    constexpr double kTwo52 = 4503599627370496.0;
    double r = (hi + kTwo52) - kTwo52;
    double d = hi - r;  // exact
    if (d == 0.5 && lo > 0) r += 1;
    else if (d == -0.5 && lo < 0) r -= 1;
    if (r < bottom) {  // fewer digits at this scale
      ++s;
      continue;
    }
    if (r >= top) {  // rounded up to 10^digits
      --s;
      continue;
    }
    WriteDigits(static_cast<uint64_t>(r), digits, out);
    *exponent = digits - 1 - s;
    return true;
  }
  return false;
}

// Longest text RealChars writes: sign, 15 digits, point and "E+308", or
// sign, point, four zeros and 15 digits.
constexpr size_t kRealChars = 32;

// The first `digits` significant digits of value (not 0, finite, either
// sign), correctly rounded with exact ties to the even digit, in mantissa
// without trailing zeros (at least one digit is left), and the decimal
// exponent of the first. Returns the number of digits.
size_t SignificantDigits(double value, int digits, char* mantissa, int* exponent) {
  size_t m = static_cast<size_t>(digits);
  if (!FastDigits(std::fabs(value), digits, mantissa, exponent)) {
    // Correctly rounded digits, exact ties to even: [-]d.ddddde[+-]xx
    char sci[48];
    char* end = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, digits - 1).ptr;
    const char* p = sci + (value < 0 ? 1 : 0);
    m = 0;
    for (; *p != 'e'; ++p)
      if (*p != '.') mantissa[m++] = *p;
    ++p;  // the 'e'
    bool exponent_negative = *p == '-';
    int e = 0;
    for (++p; p < end; ++p) e = e * 10 + (*p - '0');
    *exponent = exponent_negative ? -e : e;
  }
  while (m > 1 && mantissa[m - 1] == '0') --m;
  return m;
}

// d.dddE+xx after out[0], the sign place: at least two exponent digits.
size_t PutExponentForm(char* out, const char* mantissa, size_t m, int exponent) {
  size_t n = 1;
  out[n++] = mantissa[0];
  if (m > 1) {
    out[n++] = '.';
    std::memcpy(out + n, mantissa + 1, m - 1);
    n += m - 1;
  }
  out[n++] = 'E';
  out[n++] = exponent < 0 ? '-' : '+';
  int e = exponent < 0 ? -exponent : exponent;
  if (e >= 100) out[n++] = static_cast<char>('0' + e / 100);
  out[n++] = static_cast<char>('0' + e / 10 % 10);
  out[n++] = static_cast<char>('0' + e % 10);
  return n;
}

// The digits with the point where the exponent puts it, after out[0], the
// sign place; no leading zero before the point (".05").
size_t PutPlainForm(char* out, const char* mantissa, size_t m, int exponent) {
  size_t n = 1;
  if (exponent < 0) {
    out[n++] = '.';
    size_t zeros = static_cast<size_t>(-exponent - 1);
    std::memset(out + n, '0', zeros);
    n += zeros;
    std::memcpy(out + n, mantissa, m);
    return n + m;
  }
  size_t whole = static_cast<size_t>(exponent) + 1;
  if (m <= whole) {
    std::memcpy(out + n, mantissa, m);
    n += m;
    std::memset(out + n, '0', whole - m);
    return n + (whole - m);
  }
  std::memcpy(out + n, mantissa, whole);
  n += whole;
  out[n++] = '.';
  std::memcpy(out + n, mantissa + whole, m - whole);
  return n + (m - whole);
}

// Writes the shortest decimal text of value rounded to `digits` significant
// digits (at most 15) into out and returns its length; exponent form when the
// rounded value is below 1E-4 or reaches 10^upper.
size_t RealChars(char* out, double value, int digits, int upper) {
  auto put = [out](const char* text) {
    size_t n = std::strlen(text);
    std::memcpy(out, text, n);
    return n;
  };
  if (std::isnan(value)) return put(" NaN");
  if (std::isinf(value)) return put(value > 0 ? " Inf" : "-Inf");
  if (value == 0) return put(" 0");

  char mantissa[24];  // significant digits without the point
  int exponent = 0;
  size_t m = SignificantDigits(value, digits, mantissa, &exponent);
  out[0] = value < 0 ? '-' : ' ';
  if (exponent < -4 || exponent >= upper) return PutExponentForm(out, mantissa, m, exponent);
  return PutPlainForm(out, mantissa, m, exponent);
}

std::string RealText(double value, int digits, int upper, bool trimmed) {
  char buf[kRealChars];
  size_t n = RealChars(buf, value, digits, upper);
  size_t from = trimmed && buf[0] == ' ' ? 1 : 0;
  return std::string(buf + from, n - from);
}

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

// 16 or 8 when s starts with "&H" or "&O" (either letter case), else 0.
int PrefixBase(std::string_view s) {
  if (s.size() < 2 || s[0] != '&') return 0;
  if (s[1] == 'H' || s[1] == 'h') return 16;
  if (s[1] == 'O' || s[1] == 'o') return 8;
  return 0;
}

int DigitValue(char c, int base) {
  if (c >= '0' && c <= (base == 8 ? '7' : '9')) return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The one number grammar of the converter: the length of the longest start
// of s that is a number written without blanks, 0 when s does not start
// with one. A number is "&H" with hexadecimal or "&O" with octal digits, or
// an optional sign, digits with at most one point among them, and an
// exponent (E, e, D or d, an optional sign, digits) that counts only with
// its digits.
size_t NumberLength(std::string_view s) {
  if (int base = PrefixBase(s)) {
    size_t i = 2;
    while (i < s.size() && DigitValue(s[i], base) >= 0) ++i;
    return i > 2 ? i : 0;
  }
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) digits = true;
    else if (s[i] == '.' && !point) point = true;
    else break;
  }
  if (!digits) return 0;
  if (i < s.size() && IsExponentLetter(s[i])) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t first = j;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j > first) i = j;
  }
  return i;
}

// An "&H" or "&O" number from its digits: the first 16 count. Up to 4
// hexadecimal digits' worth it is a 16-bit number, beyond that 32-bit.
double PrefixedValue(std::string_view digits, int base) {
  unsigned long long v = 0;
  for (size_t k = 0; k < digits.size() && k < 16; ++k) v = v * base + DigitValue(digits[k], base);
  if (v <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(v));
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
}

// Any number: the text without its skipped characters, its longest start
// that NumberLength takes, read through strtod (or as "&H" / "&O").
double ReadAnyNumber(std::string_view text) {
  std::string s;  // the text without the characters that are skipped
  for (char c : text)
    if (!IsSkipped(c)) s += c;
  const size_t n = NumberLength(s);
  if (int base = PrefixBase(s)) return PrefixedValue(std::string_view(s).substr(2, n > 2 ? n - 2 : 0), base);
  if (n == 0) return 0;
  std::string number = s.substr(0, n);
  for (char& c : number)
    if (IsExponentLetter(c)) c = 'e';
  double v = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(v))
    throw Error(Sjis(u8"数値が大きすぎます: ") + std::string(text));
  return v;
}

}  // namespace

std::string IntText(long long value) {
  char buf[24];
  buf[0] = ' ';
  char* end = std::to_chars(buf + 1, buf + sizeof buf, value).ptr;
  const char* begin = value < 0 ? buf + 1 : buf;
  return std::string(begin, static_cast<size_t>(end - begin));
}

std::string SingleText(float value) { return RealText(value, 7, 7, false); }
std::string DoubleText(double value) { return RealText(value, 15, 15, false); }
std::string TrimmedSingleText(float value) { return RealText(value, 7, 7, true); }
std::string TrimmedDoubleText(double value) { return RealText(value, 15, 15, true); }

double ReadNumber(std::string_view text) {
  // Most fields hold a short plain decimal ("0.50", "82.85", "051411"). When
  // its significant digits form an integer m that a 64-bit real holds exactly
  // and it has k <= 22 decimals, m / 10^k is one correctly rounded division
  // of exact operands: the value strtod gives. Everything else goes the
  // general way.
  const char* p = text.data();
  const char* const end = p + text.size();
  auto skip = [&p, end] {
    while (p < end && IsSkipped(*p)) ++p;
  };
  skip();
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  } else if (p < end && *p == '&') {
    return ReadAnyNumber(text);
  }
  uint64_t mantissa = 0;
  int significant = 0, decimals = 0;
  bool digits = false, point = false;
  for (;; ++p) {
    skip();
    if (p == end) break;
    char c = *p;
    if (c >= '0' && c <= '9') {
      digits = true;
      if (point && decimals <= 22) ++decimals;  // more than 22 goes the general way
      if (mantissa != 0 || c != '0') {
        if (++significant > 19) return ReadAnyNumber(text);  // beyond 64 bits
        mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      if (digits && (c == 'E' || c == 'e' || c == 'D' || c == 'd')) return ReadAnyNumber(text);
      break;
    }
  }
  if (!digits) return 0;
  if (mantissa > (uint64_t{1} << 53) || decimals > 22) return ReadAnyNumber(text);
  double v = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
  return negative ? -v : v;
}

bool IsNumberText(std::string_view text) {
  const std::string t = Trim(text);
  const size_t n = NumberLength(t);
  return n > 0 && n == t.size();
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
  if (width <= 0) return std::string();
  // r: the trimmed text, with room for a "0" put in front and ".00" behind.
  char buf[kRealChars + 4];
  char* r = buf + 1;
  size_t n = RealChars(r, value, 7, 7);
  if (r[0] == ' ') {
    ++r;
    --n;
  }
  const char* point = static_cast<const char*>(std::memchr(r, '.', n));
  if (point == nullptr) {
    std::memcpy(r + n, ".00", 3);
    n += 3;
  } else {
    size_t at = static_cast<size_t>(point - r);
    if (at == 0) {  // ".5" becomes "0.5"
      *--r = '0';
      ++n;
      ++at;
    } else if (r[0] == '-' && at == 1) {  // "-.25" becomes "-0.25"
      *--r = '-';
      r[1] = '0';
      ++n;
      ++at;
    }
    size_t behind = n - at - 1;
    if (behind == 1) r[n++] = '0';
    else if (n > at + 3) n = at + 3;
  }
  // Right-justified: the text is single-byte characters only.
  size_t w = static_cast<size_t>(width);
  if (n >= w) return std::string(r + (n - w), w);
  std::string out(w, ' ');
  std::memcpy(out.data() + (w - n), r, n);
  return out;
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
