// "X1.txt" from "N1A.TXT": each layer's soil name composed from the codes
// of one of three soil classification systems, with its geology code.
#ifndef S1ORDO_CONVERTERS_X1_SOIL_NAMES_H_
#define S1ORDO_CONVERTERS_X1_SOIL_NAMES_H_

#include "helpers/borehole_folder.h"
#include "vocabulary/geology_lookup.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {

// The soil names come from soil through the borehole's scan; a layer's
// geology code from geology, written only while the last scan stayed within
// the count of the vocabulary loaded at start-up.
void ConvertX1(const BoreholeFolder& borehole, const SoilTables& soil, SoilTermScan& scan, GeologyLookup& geology,
               const GeologyVocabulary& vocabulary);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_X1_SOIL_NAMES_H_
