// Hierarchical codes translated level by level through a code list:
// "X11.txt" from "N11.TXT" through "l10.txt" (hundreds, tens, units),
// "X3.txt" from "N3.TXT" and "R13.txt" from "N13.TXT" through "L4.txt"
// (three 2-digit levels of 6-character codes). Each level's name is the
// name of the last list entry with that code; the names of a code's levels
// are joined in level order, and a level without a name adds nothing.
#ifndef S1ORDO_CONVERTERS_LEVEL_CODED_LISTS_H_
#define S1ORDO_CONVERTERS_LEVEL_CODED_LISTS_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "converters/code_list.h"
#include "converters/record_converter.h"
#include "helpers/borehole_folder.h"

namespace s1ordo {

void ConvertX11(const BoreholeFolder& borehole, CodeLists& lists);
void ConvertX3(const BoreholeFolder& borehole, CodeLists& lists);
void ConvertR13(const BoreholeFolder& borehole, CodeLists& lists);

// The levels of an "N11.TXT" code: hundreds, tens, units. 123 gives 100,
// 120, 123; 105 gives 100, 0, 105; 45 gives 0, 40, 45 (0 is no level).
// Throws Error when a level does not fit 16 bits.
std::array<int16_t, 3> HundredsTensUnits(double code);
// The levels of a 6-character code: the numbers of its character pairs 1-2,
// 3-4 and 5-6 ("010203" gives 1, 2, 3; blanks give 0).
std::array<int16_t, 3> TwoDigitLevels(std::string_view padded_code);
// The names of the levels joined in level order; a level code the list
// lacks is warned about at *at (when given).
std::string JoinedLevelNames(CodeList& list, const std::array<int16_t, 3>& level, const RecordSite* at = nullptr);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_LEVEL_CODED_LISTS_H_
