// The command line: its arguments parsed, then the list, check or convert
// command carried out with the terminal in the window's place, and what the
// run reports shown.
#include "app/cli.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/cli_texts.h"
#include "app/startup.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "run/report_json.h"
#include "run/run.h"

#ifndef S1ORDO_VERSION
#define S1ORDO_VERSION "0"
#endif

namespace s1ordo {
namespace {

// The window's operations on the terminal. Quiet (for check), the run's
// messages are not shown: the findings say it all.
class TerminalUi : public UserInterface {
 public:
  TerminalUi(CliStreams& io, std::string source, std::string destination, const std::vector<std::string>& boreholes,
             bool yes, bool wait, bool quiet)
      : io_(io), source_(std::move(source)), destination_(std::move(destination)), yes_(yes), wait_(wait),
        quiet_(quiet) {
    for (const auto& name : boreholes) list_.push_back({name, true});
  }

  std::string Text(PathBox box) override { return box == PathBox::kSource ? source_ : destination_; }
  void FocusAndSelectAll(PathBox) override {}
  int BoreholeCount() override { return static_cast<int>(list_.size()); }
  std::string BoreholeName(int i) override { return list_[i].name; }
  bool IsSelected(int i) override { return list_[i].selected; }
  void Deselect(int i) override { list_[i].selected = false; }
  void SetMessageLine(const std::string& text) override { message_line_ = text; }
  bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override;
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
  bool Ask();

