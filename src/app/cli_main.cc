#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  s1ordo::CliStreams io{std::cin, std::cout, std::cerr, isatty(0) != 0, isatty(2) != 0};
  return s1ordo::RunCommandLine(args, s1ordo::DefaultEnv(), io);
}
