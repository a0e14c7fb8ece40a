// The command line front end:
//   s1ordo convert SOURCE DEST [BOREHOLE ...] [--all] [--yes] [--no-wait] [--dry-run]
//                  [--report FILE|-] [--keep-going] [--clean] [--system-folder DIR]
//   s1ordo check SOURCE [BOREHOLE ...] [--all] [--format text|json] [--no-wait] [--system-folder DIR]
//   s1ordo list SOURCE
//   s1ordo COMMAND --help, s1ordo --help | --version
#ifndef S1ORDO_APP_CLI_H_
#define S1ORDO_APP_CLI_H_

#include <iosfwd>
#include <string>
#include <vector>

#include "helpers/env.h"
#include "helpers/stop_request.h"

namespace s1ordo {

// Exit codes.
enum ExitCode {
  kExitOk = 0,          // the run ended with its closing message
  kExitEnded = 1,       // a check ended the run, or the question was answered no
  kExitFailed = 2,      // a failure during the conversion
  kExitStartup = 3,     // no pattern-data folder
  kExitUsage = 64,      // wrong arguments or borehole names
  kExitInterrupted = 130,  // stopped by the user (Ctrl-C)
};

struct CliStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool in_is_terminal = false;
  bool err_is_terminal = false;
  // The command line's own texts in Japanese (else English).
  bool japanese = false;
  // Asked by Ctrl-C; null where nothing can ask.
  const StopRequest* stop = nullptr;
  // Reads the answer to a question from the terminal; false at the end of
  // input or when the run is asked to stop meanwhile. Null: a line of in.
  bool (*read_answer)(std::string& line) = nullptr;
  // Envs of their own over the same file system as the one the command
  // line is given, one for each thread that converts the next boreholes
  // ahead (unless "--jobs 1"); none: one borehole after another.
  std::vector<Env*> ahead_envs;
};

// args excludes the program name; all texts are UTF-8.
int RunCommandLine(const std::vector<std::string>& args, Env& env, CliStreams& io);

}  // namespace s1ordo

#endif  // S1ORDO_APP_CLI_H_
