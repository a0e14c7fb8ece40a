// What a run did, borehole by borehole: the boreholes converted, without
// data, failed or not reached, the files each wrote, the lines each added to
// the pattern-data folder, what it bent, and why it failed. Each borehole's
// result is filled by its own work and the run keeps them in list order, so
// the report reads the same whatever order the work was done in. Texts are
// code page 932 until they are shown (SummaryText, ReportJson).
#ifndef S1ORDO_RUN_REPORT_H_
#define S1ORDO_RUN_REPORT_H_

#include <optional>
#include <string>
#include <vector>

#include "helpers/borehole_notes.h"

namespace s1ordo {

enum class BoreholeStatus {
  kConverted,
  kNoData,      // its "n1.txt" holds nothing: not converted
  kFailed,
  kUnfinished,  // the run was stopped while it was converted
  kNotReached,  // the run ended before it
};

// A warning or a failure as the user is to find it.
struct Finding {
  std::string borehole;  // "" for the run as a whole
  // The source file to look at, as found under the source folder
  // ("B-2/N1A.TXT", "/" between the parts); for a file outside the source
  // (a list of the pattern-data folder) its path; "" when there is none.
  std::string file;
  long line = 0;  // 0 when not known
  std::string text;
};

struct BoreholeResult {
  std::string name;
  BoreholeStatus status = BoreholeStatus::kNotReached;
  // Paths of the files written in its destination folder, in the order first
  // written (a dry run: would be written).
  std::vector<std::string> files_written;
  std::vector<Finding> warnings;
  // Warnings counted only, not kept (a run that keeps no warnings).
  size_t warnings_not_kept = 0;
  std::vector<AddedLine> additions;
  std::optional<Finding> failure;
  // Texts the run shows when it ends (code page 932): files the copy left
  // out, files of an earlier conversion left in the destination folder.
  std::vector<std::string> messages;
};

struct RunReport {
  std::string source;       // the source folder as the run checked it
  std::string destination;  // the destination folder as the run checked it
  bool dry_run = false;
  // The checks passed: the boreholes with data were chosen.
  bool reached_conversion = false;
  // The message of a check that ended the run before any conversion.
  std::string ended_by;
  // Of the run as a whole: borehole folders left out of the source listing,
  // the marker of vocabulary additions that could not be written.
  std::vector<Finding> run_warnings;
  // The selected boreholes in list order.
  std::vector<BoreholeResult> boreholes;
  // A failure of the run outside any borehole's conversion (folders that
  // overlap, the pattern data in use, a vocabulary file missing).
  std::optional<Finding> run_failure;

  int Count(BoreholeStatus status) const;
  // In borehole order; the run's own warnings and failure first.
  std::vector<AddedLine> Additions() const;
  std::vector<Finding> Warnings() const;
  // Of every warning, also those counted only.
  size_t WarningCount() const;
  std::vector<Finding> Failures() const;
};

// A check's findings: every failure and warning of the report, with the
// message of a check that ended the run first (an error), then the run's
// own warnings, then borehole by borehole its warnings and its failure.
struct CheckFinding {
  bool error;
  Finding finding;
};
std::vector<CheckFinding> CheckFindings(const RunReport& report);

enum class Language { kEnglish, kJapanese };

// The short summary after a run, UTF-8, one line each: boreholes converted,
// without data, failed (and not reached, unfinished); the lines added per
// file of the pattern-data folder; the number of warnings. Empty for a run
// that ended before its conversion.
std::vector<std::string> SummaryLines(const RunReport& report, Language language);

// What the summary counts, in full, UTF-8: every line added with its file,
// then every failure and every warning as FILE:LINE: TEXT.
std::string DetailsText(const RunReport& report, Language language);

// A finding in the form editors jump to, UTF-8:
// "B-2/CNT.TXT:1: error: TEXT" (kind "error" or "warning", or "" for none);
// the line is left out when not known, the file too (the borehole then
// stands there).
std::string CompilerLine(const Finding& finding, const char* kind);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_REPORT_H_
