// generate_data OUT N R L V: writes the benchmark data (see bench_data.h).
#include <cstdlib>
#include <iostream>

#include "bench_data.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: generate_data OUT N R L V\n";
    return 64;
  }
  GenerateBenchData(argv[1], std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  return 0;
}
