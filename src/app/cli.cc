// The command line: its arguments parsed, then the list or convert command
// carried out with the terminal in the window's place.
#include "app/cli.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "app/startup.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "run/run.h"

#ifndef S1ORDO_VERSION
#define S1ORDO_VERSION "0"
#endif

namespace s1ordo {
namespace {

const char kUsage[] =
    "Usage:\n"
    "  s1ordo convert SOURCE DEST [BOREHOLE ...] [--all] [--yes] [--no-wait] [--system-folder DIR]\n"
    "  s1ordo list SOURCE\n"
    "  s1ordo --help | --version\n"
    "\n"
    "convert  copies each borehole folder of SOURCE (the StravoS1 data folder) into a\n"
    "         folder of the same name under DEST and converts its files for Ordo.\n"
    "         BOREHOLE names sub-folders of SOURCE, converted in the order given;\n"
    "         --all takes every sub-folder of SOURCE, sorted by name.\n"
    "         --yes answers yes when a destination folder must be created (without it\n"
    "         the question is asked on a terminal, and answered no otherwise).\n"
    "         While another conversion uses the same RIDEVI folder the run waits\n"
    "         for it to end; --no-wait makes that a failure at once.\n"
    "         --system-folder DIR is the folder of the settings files DodavoZ5.ini\n"
    "         (line 2: the RIDEVI pattern-data folder) and Ridevi.ini (line 2: the\n"
    "         folder of L8.txt and L9.txt). Default: $S1ORDO_SYSTEM_FOLDER, else "
#ifdef _WIN32
    "the\n         Windows system folder.\n"
#else
    "/etc/s1ordo.\n"
#endif
    "list     prints the borehole folders of SOURCE, sorted by name.\n"
    "\n"
    "Exit codes: 0 converted; 1 a check ended the run or the answer was no;\n"
    "2 a failure during the conversion (a folder that may not be read, RIDEVI in use\n"
    "with --no-wait); 3 no RIDEVI setting; 64 usage.\n";

// The window's operations on the terminal.
class TerminalUi : public UserInterface {
 public:
  TerminalUi(CliStreams& io, std::string source, std::string destination, std::vector<std::string> boreholes,
             bool yes, bool wait)
      : io_(io), source_(std::move(source)), destination_(std::move(destination)), yes_(yes), wait_(wait) {
    for (auto& name : boreholes) list_.push_back({std::move(name), true});
  }

  std::string Text(PathBox box) override { return box == PathBox::kSource ? source_ : destination_; }
  void FocusAndSelectAll(PathBox) override {}
  int BoreholeCount() override { return static_cast<int>(list_.size()); }
  std::string BoreholeName(int i) override { return list_[i].name; }
  bool IsSelected(int i) override { return list_[i].selected; }
  void Deselect(int i) override { list_[i].selected = false; }
  void SetMessageLine(const std::string& text) override { message_line_ = text; }
  bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override {
    std::string line = DisplayText(OneLine(text));
    if (title != ApplicationTitle() && !title.empty()) line += " [" + DisplayText(title) + "]";
    io_.err << "s1ordo: " << line;
    if (kind != MessageKind::kQuestion) {
      io_.err << "\n";
      return true;
    }
    if (yes_) {
      io_.err << " yes\n";
      return true;
    }
    if (!io_.in_is_terminal) {
      io_.err << " no (no terminal to ask; --yes answers yes)\n";
      return false;
    }
    io_.err << " [y/N] " << std::flush;
    std::string answer;
    std::getline(io_.in, answer);
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
  }
  void SetBusy(bool) override {}
  void Repaint() override {}
  void Progress(int done, int total, const std::string& borehole) override {
    if (io_.err_is_terminal)
      io_.err << "[" << done << "/" << total << "] " << DisplayText(borehole) << "\n" << std::flush;
  }
  bool WaitForOtherConversion(const std::string& message) override {
    if (wait_) io_.err << "s1ordo: " << DisplayText(message) << "\n" << std::flush;
    return wait_;
  }

  const std::string& message_line() const { return message_line_; }

 private:
  static std::string OneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') continue;
      out += text[i] == '\n' ? std::string(" / ") : std::string(1, text[i]);
    }
    return out;
  }

