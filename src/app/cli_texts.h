// The command line's own texts, in English and in Japanese: the help of
// each command and the messages of the command line itself (usage errors,
// answers, the end of an interrupted run). The run's own messages are the
// run's, in Japanese whatever the locale. All texts are UTF-8.
#ifndef S1ORDO_APP_CLI_TEXTS_H_
#define S1ORDO_APP_CLI_TEXTS_H_

#include <string>

namespace s1ordo {

enum class CliText {
  kNoCommand,
  kUnknownCommand,  // + the command
  kUnknownOption,   // + the option
  kNeedsFolder,     // + the option: "--system-folder needs a folder"
  kNeedsReport,
  kNeedsFormat,
  kNeedsJobs,
  kConvertOperands,
  kCheckOperands,
  kListOperands,
  kNamesOrAll,
  kSeeHelp,              // + the command ("" for the whole program)
  kNotABorehole,         // the name, the source: two parts
  kNotAFolder,           // + the folder
  kAnswerYes,            // " yes"
  kAnswerNo,             // " no (no terminal to ask; ...)"
  kQuestionPrompt,       // " [y/N/a] "
  kInterrupted,
  kLeftUnfinished,       // + the borehole
  kReportNotWritten,     // + the file
  kWarningsHint,         // where the warnings are listed
};

// The text of id in the language; `a` and `b` fill its parts ("%1",
// "%2").
std::string Text(CliText id, bool japanese, const std::string& a = "", const std::string& b = "");

// "2 errors, 1 warning": the counts of a check's findings.
std::string FindingsLine(int errors, int warnings, bool japanese);

// The help of a command ("convert", "check", "list"), or of the whole
// program for "".
std::string HelpText(const std::string& command, bool japanese);

}  // namespace s1ordo

#endif  // S1ORDO_APP_CLI_TEXTS_H_
