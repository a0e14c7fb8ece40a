// What the work on one borehole notes for the user besides the files it
// writes: data it converts but bends (warnings), the lines it adds to the
// files of the pattern-data folder, and the source entries its copy leaves
// out. Each borehole has its own notes; the run merges them in borehole
// order. Texts are code page 932.
#ifndef S1ORDO_HELPERS_BOREHOLE_NOTES_H_
#define S1ORDO_HELPERS_BOREHOLE_NOTES_H_

#include <string>
#include <string_view>
#include <vector>

namespace s1ordo {

// Data that converts but not as it stands: a value cut to its field, a code
// no list knows, text that is not code page 932...
struct Warning {
  std::string file;  // the file read, as the converter names it
  long line = 0;     // 1-based; 0 when not known
  std::string text;
};

// A line added to a file of the pattern-data folder.
struct AddedLine {
  std::string file;  // its name in the pattern-data folder ("KISHITU.TXT")
  std::string line;  // as written, without the line end
};

struct BoreholeNotes {
  std::vector<Warning> warnings;
  std::vector<AddedLine> additions;
  // The messages about source entries the copy leaves out (a FIFO, a name
  // code page 932 cannot hold), shown when the run ends.
  std::vector<std::string> left_out;
  // False: warnings are only counted, in warnings_counted (a run that
  // shows their number only).
  bool keep_warnings = true;
  size_t warnings_counted = 0;
};

// True, after counting the warning, when *notes keeps no warning texts (or
// notes is null): the caller need not make its text.
bool CountOnly(BoreholeNotes* notes);

// Adds a warning to *notes; nothing when notes is null.
void AddWarning(BoreholeNotes* notes, std::string file, long line, std::string text);
// Warns when a name is longer than the `width` bytes it is cut to, saying
// so too when the cut falls inside a double-byte character.
void WarnIfCutToBytes(BoreholeNotes* notes, const std::string& file, long line, std::string_view name, size_t width);
// Adds an added line to *notes; nothing when notes is null.
void AddAddition(BoreholeNotes* notes, std::string file, std::string line);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_BOREHOLE_NOTES_H_
