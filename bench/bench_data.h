// Synthetic but realistic data for the benchmarks and for the tests that
// compare whole conversions: a source tree "DIZIVAD" of N boreholes with
// every source file kind and R records per file, a pattern-data folder
// "RIDEVI" whose code lists hold L entries and whose "KISHITU.TXT" holds V
// records, a list folder "LISTS", and a settings folder "SYS" whose
// "DodavoZ5.ini" and "Ridevi.ini" point at them. Code page 932 with CR LF
// line ends; the same arguments always give the same bytes.
#ifndef S1ORDO_BENCH_BENCH_DATA_H_
#define S1ORDO_BENCH_BENCH_DATA_H_

#include <filesystem>

void GenerateBenchData(const std::filesystem::path& out, int boreholes, int records, int entries,
                       int vocabulary);

#endif  // S1ORDO_BENCH_BENCH_DATA_H_
