// Two codes per record, each translated through a code list:
// "R30.txt" ... "R35.txt" from "G30" ... "G35" (both codes through the one
// list of the file, last entry of a code wins), "R72.txt" from "G72.TXT"
// (first code through "L18.txt", second through "L18b.txt", first entry of
// a code wins, names cut to 3 bytes).
#ifndef S1ORDO_CONVERTERS_PAIRED_CODE_LISTS_H_
#define S1ORDO_CONVERTERS_PAIRED_CODE_LISTS_H_

#include "converters/code_list.h"
#include "helpers/borehole_folder.h"

namespace s1ordo {

void ConvertR30ToR35(const BoreholeFolder& borehole, CodeLists& lists);
void ConvertR72(const BoreholeFolder& borehole, CodeLists& lists);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_PAIRED_CODE_LISTS_H_
