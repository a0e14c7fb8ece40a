// The POSIX side of the platform: code page 932 through iconv, files through
// std::filesystem and stdio. Names on disk are UTF-8; the converter's paths
// are code page 932 and use "/" as separator. Every path part is matched
// without regard to ASCII letter case. Hidden files are the dot-files.
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "helpers/encoding.h"
#include "helpers/env.h"
#include "helpers/error.h"
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

// "what: reason" as a code page 932 text.
std::string Cause(std::u8string_view what, int err) {
  std::string reason = std::strerror(err);
  auto converted = TryUtf8ToCp932(reason);
  return Sjis(what) + ": " + (converted ? *converted : reason);
}

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

// The path on disk: each part that does not exist as written is replaced
// by an existing entry whose name differs only in letter case.
fs::path Resolve(const std::string& path) {
  std::string native = NativeText(path);
  fs::path given(native);
  fs::path out = given.has_root_path() ? given.root_path() : fs::path();
  bool resolving = true;
  for (const fs::path& part : given.relative_path()) {
    std::string name = part.string();
    if (name.empty()) continue;
    fs::path next = out / part;
    std::error_code ec;
    if (resolving && name != "." && name != ".." && !fs::exists(fs::symlink_status(next, ec))) {
      bool found = false;
      fs::path dir = out.empty() ? fs::path(".") : out;
      for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (SameIgnoringCase(candidate, name)) {
          next = out / candidate;
          found = true;
          break;
        }
      }
      if (!found) resolving = false;
    }
    out = next;
  }
  return out;
}

// Sort key of a name as the source system's file system orders names:
// letters compared without regard to case.
std::string SortKey(const std::string& name) {
  std::string key = name;
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return key;
}

class PosixFile : public WritableFile {
 public:
  PosixFile(std::string path, std::FILE* f) : path_(std::move(path)), f_(f) {
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
  }
  ~PosixFile() override {
    if (f_) std::fclose(f_);
  }
  void Append(std::string_view bytes) override {
    if (!f_) throw Error(Sjis(u8"閉じたファイルに書き込もうとしました"), path_);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f_) != bytes.size())
      throw Error(Cause(u8"ファイルに書き込めません", errno), path_);
  }
  void Close() override {
    if (!f_) return;
    std::FILE* f = f_;
    f_ = nullptr;
    bool ok = std::fflush(f) == 0;
    int err = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) throw Error(Cause(u8"ファイルに書き込めません", err ? err : errno), path_);
  }

 private:
  std::string path_;
  std::FILE* f_;
};

class PosixEnv : public Env {
 public:
  PathForm form() const override { return PathForm::kPosix; }

  std::string ReadFile(const std::string& path) override {
    fs::path p = Resolve(path);
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) throw Error(Cause(u8"ファイルを開けません", errno), path);
    std::string bytes;
    char buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    bool failed = std::ferror(f);
    int err = errno;
    std::fclose(f);
    if (failed) throw Error(Cause(u8"ファイルを読めません", err), path);
    return bytes;
  }

  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    return Open(path, "wb");
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return Open(path, "ab");
  }

  bool Exists(const std::string& path) override {
    std::error_code ec;
    return fs::exists(Resolve(path), ec);
  }
  bool IsFolder(const std::string& path) override {
    std::error_code ec;
    return fs::is_directory(Resolve(path), ec);
  }
  int64_t FileSize(const std::string& path) override {
    std::error_code ec;
    fs::path p = Resolve(path);
    if (!fs::is_regular_file(p, ec)) return -1;
    auto size = fs::file_size(p, ec);
    return ec ? -1 : static_cast<int64_t>(size);
  }

  void DeleteFile(const std::string& path) override {
    std::error_code ec;
    if (!fs::remove(Resolve(path), ec) && ec) throw Error(Cause(u8"ファイルを削除できません", ec.value()), path);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    std::error_code ec;
    fs::rename(Resolve(from), Resolve(to), ec);
    if (ec) throw Error(Cause(u8"ファイル名を変更できません", ec.value()), from);
  }
  void CopyFile(const std::string& from, const std::string& to) override {
    // Copied through the buffered writer so that a full disk is reported.
    std::string bytes = ReadFile(from);
    auto out = NewWritableFile(to);
    out->Append(bytes);
    out->Close();
  }
  void CreateFolder(const std::string& path) override {
    std::error_code ec;
    fs::path p = Resolve(path);
    if (!fs::create_directory(p, ec) && ec) throw Error(Cause(u8"フォルダを作成できません", ec.value()), path);
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

  std::unique_ptr<WritableFile> Open(const std::string& path, const char* mode) {
    fs::path p = Resolve(path);
    std::FILE* f = std::fopen(p.c_str(), mode);
    if (!f) throw Error(Cause(u8"ファイルを作成できません", errno), path);
    return std::make_unique<PosixFile>(path, f);
  }

  std::vector<std::string> List(const std::string& folder, bool folders) {
    fs::path dir = Resolve(folder);
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

Env& DefaultEnv() {
  static PosixEnv env;  // stateless
  return env;
}

}  // namespace s1ordo
