// Folders of a run that must stay apart: the run writes only into the work
// folders and the pattern-data folder, never into the source tree, and a
// copy into a work folder must never land on the pattern data.
#ifndef S1ORDO_RUN_OVERLAPPING_FOLDERS_H_
#define S1ORDO_RUN_OVERLAPPING_FOLDERS_H_

#include <string>
#include <vector>

#include "helpers/paths.h"

namespace s1ordo {

// Throws Error, naming both folders, when the destination folder, a work
// folder (destination & borehole) or the pattern-data folder is the source
// folder or inside it, or when the pattern-data folder is a work folder or
// inside one. source, destination and pattern_folder end with the
// separator. Only compares paths: call it before anything is created.
void CheckFoldersApart(PathForm form, const std::string& pattern_folder, const std::string& source,
                       const std::string& destination, const std::vector<std::string>& boreholes);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_OVERLAPPING_FOLDERS_H_
