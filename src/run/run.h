// The conversion run: what the Execute button (Command1) does.
#ifndef S1ORDO_RUN_RUN_H_
#define S1ORDO_RUN_RUN_H_

#include "run/context.h"
#include "run/user_interface.h"

namespace s1ordo {

enum class RunOutcome {
  kCompleted,     // every selected borehole converted
  kEndedByCheck,  // a check of the paths or the selection ended the run
  kDeclined,      // the create-folder question was answered no
  kFailed,        // a failure during the conversion (shown to the user)
};

// Checks the two folder paths and the borehole selection, creates missing
// destination folders after asking, and converts every selected borehole.
RunOutcome Command1_Click(Context& ctx, UserInterface& ui);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_RUN_H_
