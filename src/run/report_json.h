// The run's report and a check's findings as JSON (UTF-8), for programs
// that read them.
#ifndef S1ORDO_RUN_REPORT_JSON_H_
#define S1ORDO_RUN_REPORT_JSON_H_

#include <string>

#include "run/report.h"

namespace s1ordo {

// One object:
//   {"version": VERSION, "source": ..., "destination": ..., "dry_run": false,
//    "exit": EXIT, "ended_by": null | "message of the check that ended the run",
//    "boreholes": [{"name": ..., "status": "converted" | "no data" | "failed"
//                   | "unfinished" | "not reached", "files_written": 52}],
//    "additions": [{"file": "KISHITU.TXT", "line": ...}],
//    "warnings": [{"borehole": ..., "file": ..., "line": 3 | null, "text": ...}],
//    "failure": null | {"borehole": ..., "file": ..., "line": 3 | null, "cause": ...},
//    "failures": [the failure of every borehole that failed, same form]}
// "failure" is the first failure; with --keep-going "failures" holds them
// all. Ends with a line end.
std::string ReportJson(const RunReport& report, const std::string& version, int exit_code);

// A check's findings in borehole order, each an error (a failure) or a
// warning: [{"severity": "error" | "warning", "borehole": ..., "file": ...,
// "line": 3 | null, "text": ...}, ...]; the message of a check that ended
// the run comes first, as an error. Ends with a line end.
std::string FindingsJson(const RunReport& report);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_REPORT_JSON_H_
