// The desktop on Windows: the drive letters with their volume labels, and
// the current folder and drive through the wide Win32 API.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "app/desktop.h"
#include "app/wide_text.h"

namespace s1ordo {
namespace {

class WindowsDesktop : public Desktop {
 public:
  std::vector<Drive> ListDrives() override {
    std::vector<Drive> drives;
    const DWORD letters = GetLogicalDrives();
    // A drive without its medium must not bring up the system's own box.
    const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
    for (int i = 0; i < 26; ++i) {
      if (!(letters & (1u << i))) continue;
      const wchar_t root[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', 0};
      wchar_t name[MAX_PATH + 1] = {};
      std::string label = {static_cast<char>('a' + i), ':'};
      if (GetVolumeInformationW(root, name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) && name[0])
        label += " [" + Utf8Text(name) + "]";
      drives.push_back({label, {static_cast<char>('A' + i), ':', '\\'}});
    }
    SetErrorMode(old_mode);
    return drives;
  }

  std::string HomeFolder() override { return {}; }

  bool SetCurrentFolder(const std::string& folder) override {
    return SetCurrentDirectoryW(WideText(folder, 932).c_str()) != 0;
  }

  bool MakeCurrentDrive(const Drive& drive) override {
    // "X:" alone: the drive's own current folder.
    const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const bool made = SetCurrentDirectoryW(WideText(drive.root.substr(0, 2), 932).c_str()) != 0;
    SetErrorMode(old_mode);
    return made;
  }
};

}  // namespace

std::unique_ptr<Desktop> NewPlatformDesktop() { return std::make_unique<WindowsDesktop>(); }

}  // namespace s1ordo
