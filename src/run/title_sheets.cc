#include "run/title_sheets.h"

namespace s1ordo {

// The title sheets and their legend lists are not written yet: this step of
// the staging does nothing until they are.
void WriteTitleSheets(Context&, const std::string&) {}

}  // namespace s1ordo
