// The desktop on POSIX: the home folder and the mounted volumes from
// /proc/self/mounts (labels from /dev/disk/by-label), chdir and access.
#include <mntent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string_view>

#include "app/desktop.h"
#include "helpers/encoding.h"

namespace fs = std::filesystem;

namespace s1ordo {
namespace {

bool Holds(std::string_view root, std::string_view path) {
  if (path == root) return true;
  std::string prefix(root);
  if (prefix.back() != '/') prefix += '/';
  return path.substr(0, prefix.size()) == prefix;
}

// File systems of the kernel, of memory or of packaged software: nobody
// keeps borehole data there.
bool IsSystemVolume(const std::string& type, const std::string& root) {
  static const std::set<std::string> kTypes = {"proc",        "sysfs",    "devtmpfs",   "devpts",    "tmpfs",
                                               "cgroup",      "cgroup2",  "securityfs", "pstore",    "debugfs",
                                               "tracefs",     "mqueue",   "hugetlbfs",  "configfs",  "fusectl",
                                               "binfmt_misc", "autofs",   "bpf",        "efivarfs",  "nsfs",
                                               "rpc_pipefs",  "squashfs", "ramfs",      "selinuxfs", "fuse.gvfsd-fuse",
                                               "fuse.portal"};
  if (kTypes.count(type)) return true;
  for (const char* system : {"/proc", "/sys", "/dev", "/boot", "/snap", "/etc", "/usr", "/var", "/run"}) {
    if (Holds(system, root) && !Holds("/run/media", root)) return true;
  }
  return false;
}

// Volume labels by device, as udev links them.
std::map<std::string, std::string> Labels() {
  std::map<std::string, std::string> labels;
  std::error_code ec;
  for (fs::directory_iterator it("/dev/disk/by-label", ec), end; !ec && it != end; it.increment(ec)) {
    fs::path device = fs::canonical(it->path(), ec);
    if (!ec) labels[device.string()] = it->path().filename().string();
  }
  return labels;
}

bool Readable(const std::string& utf8) {
  struct stat st;
  return ::stat(utf8.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(utf8.c_str(), R_OK | X_OK) == 0;
}

class PosixDesktop : public Desktop {
 public:
  std::vector<Drive> ListDrives() override {
    std::vector<Drive> drives;
    const std::string home = HomeFolder();
    if (!home.empty()) drives.push_back({DisplayText(home) + " (\xE3\x83\x9B\xE3\x83\xBC\xE3\x83\xA0)", home});
    std::vector<Drive> volumes = {{"/", "/"}};
    const auto labels = Labels();
    if (std::FILE* mounts = ::setmntent("/proc/self/mounts", "r")) {
      while (const mntent* m = ::getmntent(mounts)) {
        const std::string root = m->mnt_dir;
        struct statvfs vfs;
        if (root == "/" || IsSystemVolume(m->mnt_type, root) || ::statvfs(root.c_str(), &vfs) != 0) continue;
        auto cp932 = TryUtf8ToCp932(root);
        if (!cp932 || !Readable(root)) continue;
        if (std::any_of(volumes.begin(), volumes.end(), [&](const Drive& d) { return d.root == *cp932; })) continue;
        auto label = labels.find(m->mnt_fsname);
        volumes.push_back({label == labels.end() ? root : root + " [" + label->second + "]", *cp932});
      }
      ::endmntent(mounts);
    }
    std::sort(volumes.begin(), volumes.end(), [](const Drive& a, const Drive& b) { return a.root < b.root; });
    drives.insert(drives.end(), volumes.begin(), volumes.end());
    return drives;
  }

  std::string HomeFolder() override {
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {};
    std::string folder = fs::path(home).lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return TryUtf8ToCp932(folder).value_or("");
  }

  bool SetCurrentFolder(const std::string& folder) override {
    auto utf8 = TryCp932ToUtf8(folder);
    return utf8 && ::chdir(utf8->c_str()) == 0;
  }

  bool MakeCurrentDrive(const Drive& drive) override {
    auto utf8 = TryCp932ToUtf8(drive.root);
    return utf8 && Readable(*utf8);
  }
};

}  // namespace

std::unique_ptr<Desktop> NewPlatformDesktop() { return std::make_unique<PosixDesktop>(); }

}  // namespace s1ordo
