// The fixed sequence of converters that turns one borehole's source files
// (in its work folder) into the target system's files beside them.
#ifndef S1ORDO_CONVERTERS_CONVERTER_SEQUENCE_H_
#define S1ORDO_CONVERTERS_CONVERTER_SEQUENCE_H_

#include <string>

#include "converters/code_list.h"
#include "helpers/borehole_folder.h"
#include "layers/ridevi_ini.h"
#include "vocabulary/geology_lookup.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {

// What the converters of every borehole of a run share: the settings, the
// vocabulary loaded at start-up and the run's tables. All of it is only
// read but for the geology lookup, which extends files of the pattern-data
// folder, and the code lists, filled as converters first ask for a list.
struct ConverterInputs {
  const std::string& pattern_folder;  // ends with the separator
  const ListFolderSetting& list_folder;
  const GeologyVocabulary& vocabulary;
  const SoilTables& soil;
  GeologyLookup& geology;
  CodeLists& code_lists;
};

// Runs the converters in their fixed order; each gets of the inputs only
// what it uses. The layer and inclusion converters share one soil-term
// scan, made here for this borehole.
void ConvertBoreholeFiles(const BoreholeFolder& borehole, const ConverterInputs& inputs);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_CONVERTER_SEQUENCE_H_
