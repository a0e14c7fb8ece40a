// One borehole of a run, worked into a result of its own: its destination
// folder emptied first when asked, the staging and converters, then what
// it wrote, bent and added, and why it failed, named as the user finds the
// files under the source folder.
#ifndef S1ORDO_RUN_BOREHOLE_RUN_H_
#define S1ORDO_RUN_BOREHOLE_RUN_H_

#include <string>
#include <vector>

#include "helpers/env.h"
#include "helpers/stop_request.h"
#include "run/report.h"
#include "run/run_caches.h"
#include "run/run_env.h"
#include "run/staging.h"

namespace s1ordo {

struct BoreholeRunInputs {
  Env& base;              // the real file system
  ScratchFiles* scratch;  // a dry run's changes; null for a real run
  RunCaches& caches;      // made over the run's Env (the scratch files' for a dry run)
  const StopRequest* stop;
  bool clean;  // delete the files of the destination folder before the copy
  bool keep_warnings = true;  // false: the warnings of the converters only counted
};

// Converts the borehole `name` of the job into result: its status, the
// files written (as "NAME/FILE"), its warnings and additions, its failure.
// A failure is noted and then thrown on as Error, naming the borehole and
// the source file to mend; RunStopped is thrown on after the status is set
// to unfinished. For a real run result.messages also gets the texts to
// show when the run ends (files the copy left out, files of an earlier
// conversion left in the destination folder).
void ConvertBorehole(const BoreholeRunInputs& in, const std::string& name, const BoreholeJob& job,
                     BoreholeResult& result);

// The path as found under the source folder: "B-2/CNT.TXT" when path is the
// borehole's source file or its copy in the work folder (one of
// source_names, any letter case: the name the source has), "" otherwise.
std::string SourceRelativeName(const BoreholeJob& job, const std::string& borehole,
                               const std::vector<std::string>& source_names, const std::string& path);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_BOREHOLE_RUN_H_
