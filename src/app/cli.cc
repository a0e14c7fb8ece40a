#include "app/cli.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "app/startup.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "run/context.h"
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

  std::string Text(TextBox box) override { return box == TextBox::kText2 ? source_ : destination_; }
  void FocusAndSelectAll(TextBox) override {}
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

void PrintError(CliStreams& io, const Error& e) {
  io.err << "s1ordo: " << DisplayText(e.cause());
  if (!e.file().empty()) io.err << ": " << DisplayText(e.file());
  io.err << "\n";
}

// The borehole folders of source, with a warning for each folder left out.
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

int Convert(const std::vector<std::string>& operands, bool all, bool yes, bool wait,
            const std::string& system_folder, Env& env, CliStreams& io) {
  if (operands.size() < 2) return Usage(io, "convert needs SOURCE and DEST");
  if (all && operands.size() > 2) return Usage(io, "give either BOREHOLE names or --all, not both");
  const char sep = Separator(env.form());
  std::string source = InputText(AbsoluteArgument(operands[0]));
  std::string destination = InputText(AbsoluteArgument(operands[1]));
  std::string source_folder = source;
  if (RightChars(source_folder, 1) != std::string(1, sep)) source_folder += sep;

  std::vector<std::string> boreholes;
  if (all) {
    try {
      boreholes = ListBoreholes(env, source_folder, io);
    } catch (const Error& e) {  // a source folder that may not be listed
      PrintError(io, e);
      return kExitFailed;
    }
  } else {
    for (size_t k = 2; k < operands.size(); ++k) {
      const std::string& arg = operands[k];
      std::string name = InputText(arg);
      bool has_separator = name.find('/') != std::string::npos || InCount(name, "\\") > 0;
      bool folder = false;
      if (!name.empty() && name != "." && name != ".." && !has_separator) {
        try {
          folder = env.IsFolder(source_folder + name);
        } catch (const Error& e) {  // a source folder that may not be read
          PrintError(io, e);
          return kExitFailed;
        }
      }
      if (!folder) {
        io.err << "s1ordo: \"" << arg << "\" is not a borehole folder directly under " << operands[0]
               << "; nothing was converted\n";
        return kExitUsage;
      }
      boreholes.push_back(name);
    }
  }

  Context ctx(env);
  ctx.SystemFolder = ChooseSystemFolder(env, system_folder.empty() ? "" : AbsoluteArgument(system_folder));
  if (!StartUp(ctx)) {
    io.err << DisplayText(NoRideviMessage()) << "\n";
    return kExitStartup;
  }

  TerminalUi ui(io, source, destination, boreholes, yes, wait);
  RunOutcome outcome = Command1_Click(ctx, ui);
  if (!ui.message_line().empty()) io.out << DisplayText(ui.message_line()) << "\n";
  switch (outcome) {
    case RunOutcome::kCompleted: return kExitOk;
    case RunOutcome::kEndedByCheck:
    case RunOutcome::kDeclined: return kExitEnded;
    case RunOutcome::kFailed: return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, Env& env, CliStreams& io) {
  try {
    if (args.empty()) return Usage(io, "no command given");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
      io.out << kUsage;
      return kExitOk;
    }
    if (args[0] == "--version") {
      io.out << "s1ordo " << S1ORDO_VERSION << "\n";
      return kExitOk;
    }
    const std::string command = args[0];
    if (command != "convert" && command != "list") return Usage(io, "unknown command: " + command);
    std::vector<std::string> operands;
    bool all = false, yes = false, wait = true;
    std::string system_folder;
    for (size_t i = 1; i < args.size(); ++i) {
      const std::string& a = args[i];
      if (a == "--all" && command == "convert") {
        all = true;
      } else if (a == "--yes" && command == "convert") {
        yes = true;
      } else if (a == "--no-wait" && command == "convert") {
        wait = false;
      } else if (a == "--system-folder" && command == "convert") {
        if (i + 1 >= args.size()) return Usage(io, "--system-folder needs a folder");
        system_folder = args[++i];
      } else if (a.rfind("--system-folder=", 0) == 0 && command == "convert") {
        system_folder = a.substr(16);
      } else if (a == "--") {
        operands.insert(operands.end(), args.begin() + static_cast<long>(i) + 1, args.end());
        break;
      } else if (a.size() > 1 && a[0] == '-' && a != "-") {
        return Usage(io, "unknown option: " + a);
      } else {
        operands.push_back(a);
      }
    }
    if (command == "list") return List(operands, env, io);
    return Convert(operands, all, yes, wait, system_folder, env, io);
  } catch (const Error& e) {
    PrintError(io, e);
    return kExitUsage;
  }
}

}  // namespace s1ordo
