#include "app/window/drives.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <algorithm>

namespace s1ordo {
namespace {

QString Cleaned(const QString& path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }

bool Holds(const QString& root, const QString& path) {
  const Qt::CaseSensitivity cs =
#ifdef Q_OS_WIN
      Qt::CaseInsensitive;
#else
      Qt::CaseSensitive;
#endif
  if (path.compare(root, cs) == 0) return true;
  QString prefix = root.endsWith('/') ? root : root + '/';
  return path.startsWith(prefix, cs);
}

#ifndef Q_OS_WIN
// File systems of the kernel, of memory or of packaged software: nobody
// keeps borehole data there.
bool IsSystemVolume(const QStorageInfo& volume) {
  static const QSet<QByteArray> kTypes = {
      "proc",     "sysfs",     "devtmpfs",    "devpts",   "tmpfs",     "cgroup",    "cgroup2",
      "securityfs", "pstore",  "debugfs",     "tracefs",  "mqueue",    "hugetlbfs", "configfs",
      "fusectl",  "binfmt_misc", "autofs",    "bpf",      "efivarfs",  "nsfs",      "rpc_pipefs",
      "squashfs", "ramfs",     "selinuxfs",   "fuse.gvfsd-fuse", "fuse.portal"};
  if (kTypes.contains(volume.fileSystemType())) return true;
  const QString root = volume.rootPath();
  for (const char* system : {"/proc", "/sys", "/dev", "/boot", "/snap", "/etc", "/usr", "/var", "/run"}) {
    if (Holds(QString::fromLatin1(system), root) && !Holds(QStringLiteral("/run/media"), root)) return true;
  }
  return false;
}
#endif

}  // namespace

std::vector<DriveEntry> ListDrives() {
  std::vector<DriveEntry> drives;
#ifdef Q_OS_WIN
  for (const QFileInfo& drive : QDir::drives()) {
    QString root = drive.absoluteFilePath();
    QString label = root.left(2).toLower();
    QStorageInfo volume(root);
    if (volume.isValid() && volume.isReady() && !volume.name().isEmpty()) label += " [" + volume.name() + "]";
    drives.push_back({label, root});
  }
#else
  const QString home = Cleaned(QDir::homePath());
  drives.push_back({home + QString::fromUtf8(" (\xE3\x83\x9B\xE3\x83\xBC\xE3\x83\xA0)"), home});  // (ホーム)
  std::vector<DriveEntry> volumes;
  bool have_root = false;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = Cleaned(volume.rootPath());
    if (!volume.isValid() || !volume.isReady() || !QFileInfo(root).isDir()) continue;
    if (root != "/" && IsSystemVolume(volume)) continue;
    if (std::any_of(volumes.begin(), volumes.end(), [&](const DriveEntry& e) { return e.root == root; })) continue;
    have_root = have_root || root == "/";
    QString label = root;
    if (!volume.name().isEmpty() && root != "/") label += " [" + volume.name() + "]";
    volumes.push_back({label, root});
  }
  if (!have_root) volumes.push_back({"/", "/"});
  std::sort(volumes.begin(), volumes.end(), [](const DriveEntry& a, const DriveEntry& b) { return a.root < b.root; });
  drives.insert(drives.end(), volumes.begin(), volumes.end());
#endif
  return drives;
}

int DriveIndexOf(const std::vector<DriveEntry>& drives, const QString& path) {
  const QString p = Cleaned(path);
  int best = -1;
  for (int i = 0; i < static_cast<int>(drives.size()); ++i) {
    if (!Holds(Cleaned(drives[i].root), p)) continue;
    if (best < 0 || drives[i].root.size() > drives[best].root.size()) best = i;
  }
  return best;
}

QString FindDataFolder(const QString& folder) {
  QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
    if (name.compare(QStringLiteral("dizivad"), Qt::CaseInsensitive) == 0) return Cleaned(dir.absoluteFilePath(name));
  }
  return {};
}

}  // namespace s1ordo
