// Times the code-list and numeric record converters on generated sources of
// 10 000 and 100 000 records, to show that a conversion takes time linear in
// the size of its source (the code lists are read once per converter, not
// once per record). Prints the best of three runs per converter and size.
//
//   bench_list_converters [records ...]     (default: 10000 100000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "converters/continuation_merger.h"
#include "converters/level_coded_lists.h"
#include "converters/numeric_records.h"
#include "converters/paired_code_lists.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "converters/code_list.h"
#include "helpers/borehole_folder.h"

namespace fs = std::filesystem;
using namespace s1ordo;

namespace {

constexpr int kListEntries = 1000;

void Write(const fs::path& path, const std::string& bytes) { WriteWholeFile(DefaultEnv(), path.string(), bytes); }

std::string Depth(long i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld.%02ld", i / 100, i % 100);
  return buf;
}

// A code list of kListEntries entries with ASCII names of 8 bytes.
std::string CodeListText(bool three_items) {
  std::string text;
  for (int code = 1; code <= kListEntries; ++code)
    text += std::to_string(code) + (three_items ? ",x," : ",") + "name" + std::to_string(code % 10000) + "\r\n";
  return text;
}

// Sources of n records each, in a fresh borehole folder.
void WriteSources(const fs::path& b, long n) {
  std::mt19937 rng(42);
  auto pick = [&](int lo, int hi) { return std::to_string(std::uniform_int_distribution<int>(lo, hi)(rng)); };
  auto pair2 = [&] {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", std::uniform_int_distribution<int>(0, 99)(rng));
    return std::string(buf);
  };
  std::string n11, n3, n13, g3x, g72, n5, g41, g41a, g41b, mitudo, n12;
  for (long i = 1; i <= n; ++i) {
    std::string head = std::to_string(i) + "," + Depth(i) + ",";
    n11 += head + pick(0, 999) + ",\"note, " + std::to_string(i) + "\"\r\n";
    n3 += head + pair2() + pair2() + pair2() + "," + pair2() + pair2() + "\r\n";
    n13 += head + pair2() + pair2() + pair2() + "\r\n";
    g3x += head + pick(0, 99) + "," + pick(0, 99) + "\r\n";
    g72 += head + pick(0, 100) + "," + pick(0, 1200) + "," + pick(0, 1200) + ",text\r\n";
    n5 += head + pick(0, 60) + "," + pick(0, 30) + ",1,2,3,4,5,6\r\n";
    g41 += head + "1.5,2.1,0.8\r\n";
    g41a += head + "12,15,18,21\r\n";
    g41b += head + "45,0.9\r\n";
    mitudo += head + "1.72,2.65\r\n";
    // Every third record continues the text of the one before.
    n12 += std::to_string(i) + "," + (i % 3 == 0 ? std::string() : Depth(i)) + ",\"text, part " +
           std::to_string(i) + "\"\r\n";
  }
  Write(b / "N11.TXT", n11);
  Write(b / "N3.TXT", n3);
  Write(b / "N13.TXT", n13);
  for (const char* g : {"G30", "G31", "G32", "G33", "G34", "G35"}) Write(b / (std::string(g) + ".TXT"), g3x);
  Write(b / "G72.TXT", g72);
  Write(b / "N5.TXT", n5);
  Write(b / "N5.hed", "header\r\n");
  Write(b / "G41.TXT", g41);
  Write(b / "G41A.txt", g41a);
  Write(b / "G41B.txt", g41b);
  Write(b / "MITUDO.TXT", mitudo);
  Write(b / "N12.TXT", n12);
  Write(b / "G101.TXT", n12);
}

struct Converter {
  const char* target;
  std::function<void(const BoreholeFolder&, CodeLists&)> run;
};

// A converter that reads no code list.
template <void (*Convert)(const BoreholeFolder&)>
void WithoutLists(const BoreholeFolder& borehole, CodeLists&) {
  Convert(borehole);
}

double BestOfThree(const BoreholeFolder& borehole, CodeLists& lists, const Converter& c) {
  double best = 1e30;
  for (int round = 0; round < 3; ++round) {
    auto start = std::chrono::steady_clock::now();
    c.run(borehole, lists);
    auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atol(argv[i]));
  if (sizes.empty()) sizes = {10000, 100000};

  fs::path root = fs::temp_directory_path() / ("s1ordo-bench-" + std::to_string(std::random_device()()));
  fs::create_directories(root / "RIDEVI");
  fs::create_directories(root / "B");
  for (const char* list : {"l10.txt", "L4.txt", "L13.txt", "L14.txt", "L15.txt", "L16.txt", "L18.txt", "L18b.txt",
                           "L19.txt"})
    Write(root / "RIDEVI" / list, CodeListText(false));
  Write(root / "RIDEVI" / "L17.txt", CodeListText(true));

  // One run's code lists: each list is read once, by the first converter.
  CodeLists lists(DefaultEnv(), (root / "RIDEVI").string() + "/");
  const BoreholeFolder borehole(DefaultEnv(), (root / "B").string());

  const Converter converters[] = {
      {"X11.txt", ConvertX11},
      {"X3.txt", ConvertX3},
      {"R13.txt", ConvertR13},
      {"R30.txt ... R35.txt", ConvertR30ToR35},
      {"R72.txt", ConvertR72},
      {"X5.txt", WithoutLists<ConvertX5>},
      {"R41.txt", WithoutLists<ConvertR41>},
      {"X14.txt", WithoutLists<ConvertX14>},
      {"X12.TXT", WithoutLists<ConvertX12>},
  };

  // The converters leave their sources as they are, so each size is
  // written once and every converter runs on it three times.
  const size_t count = std::size(converters);
  std::vector<std::vector<double>> ms(count);
  int status = 0;
  try {
    for (long n : sizes) {
      WriteSources(root / "B", n);
      for (size_t i = 0; i < count; ++i) ms[i].push_back(BestOfThree(borehole, lists, converters[i]));
    }
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.Describe().c_str());
    status = 1;
  }

  std::printf("code lists of %d entries; best of 3 runs, milliseconds\n", kListEntries);
  std::printf("%-22s", "target");
  for (long n : sizes) std::printf("%12ld", n);
  if (sizes.size() >= 2) std::printf("%10s%10s", "ratio", "size x");
  std::printf("\n");
  for (size_t i = 0; i < count && status == 0; ++i) {
    std::printf("%-22s", converters[i].target);
    for (double t : ms[i]) std::printf("%12.1f", t);
    if (sizes.size() >= 2)
      std::printf("%10.2f%10.2f", ms[i].back() / ms[i].front(), static_cast<double>(sizes.back()) / sizes.front());
    std::printf("\n");
  }
  std::error_code ec;
  fs::remove_all(root, ec);
  return status;
}
