// "X7.txt" from "N7.txt": depth intervals with up to ten categories of
// "L8.txt", each in a column pair of its own.
#ifndef S1ORDO_CONVERTERS_X7_CODED_INTERVALS_H_
#define S1ORDO_CONVERTERS_X7_CODED_INTERVALS_H_

#include "helpers/borehole_folder.h"
#include "layers/ridevi_ini.h"

namespace s1ordo {

// "L8.txt" is a list of the list folder; without a list folder nothing is
// written.
void ConvertCodedIntervals(const BoreholeFolder& borehole, const ListFolderSetting& lists);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_X7_CODED_INTERVALS_H_
