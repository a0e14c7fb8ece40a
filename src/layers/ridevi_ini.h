// "Ridevi.ini" in the system folder names the folder of the lists "L8.txt"
// and "L9.txt" (line 2, first item).
#ifndef S1ORDO_LAYERS_RIDEVI_INI_H_
#define S1ORDO_LAYERS_RIDEVI_INI_H_

#include <optional>
#include <string>

#include "helpers/env.h"
#include "helpers/error.h"

namespace s1ordo {

// The folder, blanks trimmed; "" when the file is missing or empty, or when
// the item cannot be a path (a control character, bytes that are not code
// page 932). system_folder may end in blanks, which are not part of it.
// Only reads: nothing is created in the system folder. A file without a
// second line throws Error naming it.
std::string ReadRideviIniSetting(Env& env, const std::string& system_folder);

// The list folder as read once at start-up. A failure to read the setting
// is kept and thrown by the first converter that needs the folder, so that
// a run whose boreholes need no list goes on as if the file were fine.
class ListFolderSetting {
 public:
  // No setting: the converters that need the folder write nothing.
  ListFolderSetting() = default;
  static ListFolderSetting Read(Env& env, const std::string& system_folder);

  // The folder, ending as the setting ends it; "" when there is none.
  // Throws the failure of reading the setting.
  const std::string& folder() const;

 private:
  std::string folder_;
  std::optional<Error> failure_;
};

}  // namespace s1ordo

#endif  // S1ORDO_LAYERS_RIDEVI_INI_H_
