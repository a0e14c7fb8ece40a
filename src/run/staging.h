// The work on one borehole: copy its files into the work folder, rewrite
// "CNT.TXT", write the title sheets, bring "N4.TXT" to fixed-width fields,
// then run the converters in the work folder.
#ifndef S1ORDO_RUN_STAGING_H_
#define S1ORDO_RUN_STAGING_H_

#include <string>

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
void CopyBoreholeFiles(Context& ctx, const BoreholeJob& job);
void RewriteCountFile(Context& ctx, RunState& state, const BoreholeJob& job);
void RewriteInclusionFile(Context& ctx, const std::string& work_folder);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_STAGING_H_
