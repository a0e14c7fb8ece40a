// The two title sheets "titl01.txt" and "titl02.txt" of a borehole, made
// from its title files "TITL1.TXT" and "TITL2.TXT".
#ifndef S1ORDO_RUN_TITLE_SHEETS_H_
#define S1ORDO_RUN_TITLE_SHEETS_H_

#include <string>

#include "run/context.h"

namespace s1ordo {

// work_folder ends with the separator.
void WriteTitleSheets(Context& ctx, const std::string& work_folder);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_TITLE_SHEETS_H_
