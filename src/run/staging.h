// The work on one borehole: copy its files into the work folder, rewrite
// "CNT.TXT", write the title sheets, bring "N4.TXT" to fixed-width fields,
// then run the converters in the work folder.
#ifndef S1ORDO_RUN_STAGING_H_
#define S1ORDO_RUN_STAGING_H_

#include <string>
#include <vector>

#include "run/context.h"

namespace s1ordo {

// Kept across the boreholes of one run.
struct RunState {
  std::string count_value5;  // item 5 of the last "CNT.TXT" with data
  std::string count_value6;  // item 6 of the last "CNT.TXT" with data
};

struct BoreholeJob {
  std::string source_folder;  // ends with the separator
  std::string work_folder;    // ends with the separator
  // Parts 3, 4 and 5 of the destination path of the borehole split at the
  // separator, the drive being part 1; "" where the path has no such part.
  std::string part3, part4, part5;
};

void StageBorehole(Context& ctx, RunState& state, const BoreholeJob& job);

// The steps of StageBorehole, for tests.
//
// Copies the files of the borehole into its work folder; with
// hold_inclusion_file, all but those named "N4.TXT" in any letter case,
// whose names it returns in the order they would have been copied.
std::vector<std::string> CopyBoreholeFiles(Context& ctx, const BoreholeJob& job, bool hold_inclusion_file = false);
void RewriteCountFile(Context& ctx, RunState& state, const BoreholeJob& job);
// Writes "N4.TXT" of the work folder with fixed-width fields through
// "N4_WK.TXT" renamed over it, from the file from, or (from empty) from the
// work folder's "N4.TXT" itself, which is created empty when missing. False,
// writing nothing, when there is no data.
bool RewriteInclusionFile(Context& ctx, const std::string& work_folder, const std::string& from = "");

}  // namespace s1ordo

#endif  // S1ORDO_RUN_STAGING_H_
