// The process-wide state of the converter, under the names the conversion
// code uses. One Context lives as long as the program (or a test); a run can
// be repeated with the same Context.
#ifndef S1ORDO_RUN_CONTEXT_H_
#define S1ORDO_RUN_CONTEXT_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "converters/code_list.h"
#include "helpers/env.h"
#include "helpers/table_reader.h"
#include "vocabulary/geology_lookup.h"
#include "vocabulary/geology_vocabulary.h"
#include "vocabulary/soil_tables.h"

namespace s1ordo {

struct Context {
  explicit Context(Env& e) : env(e) {}
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  Env& env;
  char sep() const { return Separator(env.form()); }

  // The folder of the two settings files "DodavoZ5.ini" and "Ridevi.ini",
  // without a trailing separator.
  std::string SystemFolder;
  // The target system's pattern-data folder, ending with the separator.
  std::string RideviFolder;
  // The folder of "L8.txt" and "L9.txt", ending with the separator.
  std::string RideviIniFolder;
  // The work folder of the borehole being converted, no trailing separator.
  std::string BoreholeFolder;
  // 1 while the message line holds a run's closing message.
  int16_t MessagePending = 0;

  // The shared record reader.
  TableReader table;

  // Built-in soil terms, rebuilt by every run.
  SoilTables soil;
  // Scan index of FindSoilTermPosition: 0 when ConvertBoreholeFiles starts,
  // then the last position a lookup reached.
  int soil_scan_index = 0;

  // "KISHITU.TXT" and "KONNYU.TXT" as loaded at start-up.
  GeologyVocabulary geology;
  // The vocabulary files as the lookups of one run see them.
  GeologyLookupCache geology_cache;
  // The code lists of the pattern-data folder as this run has read them.
  CodeListCache code_lists;
  // Warnings for the user that the run shows when it ends (source files
  // that are not copied); cleared at the start of every run.
  std::vector<std::string> warnings;

  // BoreholeFolder & separator & name.
  std::string InBorehole(std::string_view name) const {
    return BoreholeFolder + sep() + std::string(name);
  }
};

}  // namespace s1ordo

#endif  // S1ORDO_RUN_CONTEXT_H_