  struct Entry {
    std::string name;
    bool selected;
  };
  CliStreams& io_;
  std::string source_, destination_;
  bool yes_;
  bool wait_;
  std::vector<Entry> list_;
  std::string message_line_;
};

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8(const std::filesystem::path& p) {
  std::u8string u8 = p.u8string();
  return std::string(reinterpret_cast<const char*>(u8.data()), u8.size());
}

// A path argument made absolute; a trailing separator the user typed stays.
std::string AbsoluteArgument(const std::string& arg) {
  if (arg.empty()) return arg;
  std::filesystem::path p = PathFromUtf8(arg);
  if (p.is_absolute()) return arg;
  std::error_code ec;
  std::filesystem::path base = std::filesystem::current_path(ec);
  std::string out = Utf8((base / p).lexically_normal());
  char last = arg.back();
  bool typed_separator = last == '/' || last == static_cast<char>(std::filesystem::path::preferred_separator);
  if (typed_separator && (out.empty() || out.back() != last)) out += last;
  if (!typed_separator && out.size() > 1 && (out.back() == '/' || out.back() == '\\')) out.pop_back();
  return out;
}

int Usage(CliStreams& io, const std::string& problem) {
  io.err << "s1ordo: " << problem << "\n\n" << kUsage;
  return kExitUsage;
}

// The command line taken apart; texts as given (UTF-8).
struct Arguments {
  std::string command;  // "help", "version", "list" or "convert"
  std::vector<std::string> operands;
  bool all = false;
  bool yes = false;
  bool wait = true;
  std::string system_folder;
};

// An option of the convert command at args[i] (moving i past its value);
// false with the problem when it is not one.
bool ParseConvertOption(const std::vector<std::string>& args, size_t& i, Arguments& parsed, std::string& problem) {
  const std::string& a = args[i];
  if (a == "--all") {
    parsed.all = true;
  } else if (a == "--yes") {
    parsed.yes = true;
  } else if (a == "--no-wait") {
    parsed.wait = false;
  } else if (a == "--system-folder") {
    if (i + 1 >= args.size()) {
      problem = "--system-folder needs a folder";
      return false;
    }
    parsed.system_folder = args[++i];
  } else if (a.rfind("--system-folder=", 0) == 0) {
    parsed.system_folder = a.substr(16);
  } else {
    problem = "unknown option: " + a;
    return false;
  }
  return true;
}

// Parses args; "" when they make a command, else the problem to show with
// the usage.
std::string ParseArguments(const std::vector<std::string>& args, Arguments& parsed) {
  if (args.empty()) return "no command given";
  const std::string& first = args[0];
  if (first == "--help" || first == "-h" || first == "help") {
    parsed.command = "help";
    return "";
  }
  if (first == "--version") {
    parsed.command = "version";
    return "";
  }
  if (first != "convert" && first != "list") return "unknown command: " + first;
  parsed.command = first;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string problem;
    if (a == "--") {
      parsed.operands.insert(parsed.operands.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    }
    if (a.size() <= 1 || a[0] != '-') {
      parsed.operands.push_back(a);
    } else if (first != "convert" || !ParseConvertOption(args, i, parsed, problem)) {
      return problem.empty() ? "unknown option: " + a : problem;
    }
  }
  return "";
}

void PrintError(CliStreams& io, const Error& e) {
  io.err << "s1ordo: " << DisplayText(e.cause());
  if (!e.file().empty()) io.err << ": " << DisplayText(e.file());
  io.err << "\n";
}

// The borehole folders of source, with a warning for each folder left out;
// a folder that may not be listed throws.
std::vector<std::string> ListBoreholes(Env& env, const std::string& source, CliStreams& io) {
  std::vector<std::string> left_out;
  std::vector<std::string> names = env.ListSubfolders(source, &left_out);
  for (const std::string& warning : left_out) io.err << "s1ordo: " << DisplayText(warning) << "\n";
  return names;
}

