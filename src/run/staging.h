// The work on one borehole: copy its files into the work folder, rewrite
// "CNT.TXT", write the title sheets, bring "N4.TXT" to fixed-width fields,
// then run the converters in the work folder.
#ifndef S1ORDO_RUN_STAGING_H_
#define S1ORDO_RUN_STAGING_H_

#include <string>
#include <vector>

#include "converters/converter_sequence.h"
#include "helpers/borehole_notes.h"
#include "helpers/env.h"
#include "helpers/stop_request.h"
#include "run/legend_lists.h"

namespace s1ordo {

// Items 5 and 6 of the last "CNT.TXT" of the run that had data: a later
// borehole whose "CNT.TXT" has none gets them. They pass from each borehole
// to the next in list order, the one thing of the staging that outlives a
// borehole.
struct CountFileCarry {
  std::string item5;  // "2" when its number was above 20
  std::string item6;
  // The last borehole's "CNT.TXT" gave these (it did not take them from an
  // earlier borehole, so what it wrote depends on no earlier one).
  bool read_from_file = false;
};

struct BoreholeJob {
  std::string source_folder;  // ends with the separator
  std::string work_folder;    // ends with the separator
  // The second, third and fourth folder names below the drive (or the root)
  // on the work folder's path; "" where the path is not that deep. Lines 1
  // to 3 of "CNT.TXT" name the borehole by them.
  std::string second_folder, third_folder, fourth_folder;
};

// What the work bends, adds to the pattern data and leaves out of the copy
// (see Env::ListFiles) goes to *notes (when given). Between files it stops,
// throwing RunStopped, when *stop asks it to; the work folder then holds
// whole files only.
void StageBorehole(Env& env, const BoreholeJob& job, CountFileCarry& carry, LegendLists& legends,
                   const ConverterInputs& converters, BoreholeNotes* notes = nullptr,
                   const StopRequest* stop = nullptr);

// The steps of StageBorehole, for tests.
//
// Copies the files of the borehole into its work folder; with
// hold_inclusion_file, all but those named "N4.TXT" in any letter case,
// whose names it returns in the order they would have been copied.
std::vector<std::string> CopyBoreholeFiles(Env& env, const BoreholeJob& job, bool hold_inclusion_file = false,
                                           std::vector<std::string>* left_out = nullptr,
                                           const StopRequest* stop = nullptr);
// Warns about each text file of the source borehole folder (".txt", ".hed",
// ".hd2") that is not code page 932 throughout, at its first such line.
void WarnTextNotCodePage932(Env& env, const BoreholeJob& job, BoreholeNotes* notes);
void RewriteCountFile(Env& env, const BoreholeJob& job, CountFileCarry& carry);
// Items 5 and 6 of the "CNT.TXT" at path into carry, as RewriteCountFile
// takes them; false (carry unchanged) when the file has no data. Throws
// Error for a file cut short or an item 5 that is no number.
bool ReadCountFileCarry(Env& env, const std::string& path, CountFileCarry& carry);
// Writes "N4.TXT" of the work folder with fixed-width fields through
// "N4_WK.TXT" renamed over it, from the file from, or (from empty) from the
// work folder's "N4.TXT" itself, which is created empty when missing. False,
// writing nothing, when there is no data.
bool RewriteInclusionFile(Env& env, const std::string& work_folder, const std::string& from = "",
                          BoreholeNotes* notes = nullptr);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_STAGING_H_
