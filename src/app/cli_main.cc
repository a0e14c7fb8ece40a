// The entry point of the command line program: its arguments as UTF-8, the
// real Env and the standard streams.
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <io.h>
#include <windows.h>

// Arguments as UTF-8 from the wide command line; the console shows UTF-8.
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(n > 0 ? static_cast<size_t>(n - 1) : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(arg);
  }
  s1ordo::CliStreams io{std::cin, std::cout, std::cerr, _isatty(0) != 0, _isatty(2) != 0};
  auto env = s1ordo::NewPlatformEnv();
  return s1ordo::RunCommandLine(args, *env, io);
}
#else
#include <unistd.h>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  s1ordo::CliStreams io{std::cin, std::cout, std::cerr, isatty(0) != 0, isatty(2) != 0};
  auto env = s1ordo::NewPlatformEnv();
  return s1ordo::RunCommandLine(args, *env, io);
}
#endif