int List(const std::vector<std::string>& operands, Env& env, CliStreams& io) {
  if (operands.size() != 1) return Usage(io, "list takes one SOURCE folder");
  std::string source = InputText(AbsoluteArgument(operands[0]));
  try {
    if (!env.IsFolder(source)) {
      io.err << "s1ordo: not a folder: " << operands[0] << "\n";
      return kExitEnded;
    }
    for (const std::string& name : ListBoreholes(env, source, io)) io.out << DisplayText(name) << "\n";
  } catch (const Error& e) {  // a folder that may not be read
    PrintError(io, e);
    return kExitFailed;
  }
  return kExitOk;
}

// The boreholes named on the command line (or all of them), each checked to
// be a folder directly under source_folder. kExitOk, or after the message
// kExitUsage when one is not and kExitFailed when a folder may not be read.
int ChooseBoreholes(const Arguments& a, Env& env, CliStreams& io, const std::string& source_folder,
                    std::vector<std::string>& boreholes) {
  std::vector<std::string> names;  // a name code page 932 cannot hold throws: wrong usage
  for (size_t k = 2; k < a.operands.size(); ++k) names.push_back(InputText(a.operands[k]));
  try {
    if (a.all) {
      boreholes = ListBoreholes(env, source_folder, io);
      return kExitOk;
    }
    for (size_t k = 0; k < names.size(); ++k) {
      const std::string& name = names[k];
      bool has_separator = name.find('/') != std::string::npos || InCount(name, "\\") > 0;
      if (name.empty() || name == "." || name == ".." || has_separator || !env.IsFolder(source_folder + name)) {
        io.err << "s1ordo: \"" << a.operands[k + 2] << "\" is not a borehole folder directly under "
               << a.operands[0] << "; nothing was converted\n";
        return kExitUsage;
      }
      boreholes.push_back(name);
    }
  } catch (const Error& e) {
    PrintError(io, e);
    return kExitFailed;
  }
  return kExitOk;
}

int ExitCode(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kCompleted: return kExitOk;
    case RunOutcome::kEndedByCheck:
    case RunOutcome::kDeclined: return kExitEnded;
    case RunOutcome::kFailed: return kExitFailed;
  }
  return kExitFailed;
}

int Convert(const Arguments& a, Env& env, CliStreams& io) {
  if (a.operands.size() < 2) return Usage(io, "convert needs SOURCE and DEST");
  if (a.all && a.operands.size() > 2) return Usage(io, "give either BOREHOLE names or --all, not both");
  const char sep = Separator(env.form());
  std::string source = InputText(AbsoluteArgument(a.operands[0]));
  std::string destination = InputText(AbsoluteArgument(a.operands[1]));
  std::string source_folder = source;
  if (RightChars(source_folder, 1) != std::string(1, sep)) source_folder += sep;
  std::vector<std::string> boreholes;
  if (int code = ChooseBoreholes(a, env, io, source_folder, boreholes); code != kExitOk) return code;

  Session session(env);
  session.settings.system_folder =
      ChooseSystemFolder(env, a.system_folder.empty() ? "" : AbsoluteArgument(a.system_folder));
  if (!StartUp(session)) {
    io.err << DisplayText(NoRideviMessage()) << "\n";
    if (std::string why = RideviSettingProblem(env, session.settings.system_folder); !why.empty())
      io.err << DisplayText(why) << "\n";
    return kExitStartup;
  }

  TerminalUi ui(io, source, destination, boreholes, a.yes, a.wait);
  RunOutcome outcome = RunConversion(session, ui);
  if (!ui.message_line().empty()) io.out << DisplayText(ui.message_line()) << "\n";
  return ExitCode(outcome);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, Env& env, CliStreams& io) {
  try {
    Arguments parsed;
    if (std::string problem = ParseArguments(args, parsed); !problem.empty()) return Usage(io, problem);
    if (parsed.command == "help") {
      io.out << kUsage;
      return kExitOk;
    }
    if (parsed.command == "version") {
      io.out << "s1ordo " << S1ORDO_VERSION << "\n";
      return kExitOk;
    }
    if (parsed.command == "list") return List(parsed.operands, env, io);
    return Convert(parsed, env, io);
  } catch (const Error& e) {
    PrintError(io, e);
    return kExitUsage;
  }
}

}  // namespace s1ordo
