// The POSIX side of the platform: code page 932 through iconv, files through
// their descriptors. Names on disk are UTF-8; the converter's paths are code
// page 932 and use "/" as separator. Every path part is matched without
// regard to ASCII letter case and by its code page 932 form: an operation is
// tried on the path as written first, and only when that is not there are
// the folder's entries searched for the name the file system holds. Hidden
// files are the dot-files.
#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "helpers/encoding.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "helpers/stdio_file.h"
#include "helpers/text.h"

namespace fs = std::filesystem;

namespace s1ordo {
namespace {

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// One direction of iconv, opened once per thread and reused.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::optional<std::string> Convert(std::string_view in) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 3 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) return std::nullopt;
    if (iconv(cd_, nullptr, nullptr, &dst, &dst_left) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - dst_left);
    return out;
  }

 private:
  iconv_t cd_;
};

// Native (UTF-8) form of a code page 932 path.
std::string NativeText(const std::string& path) {
  auto native = TryCp932ToUtf8(path);
  if (!native) throw Error(Sjis(u8"パスに使えない文字があります"), path);
  return *native;
}

// Sort key of a name as the source system's file system orders names: its
// ASCII letters upper-cased, so that letters compare without regard to
// case. Upper-casing the UTF-8 form never touches a byte of a multi-byte
// character.
std::string SortKey(const std::string& name) {
  std::string key = name;
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return key;
}

// The key under which names on disk are matched: the code page 932 form of
// the sort key, so that a name is found whatever its letter case and
// whichever form of a character the file system holds (U+301C or U+FF5E
// for the one wave dash of code page 932); nullopt for a name that code
// page 932 cannot hold.
std::optional<std::string> MatchKey(const std::string& name) { return TryUtf8ToCp932(SortKey(name)); }

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// A path part that is not there as written: worth looking for under
// another name form.
bool Missing(int err) { return err == ENOENT || err == ENOTDIR; }

bool Denied(int err) { return err == EACCES || err == EPERM; }

// A descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

