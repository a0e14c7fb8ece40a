// The conversion run: what the Execute button does, and the command line's
// convert command.
#ifndef S1ORDO_RUN_RUN_H_
#define S1ORDO_RUN_RUN_H_

#include <string>

#include "helpers/stop_request.h"
#include "run/report.h"
#include "run/session.h"
#include "run/user_interface.h"

namespace s1ordo {

enum class RunOutcome {
  kCompleted,     // every selected borehole converted
  kEndedByCheck,  // a check of the paths or the selection ended the run
  kDeclined,      // the create-folder question was answered no
  kFailed,        // a failure during the conversion (shown to the user)
  kStopped,       // the user asked the run to stop (StopRequest)
};

struct RunOptions {
  // Read every code list and vocabulary file anew for each use instead of
  // once per run (for comparing the two ways).
  bool reread_files = false;
  // The whole conversion with every change held in memory (RunEnv over
  // ScratchFiles): nothing is written anywhere, not even the destination
  // folders, which are not asked for either; the pattern data is read under
  // its lock as a real run reads it.
  bool dry_run = false;
  // A failing borehole is reported and the run goes on with the next; the
  // outcome is then kFailed.
  bool keep_going = false;
  // The files of each destination borehole folder are deleted before its
  // copy (its sub-folders stay).
  bool clean = false;
  // Looked at between files and while waiting for another conversion.
  const StopRequest* stop = nullptr;
  // The next boreholes converted ahead of their turn on threads of their
  // own (one for each of session.ahead_envs) while the run writes the ones
  // before into place, with the same results as one borehole after
  // another. Without it (or without those Envs, or for a dry run): one
  // after another on this thread.
  bool convert_ahead = false;
  // Every warning kept in the report; false: only counted (bent data can
  // give a warning for every record of a large run).
  bool keep_warnings = true;
};

// In this order: checks the two path boxes and the borehole selection,
// chooses the selected boreholes whose "n1.txt" holds data, checks that the
// folders stay apart, creates missing destination folders after asking, and
// converts the chosen boreholes in list order. What it did goes to *report
// (when given), also when it fails or ends at a check.
RunOutcome RunConversion(const Session& session, UserInterface& ui, const RunOptions& options = {},
                         RunReport* report = nullptr);

// Why a source folder (ending with the separator) offers no borehole: it
// does not exist, is no folder, or (with listed) holds no borehole folder;
// "" when none of these. A folder that may not be listed throws Error.
std::string SourceFolderProblem(Env& env, const std::string& source_folder, bool listed = true);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_RUN_H_
