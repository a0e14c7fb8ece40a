// Times reading numbers from field texts and building number texts, with the
// former string-and-strtod / snprintf versions (plain_numbers.h, kept only
// to compare) against the ones in src/helpers/number.cc.
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
#include "plain_numbers.h"

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
    if (plain::ReadNumber(t) != ReadNumber(t)) return std::fprintf(stderr, "ReadNumber differs: %s\n", t.c_str()), 1;
  for (float f : kSingles)
    if (plain::TrimmedSingleText(f) != TrimmedSingleText(f) || plain::FormatDecimal2(7, f) != FormatDecimal2(7, f))
      return std::fprintf(stderr, "single text differs\n"), 1;
  for (double d : kDoubles)
    if (plain::DoubleText(d) != DoubleText(d)) return std::fprintf(stderr, "DoubleText differs\n"), 1;

  std::printf("%ld calls per round, best of 5 rounds\n", calls);
  std::printf("%-22s %12s %12s %9s %8s %8s\n", "", "previous", "now", "speed-up", "allocs", "allocs");
  Compare("ReadNumber", kTexts, calls, [](const std::string& t) { g_sink_value = plain::ReadNumber(t); },
          [](const std::string& t) { g_sink_value = ReadNumber(t); });
  Compare("TrimmedSingleText", kSingles, calls, [](float f) { g_sink_size = plain::TrimmedSingleText(f).size(); },
          [](float f) { g_sink_size = TrimmedSingleText(f).size(); });
  Compare("FormatDecimal2(7, _)", kSingles, calls, [](float f) { g_sink_size = plain::FormatDecimal2(7, f).size(); },
          [](float f) { g_sink_size = FormatDecimal2(7, f).size(); });
  Compare("DoubleText", kDoubles, calls, [](double d) { g_sink_size = plain::DoubleText(d).size(); },
          [](double d) { g_sink_size = DoubleText(d).size(); });
  return 0;
}
