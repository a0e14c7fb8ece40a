// The entries of the two drive lists. Windows has drive letters; elsewhere
// the lists offer the home folder and the mounted volumes.
#ifndef S1ORDO_APP_WINDOW_DRIVES_H_
#define S1ORDO_APP_WINDOW_DRIVES_H_

#include <QString>
#include <vector>

namespace s1ordo {

struct DriveEntry {
  QString label;  // what the list shows
  QString root;   // the folder the entry stands for, "/" separators
};

// Windows: every drive letter ("c: [label]"), ready or not. Elsewhere: the
// home folder first, then the root and the mounted volumes that hold files
// (no kernel or memory file systems), ordered by mount point.
std::vector<DriveEntry> ListDrives();

// Index of the entry whose root holds the path (the longest such root);
// -1 when none does.
int DriveIndexOf(const std::vector<DriveEntry>& drives, const QString& path);

// The sub-folder of the folder named DIZIVAD in any letter case, as an
// absolute path; empty when there is none.
QString FindDataFolder(const QString& folder);

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_DRIVES_H_
