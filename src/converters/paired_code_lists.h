// Two codes per record, each translated through a code list:
// "R30.txt" ... "R35.txt" from "G30" ... "G35", "R72.txt" from "G72.TXT".
#ifndef S1ORDO_CONVERTERS_PAIRED_CODE_LISTS_H_
#define S1ORDO_CONVERTERS_PAIRED_CODE_LISTS_H_

#include "run/context.h"

namespace s1ordo {

void ConvertR30ToR35(Context& ctx);
void ConvertR72(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_PAIRED_CODE_LISTS_H_
