// Times reading numbers from field texts and building number texts, with the
// previous string-and-strtod / snprintf versions (kept here only to compare)
// against the ones in src/helpers/number.cc.
//
//   bench_number [calls-per-round]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/number.h"
#include "helpers/text.h"

using namespace s1ordo;

// Every heap allocation of the program is counted.
static long g_allocations = 0;

void* operator new(size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

// GCC 12 warns of an overlapping memcpy inside "." + std::string, wrongly.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace previous {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The decimal part of the former ReadNumber (the texts timed have no "&H").
double ReadNumber(std::string_view text) {
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
  if (!std::isfinite(v)) std::abort();
  return v;
}

std::string RealText(double value, int digits, int upper) {
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

std::string DropBlank(std::string t) { return t[0] == ' ' ? t.substr(1) : t; }
std::string DoubleText(double value) { return RealText(value, 15, 15); }
std::string TrimmedSingleText(float value) { return DropBlank(RealText(value, 7, 7)); }

std::string RightJustify(std::string_view text, size_t w) {
  size_t count = CharCount(text);
  if (count >= w) return RightChars(text, w);
  std::string out(w - count, ' ');
  out.append(text);
  return out;
}

std::string FormatDecimal2(int width, float value) {
  std::string r = TrimmedSingleText(value);
  size_t point = r.find('.');
  if (point == std::string::npos) {
    r += ".00";
  } else {
    if (point == 0) r.insert(0, 1, '0');
    else if (r[0] == '-' && point == 1) r.insert(1, 1, '0');
    point = r.find('.');
    size_t behind = r.size() - point - 1;
    if (behind == 1) r += "0";
    else r = r.substr(0, point + 3);
  }
  return width <= 0 ? std::string() : RightJustify(r, static_cast<size_t>(width));
}

}  // namespace previous

namespace {

// Field texts as the source records hold them: depths, codes, counts.
const std::vector<std::string> kTexts = {"0.50", "82.85", "332", "051411", " 1.25", "12.5", "-3.4", "0",
                                         "100.00", "7", "  2.05", "1234.567", "", "0.125", "15", "3.00"};
const std::vector<float> kSingles = {0.5f, 82.85f, 332, 1.25f, 12.5f, -3.4f, 0, 100, 2.05f, 1234.567f, 0.125f, 15};
const std::vector<double> kDoubles = {332, 51411, 1.5, 0.25, 82.85, 7, 0, 1e-5, 12345.678, 3, 53, 9};

volatile double g_sink_value;
volatile size_t g_sink_size;

// Nanoseconds per call of f over the inputs, the best of five rounds.
template <typename Input, typename F>
double NsPerCall(const std::vector<Input>& inputs, long calls, F f) {
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    auto start = std::chrono::steady_clock::now();
    size_t i = 0;
    for (long k = 0; k < calls; ++k) {
      f(inputs[i]);
      if (++i == inputs.size()) i = 0;
    }
    double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    if (ns < best) best = ns;
  }
  return best / static_cast<double>(calls);
}

// Heap allocations per call of f over the inputs.
template <typename Input, typename F>
double AllocationsPerCall(const std::vector<Input>& inputs, F f) {
  long before = g_allocations;
  for (const Input& input : inputs) f(input);
  return static_cast<double>(g_allocations - before) / static_cast<double>(inputs.size());
}

template <typename Input, typename Old, typename New>
void Compare(const char* name, const std::vector<Input>& inputs, long calls, Old old_f, New new_f) {
  double before = NsPerCall(inputs, calls, old_f);
  double after = NsPerCall(inputs, calls, new_f);
  std::printf("%-22s %9.1f ns %9.1f ns %8.1fx %8.2f %8.2f\n", name, before, after, before / after,
              AllocationsPerCall(inputs, old_f), AllocationsPerCall(inputs, new_f));
}

}  // namespace

int main(int argc, char** argv) {
  long calls = argc > 1 ? std::atol(argv[1]) : 2000000;
  // The two versions must agree on the inputs timed.
  for (const std::string& t : kTexts)
    if (previous::ReadNumber(t) != ReadNumber(t)) return std::fprintf(stderr, "ReadNumber differs: %s\n", t.c_str()), 1;
  for (float f : kSingles)
    if (previous::TrimmedSingleText(f) != TrimmedSingleText(f) || previous::FormatDecimal2(7, f) != FormatDecimal2(7, f))
      return std::fprintf(stderr, "single text differs\n"), 1;
  for (double d : kDoubles)
    if (previous::DoubleText(d) != DoubleText(d)) return std::fprintf(stderr, "DoubleText differs\n"), 1;

  std::printf("%ld calls per round, best of 5 rounds\n", calls);
  std::printf("%-22s %12s %12s %9s %8s %8s\n", "", "previous", "now", "speed-up", "allocs", "allocs");
  Compare("ReadNumber", kTexts, calls, [](const std::string& t) { g_sink_value = previous::ReadNumber(t); },
          [](const std::string& t) { g_sink_value = ReadNumber(t); });
  Compare("TrimmedSingleText", kSingles, calls, [](float f) { g_sink_size = previous::TrimmedSingleText(f).size(); },
          [](float f) { g_sink_size = TrimmedSingleText(f).size(); });
  Compare("FormatDecimal2(7, _)", kSingles, calls, [](float f) { g_sink_size = previous::FormatDecimal2(7, f).size(); },
          [](float f) { g_sink_size = FormatDecimal2(7, f).size(); });
  Compare("DoubleText", kDoubles, calls, [](double d) { g_sink_size = previous::DoubleText(d).size(); },
          [](double d) { g_sink_size = DoubleText(d).size(); });
  return 0;
}
