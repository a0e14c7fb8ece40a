// The two title sheets "titl01.txt" (23 lines) and "titl02.txt" (41 lines)
// of a borehole, made from its title files "TITL1.TXT" and "TITL2.TXT" and
// the legend lists "L1.txt", "L2.txt" and "L3.txt".
#ifndef S1ORDO_RUN_TITLE_SHEETS_H_
#define S1ORDO_RUN_TITLE_SHEETS_H_

#include <array>
#include <string>

#include "helpers/borehole_folder.h"
#include "run/legend_lists.h"

namespace s1ordo {

// Title files hold one item a line; lines after this many are not read.
constexpr int kTitleLineLimit = 100;

// Lines 1 .. 28 of a title file without trailing blanks (index 0 unused);
// later lines are not used. A missing line is empty.
using TitleLines = std::array<std::string, 29>;

struct TitleFiles {
  TitleLines titl1;  // "TITL1.TXT"
  TitleLines titl2;  // "TITL2.TXT"
};

// Reads both title files of the work folder. A missing one is created
// empty there and, like an empty one, reads as empty lines.
TitleFiles ReadTitleFiles(const BoreholeFolder& borehole);

// Writes both sheets in the work folder. Three title items go through the
// legend lists: forward to their names, and those names back to the lists'
// codes, which appends the names a list lacks.
void WriteTitleSheets(const BoreholeFolder& borehole, const TitleFiles& titles, LegendLists& legends);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_TITLE_SHEETS_H_
