// The entry point of the command line program: its arguments as UTF-8, the
// real Env, the standard streams, the user's language, and Ctrl-C asking
// the run to stop between two files (a second Ctrl-C ends the program at
// once).
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/startup.h"
#include "app/ui_language.h"
#include "helpers/stop_request.h"

namespace {

// The one request Ctrl-C makes: the operating system calls its handlers
// without any context, so it lives here, constant-initialised before the
// handler can run.
s1ordo::StopRequest interrupted;

}  // namespace

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <io.h>
#include <windows.h>

namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (interrupted.asked()) return FALSE;  // the second: the default ends the program
  interrupted.Ask();
  return TRUE;
}

// A line typed at the question; false at the end of input or after Ctrl-C,
// which ends the console's read (its handler may run a moment later).
bool ReadAnswer(std::string& line) {
  if (std::getline(std::cin, line)) return true;
  for (int waited = 0; waited < 10 && !interrupted.asked(); ++waited) Sleep(20);
  return false;
}

}  // namespace

// Arguments as UTF-8 from the wide command line; the console shows UTF-8.
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(n > 0 ? static_cast<size_t>(n - 1) : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(arg);
  }
  s1ordo::CliStreams io{std::cin, std::cout, std::cerr, _isatty(0) != 0, _isatty(2) != 0};
  io.japanese = s1ordo::UserWantsJapanese();
  io.stop = &interrupted;
  io.read_answer = ReadAnswer;
  auto env = s1ordo::NewPlatformEnv();
  const auto ahead_envs = s1ordo::NewAheadEnvs();
  io.ahead_envs = s1ordo::Pointers(ahead_envs);
  return s1ordo::RunCommandLine(args, *env, io);
}
#else
#include <poll.h>
#include <signal.h>
#include <unistd.h>

namespace {

extern "C" void OnInterrupt(int) {
  if (interrupted.asked()) {  // the second: end at once, as without a handler
    signal(SIGINT, SIG_DFL);
    raise(SIGINT);
    return;
  }
  interrupted.Ask();
}

// A line typed at the question; false at the end of input or once Ctrl-C
// asked the run to stop (reads restart after the handler, so the wait
// looks at the request every 100 ms).
bool ReadAnswer(std::string& line) {
  line.clear();
  for (;;) {
    pollfd in = {0, POLLIN, 0};
    const int ready = poll(&in, 1, 100);
    if (interrupted.asked()) return false;
    if (ready <= 0) continue;
    char c;
    const ssize_t n = read(0, &c, 1);
    if (n <= 0) return !line.empty();
    if (c == '\n') return true;
    line += c;
  }
}

}  // namespace

int main(int argc, char** argv) {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESTART;  // the file operations go on; the run looks at the request between files
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  std::vector<std::string> args(argv + 1, argv + argc);
  s1ordo::CliStreams io{std::cin, std::cout, std::cerr, isatty(0) != 0, isatty(2) != 0};
  io.japanese = s1ordo::UserWantsJapanese();
  io.stop = &interrupted;
  io.read_answer = ReadAnswer;
  auto env = s1ordo::NewPlatformEnv();
  const auto ahead_envs = s1ordo::NewAheadEnvs();
  io.ahead_envs = s1ordo::Pointers(ahead_envs);
  return s1ordo::RunCommandLine(args, *env, io);
}
#endif
