// What the window's drive and folder lists need of the operating system
// beyond the Env: the drives to offer, the user's home folder and the
// process's current folder and drive. Paths are code page 932 texts in the
// platform's path form; labels are UTF-8, as a window shows them.
#ifndef S1ORDO_APP_DESKTOP_H_
#define S1ORDO_APP_DESKTOP_H_

#include <memory>
#include <string>
#include <vector>

namespace s1ordo {

struct Drive {
  std::string label;  // what the drive list shows
  std::string root;   // the folder the entry stands for
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Windows: every drive letter ("c: [label]"), ready or not. Elsewhere: the
  // home folder first, then the root and the mounted volumes that hold
  // files (no kernel or memory file systems), ordered by mount point.
  virtual std::vector<Drive> ListDrives() = 0;
  // "" where there is none, or where its name has no code page 932 form.
  virtual std::string HomeFolder() = 0;
  virtual bool SetCurrentFolder(const std::string& folder) = 0;
  // Windows: makes the drive the current one. Elsewhere, where there is no
  // current drive: whether its folder can be read.
  virtual bool MakeCurrentDrive(const Drive& drive) = 0;
};

std::unique_ptr<Desktop> NewPlatformDesktop();

}  // namespace s1ordo

#endif  // S1ORDO_APP_DESKTOP_H_
