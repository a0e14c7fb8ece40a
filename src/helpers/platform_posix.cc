// The POSIX side of the platform: code page 932 through iconv, files through
// std::filesystem and stdio. Names on disk are UTF-8; the converter's paths
// are code page 932 and use "/" as separator. Every path part is matched
// without regard to ASCII letter case. Hidden files are the dot-files.
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unordered_map>

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

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x < 0x80 && y < 0x80) {
      if (std::toupper(x) != std::toupper(y)) return false;
    } else if (x != y) {
      return false;
    }
  }
  return true;
}

// Upper-cased ASCII letters: the key under which names are matched.
std::string CaseKey(const std::string& name) {
  std::string key = name;
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return key;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Finds the names on disk of paths written without regard to letter case.
// The entries of the folders it had to look into are kept, by case key,
// as long as the folder's modification time stays the same (so changes by
// others are seen), and are kept up to date with the changes made through
// this object, so that creating the files of a work folder one after the
// other does not read the folder again for each file.
class Resolver {
 public:
  // The path on disk: as written when it exists (one look-up), otherwise
  // each missing part replaced by an existing entry whose name differs only
  // in letter case, when there is one.
  fs::path Resolve(const std::string& path) {
    fs::path given(NativeText(path));
    struct stat st;
    if (::lstat(given.c_str(), &st) == 0) return given;
    return ResolveMissing(given);
  }

  // Keeps the remembered entries true after a change made through this object.
  void Added(const fs::path& p) { Update(p, true); }
  void Removed(const fs::path& p) { Update(p, false); }

 private:
  struct Folder {
    struct timespec mtime;
    std::unordered_map<std::string, std::string> names;  // case key -> name
  };

  fs::path ResolveMissing(const fs::path& given) {
    if (!given.has_relative_path()) return given;
    fs::path name = given.filename();
    fs::path parent = given.parent_path();
    if (name.empty()) return ResolveMissing(parent);  // a trailing separator
    fs::path dir = parent.empty() ? fs::path(".") : parent;
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0) {
      dir = ResolveMissing(dir);
      parent = dir;
      if (::stat(dir.c_str(), &st) != 0) return parent / name;
    } else if (S_ISLNK(st.st_mode) && ::stat(dir.c_str(), &st) != 0) {
      return parent / name;
    }
    std::string wanted = name.string();
    if (wanted == "." || wanted == ".." || !S_ISDIR(st.st_mode)) return parent / name;
    const Folder& folder = Entries(dir, st);
    auto it = folder.names.find(CaseKey(wanted));
    return it == folder.names.end() ? parent / name : parent / it->second;
  }

  const Folder& Entries(const fs::path& dir, const struct stat& st) {
    auto it = folders_.find(dir.string());
    if (it != folders_.end() && SameTime(it->second.mtime, st.st_mtim)) return it->second;
    if (folders_.size() >= 16) folders_.clear();
    Folder& folder = folders_[dir.string()];
    folder.mtime = st.st_mtim;
    folder.names.clear();
    std::error_code ec;
    for (fs::directory_iterator i(dir, ec), end; !ec && i != end; i.increment(ec)) {
      std::string entry = i->path().filename().string();
      folder.names.emplace(CaseKey(entry), entry);  // the first of several variants
    }
    if (ec) folders_.erase(dir.string());
    return folders_.count(dir.string()) ? folders_[dir.string()] : Empty();
  }

  void Update(const fs::path& p, bool added) {
    fs::path dir = p.parent_path().empty() ? fs::path(".") : p.parent_path();
    auto it = folders_.find(dir.string());
    if (it == folders_.end()) return;
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0) {
      folders_.erase(it);
      return;
    }
    std::string name = p.filename().string();
    if (added) it->second.names.emplace(CaseKey(name), name);
    else it->second.names.erase(CaseKey(name));
    it->second.mtime = st.st_mtim;
  }

  static const Folder& Empty() {
    static const Folder empty{};
    return empty;
  }

  std::unordered_map<std::string, Folder> folders_;
};

// Sort key of a name as the source system's file system orders names:
// letters compared without regard to case.
std::string SortKey(const std::string& name) {
  std::string key = name;
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return key;
}

class PosixEnv : public Env {
 public:
  PathForm form() const override { return PathForm::kPosix; }

