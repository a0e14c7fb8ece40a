// "X4.txt" from the rewritten "N4.TXT": inclusion names and their codes in
// the target system's admixture vocabulary.
#ifndef S1ORDO_CONVERTERS_X4_INCLUSIONS_H_
#define S1ORDO_CONVERTERS_X4_INCLUSIONS_H_

#include "helpers/borehole_folder.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {

// The names come from soil through the borehole's scan, their codes from
// the "KONNYU.TXT" entries loaded at start-up.
void ConvertX4(const BoreholeFolder& borehole, const SoilTables& soil, SoilTermScan& scan,
               const GeologyVocabulary& vocabulary);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_X4_INCLUSIONS_H_