int OpenFd(const fs::path& p, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::open(p.c_str(), flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// Calls each(name, d_type) for the entries of an open folder, "." and ".."
// left out; false (errno set) when the folder cannot be read.
template <class Each>
bool ReadEntries(int fd, Each each) {
  alignas(struct dirent64) char buf[32768];
  for (;;) {
    ssize_t n = ::getdents64(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    for (ssize_t at = 0; at < n;) {
      auto* entry = reinterpret_cast<struct dirent64*>(buf + at);
      at += entry->d_reclen;
      const char* name = entry->d_name;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      each(name, entry->d_type);
    }
  }
}

// Finds the names on disk of paths written without regard to letter case
// and to the form of their characters.
// The entries of the folders it had to look into are kept, by case key,
// as long as the folder's modification time stays the same (so changes by
// others are seen), and are kept up to date with the changes made through
// this object, so that creating the files of a work folder one after the
// other does not read the folder again for each file.
class Resolver {
 public:
  // Where to look for given first. Unless the folder's entries are
  // remembered and lack the name as written, that is given itself, to be
  // tried as written (*checked false; Find when it is not there). Otherwise
  // the folder is looked at now (*checked true) and the answer is the name
  // on disk, or given when nothing of that name is there.
  fs::path Locate(const fs::path& given, bool* checked) {
    *checked = false;
    if (given.filename().empty()) return given;
    auto it = folders_.find(FolderOf(given));
    if (it == folders_.end() || it->second.Has(given.filename().string())) return given;
    *checked = true;
    return Find(given);
  }

  // The path on disk: as written when it exists (one look-up), otherwise
  // each missing part replaced by an existing entry whose name differs only
  // in letter case, when there is one.
  fs::path Resolve(const fs::path& given) {
    bool checked;
    fs::path p = Locate(given, &checked);
    struct stat st;
    if (checked || ::lstat(p.c_str(), &st) == 0) return p;
    return Find(given);
  }

  // The name on disk of given, found through the entries of the folders:
  // given itself when it is there as written or nothing differing only in
  // letter case is there either.
  fs::path Find(const fs::path& given) {
    if (!given.has_relative_path()) return given;
    fs::path name = given.filename();
    fs::path parent = given.parent_path();
    if (name.empty()) return Find(parent);  // a trailing separator
    fs::path dir = parent.empty() ? fs::path(".") : parent;
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0) {
      if (!Missing(errno)) return given;
      fs::path found = Find(dir);
      if (found == dir || ::stat(found.c_str(), &st) != 0) return given;
      dir = parent = found;
    }
    std::string wanted = name.string();
    if (wanted == "." || wanted == ".." || !S_ISDIR(st.st_mode)) return parent / name;
    const Folder* folder = Entries(dir, st);
    if (!folder) return parent / name;
    return parent / folder->Lookup(wanted);
  }

  // Keeps the remembered entries true after a change made through this
  // object: Note records the entry, Settle takes the folder's new
  // modification time (one look at the folder for any number of notes).
  void Note(const fs::path& p, bool added) {
    auto it = folders_.find(FolderOf(p));
    if (it == folders_.end()) return;
    if (added) it->second.Add(p.filename().string());
    else it->second.Remove(p.filename().string());
  }
  bool Remembers(const std::string& dir) const { return folders_.count(dir) != 0; }
  void Settle(const std::string& dir) {
    auto it = folders_.find(dir);
    if (it == folders_.end()) return;
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0) {
      folders_.erase(it);
      return;
    }
    it->second.mtime = st.st_mtim;
  }
  void Added(const fs::path& p) {
    Note(p, true);
    Settle(FolderOf(p));
  }
  void Removed(const fs::path& p) {
    Note(p, false);
    Settle(FolderOf(p));
  }

  // The folder of a path as parent_path gives it, "." for none, as the key
  // of its remembered entries (worked out on the text: this runs for every
  // file operation).
  static std::string FolderOf(const fs::path& p) {
    const std::string& text = p.native();
    size_t slash = text.rfind('/');
    if (slash == std::string::npos) return ".";
    size_t end = slash;
    while (end > 0 && text[end - 1] == '/') --end;
    return end == 0 ? std::string("/") : text.substr(0, end);
  }

 private:
  class Folder {
   public:
    struct timespec mtime;

    bool Has(const std::string& name) const { return all_.count(name) != 0; }
    // The name as written when it is there, else the entry of the same
    // match key, else the name as written.
    const std::string& Lookup(const std::string& name) const {
      if (Has(name)) return name;
      auto key = MatchKey(name);
      if (!key) return name;
      auto it = by_key_.find(*key);
      return it == by_key_.end() ? name : it->second;
    }
    void Add(const std::string& name) {
      if (!all_.insert(name).second) return;
      if (auto key = MatchKey(name)) by_key_.emplace(std::move(*key), name);  // the first of several variants
    }
    void Remove(const std::string& name) {
      if (!all_.erase(name)) return;
      auto key = MatchKey(name);
      if (!key) return;
      auto it = by_key_.find(*key);
      if (it == by_key_.end() || it->second != name) return;
      by_key_.erase(it);
      if (all_.size() == by_key_.size()) return;  // no other variant of any name
      for (const std::string& other : all_)
        if (MatchKey(other) == key) {
          by_key_.emplace(*key, other);
          break;
        }
    }
    void Clear() {
      all_.clear();
      by_key_.clear();
    }

   private:
    std::unordered_set<std::string> all_;
    std::unordered_map<std::string, std::string> by_key_;  // match key -> name
  };

  // The entries of dir (whose stat is st), read again when its modification
  // time has changed; null when it cannot be read.
  const Folder* Entries(const fs::path& dir, const struct stat& st) {
    const std::string key = dir.string();
    auto it = folders_.find(key);
    if (it != folders_.end() && SameTime(it->second.mtime, st.st_mtim)) return &it->second;
    if (it == folders_.end() && folders_.size() >= 16) folders_.clear();
    Folder& folder = folders_[key];
    folder.mtime = st.st_mtim;
    folder.Clear();
    int fd = OpenFd(dir, O_RDONLY | O_DIRECTORY);
    bool read = fd >= 0 && ReadEntries(fd, [&](const char* entry, unsigned char) { folder.Add(entry); });
    if (fd >= 0) ::close(fd);
    if (!read) {
      folders_.erase(key);
      return nullptr;
    }
    return &folder;
  }

  std::unordered_map<std::string, Folder> folders_;
};

// A file written through its descriptor with a buffer of 64 KiB, so that a
// whole work file usually goes out in one write.
class FdFile : public WritableFile {
 public:
  FdFile(std::string path, int fd) : path_(std::move(path)), fd_(fd), buf_(new char[kSize]) {}
  ~FdFile() override {
    if (fd_ < 0) return;
    if (err_ == 0) WriteAll(buf_.get(), used_);
    ::close(fd_);
  }
  void Append(std::string_view bytes) override {
    if (fd_ < 0) throw Error(Sjis(u8"閉じたファイルに書き込もうとしました"), path_);
    if (err_ != 0) Fail();
    if (bytes.size() <= kSize - used_) {
      std::memcpy(buf_.get() + used_, bytes.data(), bytes.size());
      used_ += bytes.size();
      return;
    }
    Flush();
    if (bytes.size() >= kSize) {
      if (!WriteAll(bytes.data(), bytes.size())) Fail();
    } else {
      std::memcpy(buf_.get(), bytes.data(), bytes.size());
      used_ = bytes.size();
    }
  }
  void Close() override {
    if (fd_ < 0) return;
    bool ok = err_ == 0 && WriteAll(buf_.get(), used_);
    used_ = 0;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && ok) {
      ok = false;
      err_ = errno;
    }
    if (!ok) throw Error(Cause(u8"ファイルに書き込めません", err_), path_);
  }

 private:
  static constexpr size_t kSize = 1 << 16;

  void Flush() {
    if (err_ != 0 || !WriteAll(buf_.get(), used_)) Fail();
    used_ = 0;
  }
  // A failed write leaves the file failed: what follows reports it again.
  [[noreturn]] void Fail() {
    used_ = 0;
    throw Error(Cause(u8"ファイルに書き込めません", err_), path_);
  }
  bool WriteAll(const char* data, size_t size) {
    while (size > 0) {
      ssize_t n = ::write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        err_ = n < 0 ? errno : ENOSPC;
        return false;
      }
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

  std::string path_;
  int fd_;
  std::unique_ptr<char[]> buf_;
  size_t used_ = 0;
  int err_ = 0;
};

// The whole content of an open file, which it closes: one read of the size
// the file has (and one byte more, to see its end); a file that grows or
// shrinks meanwhile is read to its new end. Anything but a regular file is
// a failure: a FIFO or a device could keep the read waiting for ever.
std::string ReadAndCloseFd(int fd, const std::string& path) {
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    throw Error(Cause(u8"ファイルを読めません", err), path);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    throw Error(NotRegularFileCause(), path);
  }
  size_t expected = static_cast<size_t>(st.st_size);
  std::string bytes(expected + 1, '\0');
  size_t len = 0;
  for (;;) {
    if (len == bytes.size()) bytes.resize(bytes.size() * 2);
    size_t want = bytes.size() - len;
    ssize_t n = ::read(fd, bytes.data() + len, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      throw Error(Cause(u8"ファイルを読めません", err), path);
    }
    if (n == 0) break;
    len += static_cast<size_t>(n);
    if (static_cast<size_t>(n) < want && len == expected) break;  // all there is
  }
  ::close(fd);
  bytes.resize(len);
  return bytes;
}