  std::string ReadFile(const std::string& path) override {
    fs::path p = resolver_.Resolve(path);
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) throw Error(Cause(u8"ファイルを開けません", errno), path);
    return ReadAndClose(f, path);
  }

  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    return Open(path, "wb");
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return Open(path, "ab");
  }

  bool Exists(const std::string& path) override {
    std::error_code ec;
    return fs::exists(resolver_.Resolve(path), ec);
  }
  bool IsFolder(const std::string& path) override {
    std::error_code ec;
    return fs::is_directory(resolver_.Resolve(path), ec);
  }
  int64_t FileSize(const std::string& path) override {
    struct stat st;
    if (::stat(resolver_.Resolve(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
  }

  void DeleteFile(const std::string& path) override {
    std::error_code ec;
    fs::path p = resolver_.Resolve(path);
    if (!fs::remove(p, ec) && ec) throw Error(Cause(u8"ファイルを削除できません", ec.value()), path);
    resolver_.Removed(p);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    std::error_code ec;
    // The file takes the name as written, as it does where letter case is
    // ignored; a file whose name differs only in case is replaced.
    fs::path source = resolver_.Resolve(from), existing = resolver_.Resolve(to);
    fs::path target = existing.parent_path() / fs::path(NativeText(to)).filename();
    fs::rename(source, target, ec);
    if (ec) throw Error(Cause(u8"ファイル名を変更できません", ec.value()), from);
    resolver_.Removed(source);
    if (existing != target && existing != source && fs::remove(existing, ec)) resolver_.Removed(existing);
    resolver_.Added(target);
  }
  void CopyFile(const std::string& from, const std::string& to) override {
    std::error_code ec;
    fs::path target = resolver_.Resolve(to);
    fs::copy_file(resolver_.Resolve(from), target, fs::copy_options::overwrite_existing, ec);
    if (ec) throw Error(Cause(u8"ファイルをコピーできません", ec.value()), to);
    resolver_.Added(target);
    // A copy of a read-only file must still be rewritable in the work folder.
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
  }
  void CreateFolder(const std::string& path) override {
    std::error_code ec;
    fs::path p = resolver_.Resolve(path);
    if (!fs::create_directory(p, ec) && ec) throw Error(Cause(u8"フォルダを作成できません", ec.value()), path);
    resolver_.Added(p);
  }

  std::vector<std::string> ListFiles(const std::string& folder) override { return List(folder, false); }
  std::vector<std::string> ListSubfolders(const std::string& folder) override { return List(folder, true); }

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

  Resolver resolver_;

  std::unique_ptr<WritableFile> Open(const std::string& path, const char* mode) {
    fs::path p = resolver_.Resolve(path);
    std::FILE* f = std::fopen(p.c_str(), mode);
    if (!f) throw Error(Cause(u8"ファイルを作成できません", errno), path);
    resolver_.Added(p);
    return NewStdioFile(path, f);
  }

  std::vector<std::string> List(const std::string& folder, bool folders) {
    fs::path dir = resolver_.Resolve(folder);
    std::error_code ec;
    std::vector<std::pair<std::string, std::string>> found;  // key, name
    fs::directory_iterator it(dir, ec);
    if (ec) throw Error(Cause(u8"フォルダを一覧できません", ec.value()), folder);
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
      if (ec) throw Error(Cause(u8"フォルダを一覧できません", ec.value()), folder);
      std::string name = it->path().filename().string();
      if (name.empty() || name[0] == '.') continue;  // hidden, "." and ".."
      std::error_code sec;
      bool is_dir = it->is_directory(sec);
      bool is_file = it->is_regular_file(sec);
      if (folders ? !is_dir : !is_file) continue;
      auto cp932 = TryUtf8ToCp932(name);
      if (!cp932) {
        if (folders) continue;  // cannot be a borehole of the source system
        throw Error(Sjis(u8"ファイル名をコードページ932で表せません: ") + DisplayEscaped(name), folder);
      }
      found.emplace_back(SortKey(name), *cp932);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& f : found) names.push_back(std::move(f.second));
    return names;
  }

  // A UTF-8 name that code page 932 cannot hold, shown with its other
  // characters escaped.
  static std::string DisplayEscaped(const std::string& utf8) {
    std::string out;
    for (unsigned char c : utf8) {
      if (c < 0x80) {
        out += static_cast<char>(c);
      } else {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02X", c);
        out += buf;
      }
    }
    return out;
  }
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
