// What the boreholes of one run share, made when the run starts and gone
// when it ends.
#ifndef S1ORDO_RUN_RUN_CACHES_H_
#define S1ORDO_RUN_RUN_CACHES_H_

#include <string>
#include <vector>

#include "converters/code_list.h"
#include "converters/converter_sequence.h"
#include "run/legend_lists.h"
#include "run/session.h"
#include "run/staging.h"
#include "vocabulary/geology_lookup.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {

// The soil-term tables are only read, the code lists read once each and
// then only read. The geology lookup and the legend lists extend files of
// the pattern-data folder, and the count-file values pass from one borehole
// to the next: those three go borehole after borehole in list order. Nothing
// else outlives a borehole's work.
struct RunCaches {
  // With reread_files the code lists and vocabulary files are read anew for
  // every use, as without these caches (for comparing the two ways).
  RunCaches(const Session& session, bool reread_files);
  // The same over another Env (a dry run's) with the session's settings.
  RunCaches(Env& env, const Settings& settings, bool reread_files);
  RunCaches(const RunCaches&) = delete;
  RunCaches& operator=(const RunCaches&) = delete;

  SoilTables soil;
  // "KISHITU.TXT" and "KONNYU.TXT" as the run reads them once it holds the
  // pattern-data folder (empty until then).
  GeologyVocabulary vocabulary;
  GeologyLookup geology;
  CodeLists code_lists;
  LegendLists legends;
  CountFileCarry count_carry;
  // The settings, the vocabulary and the tables above as the converters
  // get them.
  const ConverterInputs converter_inputs;
};

}  // namespace s1ordo

#endif  // S1ORDO_RUN_RUN_CACHES_H_