// A name of the file system shown in code page 932: each character that
// code page 932 lacks as <U+XXXX>, each byte that is no UTF-8 as <0xXX>.
std::string ShownName(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    auto one = n && i + n <= utf8.size() ? TryUtf8ToCp932(utf8.substr(i, n)) : std::nullopt;
    char buf[16];
    if (one) {
      out += *one;
    } else if (n > 1 && i + n <= utf8.size()) {
      uint32_t code = c & (0x7F >> n);
      for (size_t k = 1; k < n; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
      std::snprintf(buf, sizeof buf, "<U+%04X>", static_cast<unsigned>(code));
      out += buf;
    } else {
      std::snprintf(buf, sizeof buf, "<0x%02X>", c);
      out += buf;
      n = 1;
    }
    i += n;
  }
  return out;
}

// The lock of a folder: flock on the folder itself, released with the
// descriptor (also when the process is killed). -1 holds nothing.
class FlockLock : public FolderLock {
 public:
  explicit FlockLock(int fd) : fd_(fd) {}
  ~FlockLock() override {
    if (fd_ >= 0) ::close(fd_);
  }

 private:
  int fd_;
};

class PosixEnv : public Env {
 public:
  PathForm form() const override { return PathForm::kPosix; }

  std::string ReadFile(const std::string& path) override {
    int fd = -1;
    OnDisk(NativeText(path), [&](const fs::path& p) {
      return (fd = OpenFd(p, O_RDONLY | O_NONBLOCK | O_NOCTTY)) >= 0;
    });
    if (fd < 0) throw Failure(u8"ファイルを開けません", path, errno);
    return ReadAndCloseFd(fd, path);
  }

  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    return OpenForWriting(path, O_WRONLY);
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return OpenForWriting(path, O_WRONLY | O_APPEND);
  }

  bool Exists(const std::string& path) override {
    struct stat st;
    return Stat(path, &st);
  }
  bool IsFolder(const std::string& path) override {
    struct stat st;
    if (Stat(path, &st)) return S_ISDIR(st.st_mode);
    if (Denied(errno)) throw Failure(u8"フォルダを調べられません", path, errno);
    return false;
  }
  int64_t FileSize(const std::string& path) override {
    struct stat st;
    if (!Stat(path, &st)) {
      if (Denied(errno)) throw Failure(u8"ファイルを調べられません", path, errno);
      return -1;
    }
    if (S_ISDIR(st.st_mode)) return -1;
    if (!S_ISREG(st.st_mode)) throw Error(NotRegularFileCause(), path);
    return static_cast<int64_t>(st.st_size);
  }

  void DeleteFile(const std::string& path) override {
    fs::path removed;
    if (OnDisk(NativeText(path), [](const fs::path& p) { return Remove(p) == 0; }, &removed)) {
      resolver_.Removed(removed);
      return;
    }
    if (errno == ENOENT) return;  // nothing to delete
    throw Error(Cause(u8"ファイルを削除できません", errno), path);
  }
  void RenameFile(const std::string& from, const std::string& to) override { Rename(from, to, false); }

  void ReplaceFile(const std::string& from, const std::string& to) override {
    try {
      const fs::path target = resolver_.Resolve(NativeText(to));
      struct stat old;
      const bool replacing = ::stat(target.c_str(), &old) == 0;
      if (!replacing && !Missing(errno)) throw Failure(u8"ファイルを書き換えられません", to, errno);
      if (replacing && !S_ISREG(old.st_mode)) throw Error(NotRegularFileCause(), to);
      if (replacing && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        throw Error(Cause(u8"ファイルを書き換えられません", errno), to);
      int opened = -1;
      OnDisk(NativeText(from), [&](const fs::path& p) { return (opened = OpenFd(p, O_RDONLY | O_NOFOLLOW)) >= 0; });
      if (opened < 0) throw Error(Cause(u8"ファイル名を変更できません", errno), from);
      Fd fd(opened);
      if (replacing) KeepModeAndGroup(fd.get(), old, to);
      if (::fsync(fd.get()) != 0) throw Error(Cause(u8"ファイルに書き込めません", errno), to);
      SyncFolder(Resolver::FolderOf(Rename(from, to, true)));
    } catch (const Error&) {
      fs::path removed;
      if (OnDisk(NativeText(from), [](const fs::path& p) { return ::unlink(p.c_str()) == 0; }, &removed))
        resolver_.Removed(removed);
      throw;
    }
  }

  void CopyFile(const std::string& from, const std::string& to) override {
    int opened = -1;
    fs::path source;
    OnDisk(
        NativeText(from), [&](const fs::path& p) { return (opened = OpenFd(p, O_RDONLY | O_NONBLOCK | O_NOCTTY)) >= 0; },
        &source);
    if (opened < 0) {
      // A source that is there but may not be read is named itself.
      if (Denied(errno)) throw Failure(u8"ファイルをコピーできません", from, errno);
      throw Error(Cause(u8"ファイルをコピーできません", errno), to);
    }
    Fd in(opened);
    struct stat src;
    if (::fstat(in.get(), &src) != 0) throw Error(Cause(u8"ファイルをコピーできません", errno), to);
    if (!S_ISREG(src.st_mode)) throw Error(NotRegularFileCause(), from);
    // The copy's permissions are those of the source plus the owner's right
    // to write: a copy of a read-only file must still be rewritable in the
    // work folder.
    const mode_t mode = (src.st_mode & 07777) | S_IWUSR;
    fs::path target;
    bool created;
    Fd out(OpenToWrite(to, CopyName(to, source), O_WRONLY | O_NONBLOCK, mode, &src, u8"ファイルをコピーできません",
                       &target, &created));
    if (created) resolver_.Added(target);
    int err = 0;
    // A new file has the mode already unless the umask took some of it.
    if ((!created || !CreatedWithMode(mode)) && ::fchmod(out.get(), mode) != 0) err = errno;
    if (err == 0) err = CopyBytes(in.get(), out.get(), static_cast<size_t>(src.st_size));
    if (::close(out.release()) != 0 && err == 0) err = errno;
    if (err != 0) throw Error(Cause(u8"ファイルをコピーできません", err), to);
  }

  void CreateFolder(const std::string& path) override {
    const fs::path given(NativeText(path));
    bool checked;
    fs::path p = resolver_.Locate(given, &checked);
    struct stat st;
    int err = 0;
    if (!checked) {
      err = ::stat(p.c_str(), &st) == 0 ? 0 : errno;
      if (Missing(err)) p = resolver_.Find(given);
    }
    if (checked || Missing(err)) {
      if (::mkdir(p.c_str(), 0777) == 0) {
        resolver_.Added(p);
        return;
      }
      err = errno;
      if (err == EEXIST && ::stat(p.c_str(), &st) != 0) err = errno;
    }
    if (err == 0 || err == EEXIST) err = S_ISDIR(st.st_mode) ? 0 : EEXIST;
    if (err != 0) throw Error(Cause(u8"フォルダを作成できません", err), path);
  }

  bool FillsFolders() const override { return true; }

  // A folder the run has just made is filled through its descriptor: each
  // file created under its own name with three calls (a copy with one more,
  // for its source's permissions), without the looks that an existing file
  // needs.
  bool FillEmptyFolder(const std::string& folder, std::vector<NewFile>& files) override {
    int opened = -1;
    fs::path on_disk;
    OnDisk(
        NativeText(folder), [&](const fs::path& p) { return (opened = OpenFd(p, O_RDONLY | O_DIRECTORY)) >= 0; },
        &on_disk);
    if (opened < 0) return false;  // the ordinary calls meet it and say why
    Fd dir(opened);
    if (!HoldsNothing(dir.get())) return false;
    // Entries the resolver remembers of the folder are kept true.
    const bool remembered = resolver_.Remembers(Resolver::FolderOf(on_disk / "x"));
    auto note = [&](const fs::path& name, bool added) {
      if (remembered) resolver_.Note(on_disk / name, added);
    };
    for (NewFile& file : files) {
      const fs::path made = MakeInFolder(dir.get(), folder, file);
      note(made, true);
      if (file.renamed_to.empty()) continue;
      const fs::path to(NativeText(file.renamed_to));
      if (::renameat(dir.get(), made.c_str(), dir.get(), to.c_str()) != 0)
        throw Error(Cause(u8"ファイル名を変更できません", errno), folder + file.name);
      note(made, false);
      note(to, true);
    }
    if (remembered) resolver_.Settle(Resolver::FolderOf(on_disk / "x"));
    return true;
  }

  bool ReplaceEmptyFolder(const std::string& from, const std::string& to) override {
    const fs::path target = resolver_.Resolve(NativeText(to));
    const fs::path source = resolver_.Resolve(NativeText(from));
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
      if (HoldsNothing(Fd(OpenFd(source, O_RDONLY | O_DIRECTORY)).get())) {
        resolver_.Settle(Resolver::FolderOf(target));  // the same names, other folders
        resolver_.Settle(Resolver::FolderOf(source));
        return true;
      }
      // Something was there after all: both back where they were.
      ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE);
      return false;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;  // not there, no folder
    // A file system that cannot exchange: the empty folder removed and made anew.
    if (::rmdir(target.c_str()) != 0) return false;  // not empty
    if (::rename(source.c_str(), target.c_str()) != 0) {
      if (::mkdir(target.c_str(), 0777) != 0) resolver_.Removed(target);
      return false;
    }
    resolver_.Settle(Resolver::FolderOf(target));
    if (::mkdir(source.c_str(), 0777) != 0) resolver_.Removed(source);
    return true;
  }

  bool RemoveEmptyFolder(const std::string& path) override {
    const fs::path p = resolver_.Resolve(NativeText(path));
    if (::rmdir(p.c_str()) != 0) return false;
    resolver_.Removed(p);
    return true;
  }

  std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>* left_out) override {
    return List(folder, false, left_out);
  }
  std::vector<std::string> ListSubfolders(const std::string& folder, std::vector<std::string>* left_out) override {
    return List(folder, true, left_out);
  }

  std::unique_ptr<FolderLock> TryLockFolder(const std::string& folder) override {
    int opened = -1;
    OnDisk(NativeText(folder), [&](const fs::path& p) { return (opened = OpenFd(p, O_RDONLY | O_DIRECTORY)) >= 0; });
    if (opened < 0) throw Failure(u8"フォルダをロックできません", folder, errno);
    Fd fd(opened);
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EINTR) continue;
      if (errno == EWOULDBLOCK) return nullptr;
      // No locks on this file system (NFS takes an exclusive lock only on a
      // file open for writing, which a folder never is).
      if (errno == ENOLCK || errno == EBADF || errno == EINVAL || errno == EOPNOTSUPP || errno == ENOSYS)
        return std::make_unique<FlockLock>(-1);
      throw Error(Cause(u8"フォルダをロックできません", errno), folder);
    }
    return std::make_unique<FlockLock>(fd.release());
  }

  bool DriveUsable(char) override { return false; }
  std::string SystemFolder() override { return "/etc/s1ordo"; }
  std::string ProgramFolder() override {
    if (const char* over = std::getenv("S1ORDO_PROGRAM_FOLDER"); over && *over)
      return TrimTrailingSeparator(InputTextOrRaw(over));
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return CurrentFolder();
    return InputTextOrRaw(exe.parent_path().string());
  }
  std::string CurrentFolder() override {
    std::error_code ec;
    return InputTextOrRaw(fs::current_path(ec).string());
  }

 private:
  static std::string InputTextOrRaw(const std::string& utf8) {
    auto t = TryUtf8ToCp932(utf8);
    return t ? *t : utf8;
  }
  static std::string TrimTrailingSeparator(std::string p) {
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
  }

  // unlink, or rmdir for a folder, as remove() does.
  static int Remove(const fs::path& p) {
    if (::unlink(p.c_str()) == 0) return 0;
    return errno == EISDIR ? ::rmdir(p.c_str()) : -1;
  }

  // Runs op (true when done, else errno set) on the file or folder given,
  // as written or else under its name on disk; *used is the path it ran
  // on last.
  template <class Op>
  bool OnDisk(const fs::path& given, Op op, fs::path* used = nullptr) {
    bool checked;
    fs::path p = resolver_.Locate(given, &checked);
    if (used) *used = p;
    if (op(p)) return true;
    if (checked || !Missing(errno)) return false;
    int err = errno;
    fs::path found = resolver_.Find(given);
    if (found == given) {
      errno = err;
      return false;
    }
    if (used) *used = found;
    return op(found);
  }

  bool Stat(const std::string& path, struct stat* st) {
    return OnDisk(NativeText(path), [&](const fs::path& p) { return ::stat(p.c_str(), st) == 0; });
  }

  // The Error of an operation on path that failed with err. A refused
  // permission names the folder on the way that refuses it, if one does.
  Error Failure(std::u8string_view what, const std::string& path, int err) {
    return Error(Cause(what, err), Denied(err) ? DeniedPart(path) : path);
  }

  // The first folder on the way to path (path itself included) that exists
  // but may not be searched; path when there is none.
  std::string DeniedPart(const std::string& path) {
    for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
      const std::string part = path.substr(0, end);
      auto native = TryCp932ToUtf8(part);
      if (!native) break;
      fs::path p = resolver_.Resolve(*native);
      struct stat st;
      if (::stat(p.c_str(), &st) != 0) break;
      if (S_ISDIR(st.st_mode) && ::faccessat(AT_FDCWD, p.c_str(), X_OK, AT_EACCESS) != 0) return part;
      if (end == std::string::npos) break;
    }
    return path;
  }

  // The name a copy to `to` is made under when no file of its name is
  // there: the source's name on disk, where that is the name of `to` in
  // another form of its characters.
  static fs::path CopyName(const std::string& to, const fs::path& source) {
    fs::path given(NativeText(to));
    fs::path own = source.filename();
    if (own == given.filename() || own.empty()) return given;
    size_t slash = to.rfind('/');
    auto own_cp932 = TryUtf8ToCp932(own.native());
    if (!own_cp932 || *own_cp932 != to.substr(slash == std::string::npos ? 0 : slash + 1)) return given;
    return given.parent_path() / own;
  }

  // What OpenToWrite found at a name: nothing, or something it removed.
  static constexpr int kAbsent = -1, kCleared = -2;

  // Opens the file given (path as the converter names it) for writing with
  // flags (O_WRONLY, and O_APPEND to append): the file there as written or
  // under its name on disk, else a new file made with mode (*created then
  // true). What stands there is never written through: a link is removed
  // and a new file made in its place, and so is a file that has other names
  // unless it is appended to; anything else that is not a regular file is
  // a failure. The file `source` (a copy's) is never opened: that is a
  // failure too. Failures throw Error(what...) naming path.
  int OpenToWrite(const std::string& path, const fs::path& given, int flags, mode_t mode, const struct stat* source,
                  std::u8string_view what, fs::path* used, bool* created) {
    *created = false;
    const bool append = (flags & O_APPEND) != 0;
    // What stands at q opened for writing; kAbsent when nothing is there,
    // kCleared when what was there has been removed to be made anew.
    auto open_existing = [&](const fs::path& q) -> int {
      int fd = OpenFd(q, flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
      if (fd < 0) {
        int err = errno;
        if (Missing(err)) return kAbsent;
        if (err == ENXIO) throw Error(NotRegularFileCause(), path);  // a FIFO no one reads, a socket
        if (err != ELOOP && err != EMLINK) throw Error(Cause(what, err), path);
        return Clear(q, path, what);  // a link
      }
      Fd guard(fd);
      struct stat st;
      if (::fstat(fd, &st) != 0) throw Error(Cause(what, errno), path);
      if (!S_ISREG(st.st_mode)) throw Error(NotRegularFileCause(), path);
      if (source && st.st_dev == source->st_dev && st.st_ino == source->st_ino)
        throw Error(Sjis(what) + Sjis(u8": コピー元とコピー先が同じファイルです"), path);
      if (!append && st.st_nlink > 1) return Clear(q, path, what);
      if (!append && st.st_size > 0 && ::ftruncate(fd, 0) != 0) throw Error(Cause(what, errno), path);
      return guard.release();
    };

    bool checked;
    fs::path p = resolver_.Locate(given, &checked);
    int fd = kAbsent;
    if (!checked || p.filename() != given.filename()) fd = open_existing(p);
    if (fd == kAbsent && !checked) {
      fs::path found = resolver_.Find(given);
      if (found != p) {
        p = found;
        fd = open_existing(p);
      }
    }
    *used = p;
    if (fd >= 0) return fd;
    for (int attempt = 0; attempt < 3; ++attempt) {
      fd = OpenFd(p, flags | O_CREAT | O_EXCL | O_NOCTTY, mode);
      if (fd >= 0) {
        *created = true;
        return fd;
      }
      if (errno != EEXIST) throw Error(Cause(what, errno), path);
      fd = open_existing(p);  // made meanwhile
      if (fd >= 0) return fd;
    }
    throw Error(Cause(what, EEXIST), path);
  }

  // Makes file (see FillEmptyFolder) in the open folder dir, named path's
  // folder; gives the name it was made under.
  fs::path MakeInFolder(int dir, const std::string& folder, const NewFile& file) {
    const std::string path = folder + file.name;
    const bool copy = !file.copy_of.empty();
    const std::u8string_view what = copy ? u8"ファイルをコピーできません" : u8"ファイルを作成できません";
    struct stat src {};
    fs::path source_path;
    if (copy && file.copy_of.find('/') == std::string::npos) {  // made before in this folder
      source_path = NativeText(file.copy_of);
      if (::fstatat(dir, source_path.c_str(), &src, 0) != 0) throw Error(Cause(what, errno), path);
    } else if (copy && !OnDisk(
                           NativeText(file.copy_of), [&](const fs::path& p) { return ::stat(p.c_str(), &src) == 0; },
                           &source_path)) {
      throw Failure(what, file.copy_of, errno);
    }
    if (copy && !S_ISREG(src.st_mode)) throw Error(NotRegularFileCause(), file.copy_of);
    const mode_t mode = copy ? (src.st_mode & 07777) | S_IWUSR : 0666;  // as CopyFile and NewWritableFile
    const fs::path name = copy ? CopyName(path, source_path).filename() : fs::path(NativeText(file.name));
    Fd out(::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode));
    if (out.get() < 0) throw Error(Cause(what, errno), path);
    int err = 0;
    if (copy && !CreatedWithMode(mode) && ::fchmod(out.get(), mode) != 0) err = errno;
    if (err == 0) err = WriteAllTo(out.get(), file.bytes);
    if (::close(out.release()) != 0 && err == 0) err = errno;
    if (err != 0) throw Error(Cause(what, err), path);
    return name;
  }

  // Whether the open folder holds nothing at all (false too when it cannot
  // be read, or dir is -1).
  static bool HoldsNothing(int dir) {
    bool empty = true;
    return ReadEntries(dir, [&](const char*, unsigned char) { empty = false; }) && empty;
  }

  // Writes all of bytes; 0, or the errno of the failure.
  static int WriteAllTo(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
      ssize_t n = ::write(fd, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return n < 0 ? errno : ENOSPC;
      bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
  }

  // Removes what stands at q so that a new file can take its place.
  int Clear(const fs::path& q, const std::string& path, std::u8string_view what) {
    if (::unlink(q.c_str()) != 0 && errno != ENOENT) throw Error(Cause(what, errno), path);
    resolver_.Removed(q);
    return kCleared;
  }

  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, int flags) {
    fs::path used;
    bool created;
    int fd = OpenToWrite(path, NativeText(path), flags, 0666, nullptr, u8"ファイルを作成できません", &used, &created);
    if (created) resolver_.Added(used);
    return std::make_unique<FdFile>(path, fd);
  }

  // Renames from to to and returns the path on disk it now has. A file
  // whose name differs only in its form is replaced; the file takes its
  // name (own_name) or the name as written, as it does where letter case is
  // ignored.
  fs::path Rename(const std::string& from, const std::string& to, bool own_name) {
    fs::path given_to(NativeText(to));
    fs::path existing = resolver_.Resolve(given_to);
    fs::path target = own_name ? existing : existing.parent_path() / given_to.filename();
    fs::path source;
    if (!OnDisk(
            NativeText(from), [&](const fs::path& p) { return ::rename(p.c_str(), target.c_str()) == 0; }, &source))
      throw Error(Cause(u8"ファイル名を変更できません", errno), from);
    resolver_.Note(source, false);
    if (existing != target && existing != source && Remove(existing) == 0) resolver_.Note(existing, false);
    resolver_.Note(target, true);
    std::string from_folder = Resolver::FolderOf(source), to_folder = Resolver::FolderOf(target);
    resolver_.Settle(to_folder);
    if (from_folder != to_folder) resolver_.Settle(from_folder);
    return target;
  }

  // The open file fd, about to replace the file of stat old (named to),
  // takes its permissions and its group. A group that cannot be kept is a
  // failure only where it matters: when the group may do more than others.
  static void KeepModeAndGroup(int fd, const struct stat& old, const std::string& to) {
    struct stat now;
    if (::fstat(fd, &now) != 0) throw Error(Cause(u8"ファイルの属性を保てません", errno), to);
    const mode_t mode = old.st_mode & 07777;
    if (now.st_gid != old.st_gid && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      const mode_t group = (mode >> 3) & 07, others = mode & 07;
      if ((group & ~others) != 0) throw Error(Cause(u8"ファイルのグループを保てません", errno), to);
    }
    // After fchown, which may clear the set-id bits.
    if ((now.st_mode & 07777) != mode || now.st_gid != old.st_gid) {
      if (::fchmod(fd, mode) != 0) throw Error(Cause(u8"ファイルの属性を保てません", errno), to);
    }
  }

  // Flushes a folder's entries to the disk. A file system that cannot is
  // left as it is: the rename itself has been made.
  static void SyncFolder(const std::string& folder) {
    int fd = OpenFd(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
  }

  // Whether a file created with mode gets exactly that mode: the process's
  // umask (read once; the program never changes it) leaves it whole.
  static bool CreatedWithMode(mode_t mode) {
    static const int umask = ReadUmask();
    return umask >= 0 && (mode & ~static_cast<mode_t>(0777)) == 0 && (mode & static_cast<mode_t>(umask)) == 0;
  }
  static int ReadUmask() {
    int fd = OpenFd("/proc/self/status", O_RDONLY);
    if (fd < 0) return -1;
    char buf[4096];
    ssize_t n = ::read(fd, buf, sizeof buf - 1);
    ::close(fd);
    if (n <= 0) return -1;
    buf[n] = '\0';
    const char* line = std::strstr(buf, "\nUmask:");
    if (!line) return -1;
    char* end = nullptr;
    long mask = std::strtol(line + 7, &end, 8);
    return end == line + 7 || mask < 0 || mask > 0777 ? -1 : static_cast<int>(mask);
  }

  // Copies size bytes (fewer when in ends sooner) in the kernel where it
  // can: copy_file_range, else sendfile, else read and write. A file that
  // claims no size (as those of /proc do) is read to its end.
  static int CopyBytes(int in, int out, size_t size) {
    size_t done = 0;
    bool by_range = size > 0, by_sendfile = size > 0;
    while (by_range && done < size) {
      ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size - done, 0);
      if (n > 0) {
        done += static_cast<size_t>(n);
      } else if (n == 0) {
        return 0;
      } else if (errno == EINTR) {
      } else if (done == 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
        by_range = false;
      } else {
        return errno;
      }
    }
    if (done == size && size > 0) return 0;
    while (by_sendfile && done < size) {
      ssize_t n = ::sendfile(out, in, nullptr, size - done);
      if (n > 0) {
        done += static_cast<size_t>(n);
      } else if (n == 0) {
        return 0;
      } else if (errno == EINTR) {
      } else if (done == 0 && (errno == EINVAL || errno == ENOSYS)) {
        by_sendfile = false;
      } else {
        return errno;
      }
    }
    if (done == size && size > 0) return 0;
    std::unique_ptr<char[]> buf(new char[1 << 16]);
    while (size == 0 || done < size) {
      size_t want = size == 0 ? (1 << 16) : std::min<size_t>(1 << 16, size - done);
      ssize_t n = ::read(in, buf.get(), want);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno;
      if (n == 0) break;
      for (ssize_t at = 0; at < n;) {
        ssize_t w = ::write(out, buf.get() + at, static_cast<size_t>(n - at));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return w < 0 ? errno : ENOSPC;
        at += w;
      }
      done += static_cast<size_t>(n);
    }
    return 0;
  }

  std::vector<std::string> List(const std::string& folder, bool folders, std::vector<std::string>* left_out) {
    int opened = -1;
    OnDisk(NativeText(folder), [&](const fs::path& p) { return (opened = OpenFd(p, O_RDONLY | O_DIRECTORY)) >= 0; });
    if (opened < 0) throw Failure(u8"フォルダを一覧できません", folder, errno);
    Fd fd(opened);
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    auto leave_out = [&](std::u8string_view why, const std::string& shown) {
      if (left_out) left_out->push_back(Sjis(why) + ": " + prefix + shown);
    };
    std::vector<std::pair<std::string, std::string>> found;  // key, name
    bool read = ReadEntries(fd.get(), [&](const char* entry, unsigned char type) {
      if (entry[0] == '.') return;  // hidden
      if (type == DT_UNKNOWN || type == DT_LNK) {  // what it is (or points to) needs a look
        struct stat st;
        type = ::fstatat(fd.get(), entry, &st, 0) != 0 ? DT_UNKNOWN
               : S_ISDIR(st.st_mode)                   ? DT_DIR
               : S_ISREG(st.st_mode)                   ? DT_REG
                                                       : DT_UNKNOWN;
      }
      std::string name(entry);
      if (type != DT_DIR && type != DT_REG) {
        if (!folders) leave_out(u8"通常のファイルではないため、変換の対象にしません", ShownName(name));
        return;
      }
      if (folders != (type == DT_DIR)) return;
      auto cp932 = TryUtf8ToCp932(name);
      if (!cp932) {
        leave_out(u8"名前をコードページ932で表せないため、変換の対象にしません", ShownName(name));
        return;
      }
      found.emplace_back(SortKey(name), *cp932);
    });
    if (!read) throw Failure(u8"フォルダを一覧できません", folder, errno);
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& f : found) names.push_back(std::move(f.second));
    return names;
  }

  Resolver resolver_;
};

}  // namespace

std::optional<std::string> TryCp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  thread_local Converter to_utf8("UTF-8", "CP932");
  return to_utf8.Convert(cp932);
}

std::optional<std::string> TryUtf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter to_cp932("CP932", "UTF-8");
  return to_cp932.Convert(utf8);
}

std::unique_ptr<Env> NewPlatformEnv() { return std::make_unique<PosixEnv>(); }

Env& DefaultEnv() {
  static PosixEnv env;
  return env;
}

}  // namespace s1ordo