  struct Entry {
    std::string name;
    bool selected;
  };
  CliStreams& io_;
  std::string source_, destination_;
  bool yes_;
  bool wait_;
  bool quiet_;
  std::vector<Entry> list_;
  std::string message_line_;
};

bool TerminalUi::ShowMessage(const std::string& text, MessageKind kind, const std::string& title) {
  if (quiet_) return true;
  std::string line = DisplayText(OneLine(text));
  if (title != ApplicationTitle() && !title.empty()) line += " [" + DisplayText(title) + "]";
  io_.err << "s1ordo: " << line;
  if (kind != MessageKind::kQuestion) {
    io_.err << "\n";
    return true;
  }
  return Ask();
}

// The answer to the create-folder question: yes, no, or "a", yes for this
// and every question after it.
bool TerminalUi::Ask() {
  if (yes_) {
    io_.err << s1ordo::Text(CliText::kAnswerYes, io_.japanese) << "\n";
    return true;
  }
  if (!io_.in_is_terminal) {
    io_.err << s1ordo::Text(CliText::kAnswerNo, io_.japanese) << "\n";
    return false;
  }
  io_.err << s1ordo::Text(CliText::kQuestionPrompt, io_.japanese) << std::flush;
  std::string answer;
  if (io_.read_answer ? !io_.read_answer(answer) : !std::getline(io_.in, answer)) {
    answer.clear();
    if (io_.stop && io_.stop->asked()) io_.err << "\n";  // Ctrl-C at the prompt
  }
  const char first = answer.empty() ? '\0' : answer[0];
  if (first == 'a' || first == 'A') yes_ = true;
  return yes_ || first == 'y' || first == 'Y';
}

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8(const std::filesystem::path& p) {
  std::u8string u8 = p.u8string();
  return std::string(reinterpret_cast<const char*>(u8.data()), u8.size());
}

bool IsSeparator(char c) { return c == '/' || c == static_cast<char>(std::filesystem::path::preferred_separator); }

// A path argument made absolute, without the separators typed at its end
// (as shell completion gives a folder), a root aside.
std::string PathArgument(const std::string& arg) {
  if (arg.empty()) return arg;
  std::filesystem::path p = PathFromUtf8(arg);
  std::string out = arg;
  if (!p.is_absolute()) {
    std::error_code ec;
    out = Utf8((std::filesystem::current_path(ec) / p).lexically_normal());
  }
  const size_t root = Utf8(PathFromUtf8(out).root_path()).size();
  while (out.size() > std::max<size_t>(root, 1) && IsSeparator(out.back())) out.pop_back();
  return out;
}

int Usage(CliStreams& io, const std::string& problem, const std::string& command = "") {
  io.err << "s1ordo: " << problem << "\n"
         << Text(CliText::kSeeHelp, io.japanese, command.empty() ? "" : command + " ") << "\n";
  return kExitUsage;
}

// The command line taken apart; texts as given (UTF-8).
struct Arguments {
  std::string command;  // "help", "version", "list", "check" or "convert"
  std::string help_of;  // with "help": the command, "" for the program
  std::vector<std::string> operands;
  bool all = false;
  bool yes = false;
  bool wait = true;
  bool dry_run = false;
  bool keep_going = false;
  bool clean = false;
  std::string system_folder;
  std::string report;  // "" for none, "-" for standard output
  std::string format = "text";
  unsigned long jobs = 2;  // 1: one borehole after another on one thread
};

// The value of the option at args[i] ("--name VALUE" or "--name=VALUE"),
// moving i past it; false when it is not that option.
bool OptionValue(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value,
                 bool& missing) {
  const std::string& a = args[i];
  if (a.rfind(name + "=", 0) == 0) {
    value = a.substr(name.size() + 1);
  } else if (a == name) {
    missing = i + 1 >= args.size();
    if (!missing) value = args[++i];
  } else {
    return false;
  }
  missing = missing || value.empty();
  return true;
}

// An option of the command at args[i] (moving i past its value); false with
// the problem when it is not one of the command's.
bool ParseOption(const std::vector<std::string>& args, size_t& i, Arguments& parsed, std::string& problem,
                 bool japanese) {
  const std::string& a = args[i];
  const bool convert = parsed.command == "convert", check = parsed.command == "check";
  if (!convert && !check) {
    problem = Text(CliText::kUnknownOption, japanese, a);
    return false;
  }
  bool missing = false;
  const std::pair<const char*, bool*> flags[] = {{"--all", &parsed.all},        {"--yes", &parsed.yes},
                                                 {"--dry-run", &parsed.dry_run}, {"--keep-going", &parsed.keep_going},
                                                 {"--clean", &parsed.clean}};
  for (const auto& [name, flag] : flags) {
    if (a != name || (check && a != "--all")) continue;
    *flag = true;
    return true;
  }
  if (a == "--no-wait") {
    parsed.wait = false;
  } else if (OptionValue(args, i, "--system-folder", parsed.system_folder, missing)) {
    if (missing) problem = Text(CliText::kNeedsFolder, japanese, "--system-folder");
  } else if (convert && OptionValue(args, i, "--report", parsed.report, missing)) {
    if (missing) problem = Text(CliText::kNeedsReport, japanese);
  } else if (std::string jobs; convert && OptionValue(args, i, "--jobs", jobs, missing)) {
    const bool number = !missing && jobs.find_first_not_of("0123456789") == std::string::npos;
    const std::string digits = jobs.substr(std::min(jobs.find_first_not_of('0'), jobs.size()));  // no leading 0
    parsed.jobs = !number || digits.empty() ? 0 : digits == "1" ? 1 : 2;
    if (parsed.jobs == 0) problem = Text(CliText::kNeedsJobs, japanese);
  } else if (check && OptionValue(args, i, "--format", parsed.format, missing)) {
    if (missing || (parsed.format != "text" && parsed.format != "json")) problem = Text(CliText::kNeedsFormat, japanese);
  } else {
    problem = Text(CliText::kUnknownOption, japanese, a);
  }
  return problem.empty();
}

// "--help", "-h", "help [COMMAND]", "--version"; false when the first
// argument is none of them.
bool ParseHelp(const std::vector<std::string>& args, Arguments& parsed) {
  const std::string& first = args[0];
  if (first == "--help" || first == "-h" || first == "help") {
    parsed.command = "help";
    if (first == "help" && args.size() > 1) parsed.help_of = args[1];
    return true;
  }
  if (first == "--version") {
    parsed.command = "version";
    return true;
  }
  return false;
}

// Parses args; "" when they make a command, else the problem to show.
std::string ParseArguments(const std::vector<std::string>& args, Arguments& parsed, bool japanese) {
  if (args.empty()) return Text(CliText::kNoCommand, japanese);
  if (ParseHelp(args, parsed)) return "";
  const std::string& first = args[0];
  if (first != "convert" && first != "list" && first != "check") return Text(CliText::kUnknownCommand, japanese, first);
  parsed.command = first;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string problem;
    if (a == "--") {
      parsed.operands.insert(parsed.operands.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    }
    if (a == "--help" || a == "-h") {
      parsed.help_of = parsed.command;
      parsed.command = "help";
      return "";
    }
    if (a.size() <= 1 || a[0] != '-') {
      parsed.operands.push_back(a);
    } else if (!ParseOption(args, i, parsed, problem, japanese)) {
      return problem;
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
  if (operands.size() != 1) return Usage(io, Text(CliText::kListOperands, io.japanese), "list");
  std::string source = InputText(PathArgument(operands[0]));
  try {
    if (!env.IsFolder(source)) {
      io.err << "s1ordo: " << Text(CliText::kNotAFolder, io.japanese, operands[0]) << "\n";
      return kExitEnded;
    }
    for (const std::string& name : ListBoreholes(env, source, io)) io.out << DisplayText(name) << "\n";
  } catch (const Error& e) {  // a folder that may not be read
    PrintError(io, e);
    return kExitFailed;
  }
  return kExitOk;
}

// The source folder and the boreholes of a command: the operands from
// `first` on (or, with all, every sub-folder), each checked to be a folder
// directly under the source.
struct Selection {
  std::string source;         // as the run gets it, without a final separator
  std::string source_folder;  // with it
  std::vector<std::string> boreholes;
  std::string problem;  // what is wrong with the source folder ("" when fine)
};

// kExitOk, or after the message kExitUsage when a name is not a borehole
// folder (also when the source folder itself is missing) and kExitFailed
// when a folder may not be read. With all, a source folder that does not
// exist or holds no borehole is left in problem.
int ChooseBoreholes(const Arguments& a, Env& env, CliStreams& io, size_t first, bool all, Selection& s) {
  s.source = InputText(PathArgument(a.operands[0]));
  s.source_folder = s.source;
  if (RightChars(s.source_folder, 1) != std::string(1, Separator(env.form()))) s.source_folder += Separator(env.form());
  std::vector<std::string> names;  // a name code page 932 cannot hold throws: wrong usage
  for (size_t k = first; k < a.operands.size(); ++k) names.push_back(InputText(a.operands[k]));
  try {
    if (!(s.problem = SourceFolderProblem(env, s.source_folder, all)).empty()) {
      if (all) return kExitOk;
      io.err << "s1ordo: " << DisplayText(s.problem) << "\n";  // the names cannot be boreholes of it
      return kExitUsage;
    }
    if (all) {
      s.boreholes = ListBoreholes(env, s.source_folder, io);
      return kExitOk;
    }
    for (size_t k = 0; k < names.size(); ++k) {
      const std::string& name = names[k];
      bool has_separator = name.find('/') != std::string::npos || InCount(name, "\\") > 0;
      if (name.empty() || name == "." || name == ".." || has_separator || !env.IsFolder(s.source_folder + name)) {
        io.err << "s1ordo: " << Text(CliText::kNotABorehole, io.japanese, a.operands[k + first], a.operands[0]) << "\n";
        return kExitUsage;
      }
      s.boreholes.push_back(name);
    }
  } catch (const Error& e) {
    PrintError(io, e);
    return kExitFailed;
  }
  return kExitOk;
}

// The settings of the session; kExitStartup after the message when there
// is no pattern-data folder.
int StartSession(const Arguments& a, Session& session, CliStreams& io) {
  session.settings.system_folder =
      ChooseSystemFolder(session.env, a.system_folder.empty() ? "" : PathArgument(a.system_folder));
  if (StartUp(session)) return kExitOk;
  io.err << DisplayText(NoRideviMessage()) << "\n";
  if (std::string why = RideviSettingProblem(session.env, session.settings.system_folder); !why.empty())
    io.err << DisplayText(why) << "\n";
  return kExitStartup;
}

int ExitCode(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kCompleted: return kExitOk;
    case RunOutcome::kEndedByCheck:
    case RunOutcome::kDeclined: return kExitEnded;
    case RunOutcome::kFailed: return kExitFailed;
    case RunOutcome::kStopped: return kExitInterrupted;
  }
  return kExitFailed;
}

void PrintStopped(CliStreams& io, const RunReport& report) {
  std::string text = Text(CliText::kInterrupted, io.japanese);
  for (const BoreholeResult& b : report.boreholes)
    if (b.status == BoreholeStatus::kUnfinished) text = Text(CliText::kLeftUnfinished, io.japanese, DisplayText(b.name));
  io.err << "s1ordo: " << text << "\n";
}

// What a dry run would write (under DEST) and add (to the pattern data).
void PrintDryRun(std::ostream& out, const RunReport& report) {
  for (const BoreholeResult& b : report.boreholes)
    for (const std::string& file : b.files_written) out << DisplayText(file) << "\n";
  for (const AddedLine& added : report.Additions())
    out << "+ " << DisplayText(added.file) << ": " << DisplayText(added.line) << "\n";
}

// Writes the report; the exit code, kExitFailed in the place of kExitOk when
// it cannot be written.
int WriteReport(const Arguments& a, CliStreams& io, const RunReport& report, int code) {
  const std::string json = ReportJson(report, S1ORDO_VERSION, code);
  if (a.report == "-") {
    io.out << json << std::flush;
    return code;
  }
  std::ofstream file(PathFromUtf8(PathArgument(a.report)), std::ios::binary | std::ios::trunc);
  file << json;
  file.close();
  if (file) return code;
  io.err << "s1ordo: " << Text(CliText::kReportNotWritten, io.japanese, a.report) << "\n";
  return code == kExitOk ? kExitFailed : code;
}

// What the command line shows once a convert run has ended.
int Finish(const Arguments& a, CliStreams& io, const TerminalUi& ui, RunReport& report, RunOutcome outcome) {
  std::ostream& out = a.report == "-" ? io.err : io.out;  // "-": standard output holds the report only
  if (a.dry_run) PrintDryRun(out, report);
  if (!ui.message_line().empty()) out << DisplayText(ui.message_line()) << "\n";
  if (outcome == RunOutcome::kStopped) PrintStopped(io, report);
  for (const std::string& line : SummaryLines(report, io.japanese ? Language::kJapanese : Language::kEnglish))
    io.err << "s1ordo: " << line << "\n";
  if (a.report.empty() && report.reached_conversion && report.WarningCount() > 0)
    io.err << "s1ordo: " << Text(CliText::kWarningsHint, io.japanese) << "\n";
  const int code = ExitCode(outcome);
  return a.report.empty() ? code : WriteReport(a, io, report, code);
}

int Convert(const Arguments& a, Env& env, CliStreams& io) {
  if (a.operands.size() < 2) return Usage(io, Text(CliText::kConvertOperands, io.japanese), "convert");
  if (a.all && a.operands.size() > 2) return Usage(io, Text(CliText::kNamesOrAll, io.japanese), "convert");
  const std::string destination = InputText(PathArgument(a.operands[1]));
  Selection s;
  if (int code = ChooseBoreholes(a, env, io, 2, a.all, s); code != kExitOk) return code;
  RunReport report;
  report.source = s.source;
  report.destination = destination;
  if (!s.problem.empty()) {
    io.err << "s1ordo: " << DisplayText(s.problem) << "\n";
    report.ended_by = s.problem;
    return a.report.empty() ? kExitEnded : WriteReport(a, io, report, kExitEnded);
  }
  Session session(env);
  session.ahead_envs = io.ahead_envs;
  if (int code = StartSession(a, session, io); code != kExitOk) {
    report.ended_by = NoRideviMessage();
    return a.report.empty() ? code : WriteReport(a, io, report, code);
  }
  TerminalUi ui(io, s.source, destination, s.boreholes, a.yes, a.wait, false);
  RunOptions options{false, a.dry_run, a.keep_going, a.clean, io.stop, a.jobs != 1};
  options.keep_warnings = !a.report.empty();  // else only their number is shown
  const RunOutcome outcome = RunConversion(session, ui, options, &report);
  if (report.source.empty()) report.source = s.source;
  if (report.destination.empty()) report.destination = destination;
  return Finish(a, io, ui, report, outcome);
}

// A folder of the system's temporary folder that does not exist: the
// destination of a check, held in memory only.
std::string CheckDestination(Env& env) {
  std::error_code ec;
  std::string base = InputText(Utf8(std::filesystem::temp_directory_path(ec)));
  while (base.size() > 1 && IsSeparator(base.back())) base.pop_back();
  std::string folder = base + Separator(env.form()) + "s1ordo-check";
  for (int n = 2; env.Exists(folder); ++n) folder = base + Separator(env.form()) + "s1ordo-check-" + std::to_string(n);
  return folder;
}

// The findings of a check and their counts on standard output; kExitOk
// when none is an error.
int PrintFindings(const Arguments& a, CliStreams& io, const RunReport& report) {
  const std::vector<CheckFinding> findings = CheckFindings(report);
  int errors = 0;
  for (const CheckFinding& f : findings) errors += f.error;
  if (a.format == "json") {
    io.out << FindingsJson(report);
  } else {
    for (const CheckFinding& f : findings) io.out << CompilerLine(f.finding, f.error ? "error" : "warning") << "\n";
    io.out << FindingsLine(errors, static_cast<int>(findings.size()) - errors, io.japanese) << "\n";
  }
  return errors > 0 ? kExitFailed : kExitOk;
}

int Check(const Arguments& a, Env& env, CliStreams& io) {
  if (a.operands.empty()) return Usage(io, Text(CliText::kCheckOperands, io.japanese), "check");
  if (a.all && a.operands.size() > 1) return Usage(io, Text(CliText::kNamesOrAll, io.japanese), "check");
  const bool all = a.all || a.operands.size() == 1;  // no name: every borehole
  Selection s;
  if (int code = ChooseBoreholes(a, env, io, 1, all, s); code != kExitOk) return code;
  RunReport report;
  if (!s.problem.empty()) {
    report.ended_by = s.problem;
    return PrintFindings(a, io, report);
  }
  Session session(env);
  if (int code = StartSession(a, session, io); code != kExitOk) return code;
  TerminalUi ui(io, s.source, CheckDestination(env), s.boreholes, true, a.wait, true);
  const RunOptions options{false, true, true, false, io.stop};
  const RunOutcome outcome = RunConversion(session, ui, options, &report);
  const int code = PrintFindings(a, io, report);
  if (outcome != RunOutcome::kStopped) return code;
  PrintStopped(io, report);
  return kExitInterrupted;
}

int Help(const Arguments& a, CliStreams& io) {
  const std::string& of = a.help_of;
  if (!of.empty() && of != "convert" && of != "check" && of != "list")
    return Usage(io, Text(CliText::kUnknownCommand, io.japanese, of));
  io.out << HelpText(of, io.japanese);
  return kExitOk;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, Env& env, CliStreams& io) {
  Arguments parsed;
  try {
    if (std::string problem = ParseArguments(args, parsed, io.japanese); !problem.empty())
      return Usage(io, problem, parsed.command);
    if (parsed.command == "help") return Help(parsed, io);
    if (parsed.command == "version") {
      io.out << "s1ordo " << S1ORDO_VERSION << "\n";
      return kExitOk;
    }
    if (parsed.command == "list") return List(parsed.operands, env, io);
    if (parsed.command == "check") return Check(parsed, env, io);
    return Convert(parsed, env, io);
  } catch (const Error& e) {
    PrintError(io, e);
    return kExitUsage;
  }
}

}  // namespace s1ordo
