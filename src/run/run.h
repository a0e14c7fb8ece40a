// The conversion run: what the Execute button does, and the command line's
// convert command.
#ifndef S1ORDO_RUN_RUN_H_
#define S1ORDO_RUN_RUN_H_

#include "run/session.h"
#include "run/user_interface.h"

namespace s1ordo {

enum class RunOutcome {
  kCompleted,     // every selected borehole converted
  kEndedByCheck,  // a check of the paths or the selection ended the run
  kDeclined,      // the create-folder question was answered no
  kFailed,        // a failure during the conversion (shown to the user)
};

struct RunOptions {
  // Read every code list and vocabulary file anew for each use instead of
  // once per run (for comparing the two ways).
  bool reread_files = false;
};

// In this order: checks the two path boxes and the borehole selection,
// chooses the selected boreholes whose "n1.txt" holds data, checks that the
// folders stay apart, creates missing destination folders after asking, and
// converts the chosen boreholes in list order.
RunOutcome RunConversion(const Session& session, UserInterface& ui, const RunOptions& options = {});

}  // namespace s1ordo

#endif  // S1ORDO_RUN_RUN_H_
