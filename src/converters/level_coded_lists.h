// Hierarchical codes translated level by level through a code list:
// "X11.txt" from "N11.TXT" through "l10.txt" (hundreds, tens, units),
// "X3.txt" from "N3.TXT" and "R13.txt" from "N13.TXT" through "L4.txt"
// (three 2-digit levels of 6-character codes).
#ifndef S1ORDO_CONVERTERS_LEVEL_CODED_LISTS_H_
#define S1ORDO_CONVERTERS_LEVEL_CODED_LISTS_H_

#include "run/context.h"

namespace s1ordo {

void ConvertX11(Context& ctx);
void ConvertX3(Context& ctx);
void ConvertR13(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_LEVEL_CODED_LISTS_H_
