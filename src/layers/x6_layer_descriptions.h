// "X6.txt" from "N6.txt": layer descriptions with their key text from
// "L23.txt" and 20 pattern slots found through "L9.txt" and "L100.txt".
#ifndef S1ORDO_LAYERS_X6_LAYER_DESCRIPTIONS_H_
#define S1ORDO_LAYERS_X6_LAYER_DESCRIPTIONS_H_

#include <string>

#include "helpers/borehole_folder.h"
#include "layers/ridevi_ini.h"

namespace s1ordo {

// Writes one line per record of "N6.txt" while the records' levels ascend;
// the first record whose level is not above its predecessor's ends the
// output. A missing list, an "L9.txt" of fewer than 15 records, more than
// 1000 records in "N6.txt" or more than 100 in "L100.txt" throws Error.
// "L23.txt" and "L100.txt" are lists of the pattern-data folder (which ends
// with the separator), "L9.txt" of the list folder; without a list folder
// nothing is written.
void ConvertLayerDescriptions(const BoreholeFolder& borehole, const std::string& pattern_folder,
                              const ListFolderSetting& lists);

}  // namespace s1ordo

#endif  // S1ORDO_LAYERS_X6_LAYER_DESCRIPTIONS_H_
