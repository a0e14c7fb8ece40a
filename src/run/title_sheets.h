// The two title sheets "titl01.txt" (23 lines) and "titl02.txt" (41 lines)
// of a borehole, made from its title files "TITL1.TXT" and "TITL2.TXT" and
// the legend lists "L1.txt", "L2.txt" and "L3.txt".
#ifndef S1ORDO_RUN_TITLE_SHEETS_H_
#define S1ORDO_RUN_TITLE_SHEETS_H_

#include <string>

#include "run/context.h"

namespace s1ordo {

// Title files hold one item a line; lines after this many are ignored.
constexpr int kTitleLineLimit = 100;

// Writes both sheets in the work folder (which ends with the separator). A
// missing title file is created empty there and reads as empty lines.
// RecordFields is the scratch buffer of this step: each title file's lines
// are read into it (entries 1 to 41 cleared first), and it is left holding
// the 41 lines of "titl02.txt".
void WriteTitleSheets(Context& ctx, const std::string& work_folder);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_TITLE_SHEETS_H_
