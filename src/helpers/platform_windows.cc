// The Windows side of the platform: code page 932 through the Win32 API,
// files through std::filesystem on wide paths and stdio. The file system
// already ignores letter case; a path part that is missing as written is
// looked for among its folder's entries by its code page 932 form (a name
// held as U+301C WAVE DASH is the code page 932 wave dash). Hidden and
// system files are not listed.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <io.h>

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
#include "helpers/stdio_file.h"
#include "helpers/text.h"

namespace fs = std::filesystem;

namespace s1ordo {
namespace {

std::optional<std::wstring> ToWide(std::string_view bytes, UINT code_page) {
  if (bytes.empty()) return std::wstring();
  int n = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                              nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return wide;
}

// Characters that other systems write where code page 932 has a character
// of its own (the forms of JIS X 0208): taken as that character, as the
// POSIX side's converter takes them.
wchar_t Cp932Counterpart(wchar_t c) {
  switch (c) {
    case 0x301C: return 0xFF5E;  // wave dash
    case 0x2016: return 0x2225;  // double vertical line
    case 0x2212: return 0xFF0D;  // minus sign
    case 0x00A2: return 0xFFE0;  // cent sign
    case 0x00A3: return 0xFFE1;  // pound sign
    case 0x00AC: return 0xFFE2;  // not sign
    case 0x2014: return 0x2015;  // em dash
    default: return c;
  }
}

std::optional<std::string> FromWide(std::wstring_view given, UINT code_page) {
  if (given.empty()) return std::string();
  std::wstring wide(given);
  if (code_page == 932)
    for (wchar_t& c : wide) c = Cp932Counterpart(c);
  BOOL used_default = FALSE;
  BOOL* check = code_page == CP_UTF8 ? nullptr : &used_default;
  DWORD flags = code_page == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(code_page, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                              check);
  if (n <= 0 || used_default) return std::nullopt;
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr, check);
  return bytes;
}

fs::path Native(const std::string& path) {
  auto wide = ToWide(path, 932);
  if (!wide) throw Error(Sjis(u8"パスに使えない文字があります"), path);
  return fs::path(*wide);
}

std::string Cp932(const std::wstring& wide) {
  auto text = FromWide(wide, 932);
  return text ? *text : std::string("?");
}

std::wstring SortKey(std::wstring name) {
  CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

// The key under which a name on disk is matched: its code page 932 form
// with ASCII letters upper-cased; nullopt when code page 932 cannot hold it.
std::optional<std::string> MatchKey(const std::wstring& name) {
  auto key = FromWide(name, 932);
  if (!key) return std::nullopt;
  return UpperCaseKey(*key);
}

bool IsAscii(const std::wstring& name) {
  return std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; });
}

bool Missing(DWORD err) { return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND; }

// The errno that says what a Win32 error says, for the messages; 0 for
// the rare ones.
int ErrnoOf(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
    case ERROR_PATH_BUSY: return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return EINVAL;
    case ERROR_TOO_MANY_LINKS: return EMLINK;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_IO_DEVICE: return EIO;
    default: return 0;
  }
}

// The system's own text of a Win32 error in the user's language, as code
// page 932; empty when there is none or code page 932 cannot hold it.
std::string SystemText(DWORD err) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, err, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", buffer ? n : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return FromWide(text, 932).value_or(std::string());
}

// Cause for a Win32 error: the Japanese reason of its errno, the system's
// text after it.
std::string Win32Cause(std::u8string_view what, DWORD err) {
  return Cause(what, Reason(ErrnoOf(err), err), SystemText(err));
}

// Cause for an error of std::filesystem, which gives Win32 errors in the
// system category and errno values in the generic one.
std::string FsCause(std::u8string_view what, const std::error_code& ec) {
  if (ec.category() == std::system_category()) return Win32Cause(what, static_cast<DWORD>(ec.value()));
  return Cause(what, ec.value());
}

// Cause for a failed _wfopen: by the Win32 error behind it when the C
// library kept one (_doserrno, cleared before the call), else by errno.
std::string OpenCause(std::u8string_view what) {
  const unsigned long os_error = _doserrno;
  const int err = errno;
  return os_error != 0 ? Win32Cause(what, os_error) : Cause(what, err);
}

// A name of the file system shown in code page 932: each character that
// code page 932 lacks as <U+XXXX>.
std::string ShownName(const std::wstring& name) {
  std::string out;
  for (wchar_t c : name) {
    auto one = FromWide(std::wstring(1, c), 932);
    if (one) {
      out += *one;
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "<U+%04X>", static_cast<unsigned>(c));
      out += buf;
    }
  }
  return out;
}

// The lock of a folder: a lock file in it, opened without sharing and
// removed by the system when the handle closes, also when the process is
// killed. An invalid handle holds nothing.
class HandleLock : public FolderLock {
 public:
  explicit HandleLock(HANDLE h) : h_(h) {}
  ~HandleLock() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }

 private:
  HANDLE h_;
};

class WindowsEnv : public Env {
 public:
  PathForm form() const override { return PathForm::kWindows; }

  std::string ReadFile(const std::string& path) override {
    const fs::path p = OnDisk(path);
    _doserrno = 0;
    std::FILE* f = _wfopen(p.c_str(), L"rb");
    if (!f) throw Error(OpenCause(u8"ファイルを開けません"), path);
    if (!OnTheDisk(f)) {
      std::fclose(f);
      throw Error(NotRegularFileCause(), path);
    }
    return ReadAndClose(f, path);
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override { return Open(path, L"wb"); }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override { return Open(path, L"ab"); }

  bool Exists(const std::string& path) override {
    return GetFileAttributesW(OnDisk(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool IsFolder(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!Attributes(path, &data)) return false;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  int64_t FileSize(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!Attributes(path, &data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) throw Error(NotRegularFileCause(), path);
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  }
  void DeleteFile(const std::string& path) override {
    std::error_code ec;
    if (!fs::remove(OnDisk(path), ec) && ec) throw Error(FsCause(u8"ファイルを削除できません", ec), path);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    if (!MoveFileExW(OnDisk(from).c_str(), OnDisk(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      throw Error(Win32Cause(u8"ファイル名を変更できません", GetLastError()), from);
  }
  void ReplaceFile(const std::string& from, const std::string& to) override {
    const fs::path source = OnDisk(from), target = OnDisk(to);
    try {
      const DWORD old = GetFileAttributesW(target.c_str());
      const bool replacing = old != INVALID_FILE_ATTRIBUTES;
      if (replacing && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        throw Error(NotRegularFileCause(), to);
      if (replacing && (old & FILE_ATTRIBUTE_READONLY))
        throw Error(Sjis(u8"ファイルを書き換えられません: 読み取り専用のファイルです"), to);
      HANDLE h = CreateFileW(source.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h == INVALID_HANDLE_VALUE) throw Error(Win32Cause(u8"ファイル名を変更できません", GetLastError()), from);
      const bool flushed = FlushFileBuffers(h) != 0;
      const DWORD err = GetLastError();
      CloseHandle(h);
      if (!flushed) throw Error(Win32Cause(u8"ファイルに書き込めません", err), to);
      // ReplaceFileW keeps the replaced file's attributes and permissions.
      if (!(replacing && ::ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                        nullptr, nullptr)) &&
          !MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw Error(Win32Cause(u8"ファイル名を変更できません", GetLastError()), from);
    } catch (const Error&) {
      DeleteFileW(source.c_str());
      throw;
    }
  }
  void CopyFile(const std::string& from, const std::string& to) override {
    std::error_code ec;
    const fs::path source = OnDisk(from);
    // Copying a file onto itself fails and leaves it whole.
    if (fs::equivalent(source, OnDisk(to), ec))
      throw Error(Sjis(u8"ファイルをコピーできません: コピー元とコピー先が同じファイルです"), to);
    NamingFile(to, [&] {  // every failure of a copy names the copy
      std::string bytes = ReadFile(from);
      auto out = Open(to, L"wb", &source);
      out->Append(bytes);
      out->Close();
    });
  }
  void CreateFolder(const std::string& path) override {
    std::error_code ec;
    if (!fs::create_directory(OnDisk(path), ec) && ec)
      throw Error(FsCause(u8"フォルダを作成できません", ec), path);
  }
  std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>* left_out) override {
    return List(folder, false, left_out);
  }
  std::vector<std::string> ListSubfolders(const std::string& folder, std::vector<std::string>* left_out) override {
    return List(folder, true, left_out);
  }

  std::unique_ptr<FolderLock> TryLockFolder(const std::string& folder) override {
    const fs::path lock = OnDisk(folder) / L"s1ordo-run.lock";
    HANDLE h = CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) return std::make_unique<HandleLock>(h);
    const DWORD err = GetLastError();
    if (err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION) return nullptr;
    if (err == ERROR_ACCESS_DENIED || err == ERROR_WRITE_PROTECT || err == ERROR_NOT_SUPPORTED) {
      // Still there: the run that held it is closing it. Not there: a
      // folder the program may not write, with nothing to guard.
      if (GetFileAttributesW(lock.c_str()) != INVALID_FILE_ATTRIBUTES) return nullptr;
      return std::make_unique<HandleLock>(INVALID_HANDLE_VALUE);
    }
    throw Error(Win32Cause(u8"フォルダをロックできません", err), folder);
  }

  bool DriveUsable(char letter) override {
    char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (up < 'A' || up > 'Z') return false;
    if (!(GetLogicalDrives() & (1u << (up - 'A')))) return false;
    wchar_t root[] = {static_cast<wchar_t>(up), L':', L'\\', 0};
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL ready = GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
    SetErrorMode(old);
    return ready != 0;
  }
  std::string SystemFolder() override {
    wchar_t buf[MAX_PATH];
    UINT n = GetSystemDirectoryW(buf, MAX_PATH);
    return Cp932(std::wstring(buf, n));
  }
  std::string ProgramFolder() override {
    if (const char* over = std::getenv("S1ORDO_PROGRAM_FOLDER"); over && *over) {
      std::string p = over;
      while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
      return p;
    }
    wchar_t buf[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
    return Cp932(fs::path(std::wstring(buf, n)).parent_path().wstring());
  }
  std::string CurrentFolder() override {
    std::error_code ec;
    return Cp932(fs::current_path(ec).wstring());
  }

 private:
  // The path on disk: as written when that is there; otherwise each part
  // that is missing as written is the entry of its folder with the same
  // match key, as far as there is one. Only parts with characters beyond
  // ASCII can differ from the file system's own matching.
  static fs::path OnDisk(const std::string& path) { return OnDisk(Native(path)); }
  static fs::path OnDisk(const fs::path& given) {
    if (GetFileAttributesW(given.c_str()) != INVALID_FILE_ATTRIBUTES || !Missing(GetLastError())) return given;
    const fs::path parent = given.parent_path();
    if (parent == given || parent.empty()) return given;
    if (!given.has_filename()) return OnDisk(parent) / L"";  // a trailing separator
    fs::path folder = parent;
    if (GetFileAttributesW(parent.c_str()) == INVALID_FILE_ATTRIBUTES) {
      if (!Missing(GetLastError())) return given;
      folder = OnDisk(parent);
      if (folder == parent) return given;
    }
    return folder / OwnName(folder, given.filename().wstring());
  }

  // The name in folder that matches name by its code page 932 form; name
  // when there is none.
  static std::wstring OwnName(const fs::path& folder, const std::wstring& name) {
    if (IsAscii(name)) return name;
    const auto key = MatchKey(name);
    if (!key) return name;
    WIN32_FIND_DATAW entry;
    HANDLE h = FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return name;
    std::wstring own = name;
    do {
      if (MatchKey(entry.cFileName) == key) {
        own = entry.cFileName;
        break;
      }
    } while (FindNextFileW(h, &entry));
    FindClose(h);
    return own;
  }

  // The attributes of path; false when nothing is there. A folder on the
  // way that may not be read is a failure.
  static bool Attributes(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA* data) {
    if (GetFileAttributesExW(OnDisk(path).c_str(), GetFileExInfoStandard, data)) return true;
    const DWORD err = GetLastError();
    if (err == ERROR_ACCESS_DENIED) throw Error(Win32Cause(u8"ファイルを調べられません", err), path);
    return false;
  }

  // Whether an open file is a file on a disk (not a device or a pipe).
  static bool OnTheDisk(std::FILE* f) {
    return GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)))) == FILE_TYPE_DISK;
  }

  // Removes what stands at p before a new file is written there when it is
  // a link, or for a new file ("wb") a file with other names too: the run
  // never writes through them.
  static void ClearWay(const fs::path& p, bool fresh) {
    const DWORD attributes = GetFileAttributesW(p.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    bool clear = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (!clear && fresh) {
      HANDLE h = CreateFileW(p.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
      BY_HANDLE_FILE_INFORMATION info;
      if (h != INVALID_HANDLE_VALUE) {
        clear = GetFileInformationByHandle(h, &info) && info.nNumberOfLinks > 1;
        CloseHandle(h);
      }
    }
    if (clear) DeleteFileW(p.c_str());
  }

  // Opens path for writing in mode ("wb" or "ab"). A new copy of the file
  // at source takes source's name when path names it in another form.
  std::unique_ptr<WritableFile> Open(const std::string& path, const wchar_t* mode, const fs::path* source = nullptr) {
    fs::path p = OnDisk(path);
    if (source && source->filename() != p.filename() && GetFileAttributesW(p.c_str()) == INVALID_FILE_ATTRIBUTES &&
        FromWide(source->filename().wstring(), 932) == FromWide(p.filename().wstring(), 932))
      p = p.parent_path() / source->filename();
    ClearWay(p, mode[0] == L'w');
    _doserrno = 0;
    std::FILE* f = _wfopen(p.c_str(), mode);
    if (!f) throw Error(OpenCause(u8"ファイルを作成できません"), path);
    if (!OnTheDisk(f)) {
      std::fclose(f);
      throw Error(NotRegularFileCause(), path);
    }
    return NewStdioFile(path, f);
  }

  std::vector<std::string> List(const std::string& folder, bool folders, std::vector<std::string>* left_out) {
    std::error_code ec;
    std::vector<std::pair<std::wstring, std::string>> found;
    fs::directory_iterator it(OnDisk(folder), ec);
    if (ec) throw Error(FsCause(u8"フォルダを一覧できません", ec), folder);
    const std::string prefix = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
      if (ec) throw Error(FsCause(u8"フォルダを一覧できません", ec), folder);
      std::wstring name = it->path().filename().wstring();
      DWORD attributes = GetFileAttributesW(it->path().c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) continue;
      if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE)) continue;
      bool is_dir = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (folders != is_dir) continue;
      auto cp932 = FromWide(name, 932);
      if (!cp932) {
        if (left_out)
          left_out->push_back(Sjis(u8"名前をコードページ932で表せないため、変換の対象にしません") + ": " + prefix +
                              ShownName(name));
        continue;
      }
      found.emplace_back(SortKey(name), *cp932);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& f : found) names.push_back(std::move(f.second));
    return names;
  }
};

}  // namespace

std::optional<std::string> TryCp932ToUtf8(std::string_view cp932) {
  auto wide = ToWide(cp932, 932);
  if (!wide) return std::nullopt;
  return FromWide(*wide, CP_UTF8);
}

std::optional<std::string> TryUtf8ToCp932(std::string_view utf8) {
  auto wide = ToWide(utf8, CP_UTF8);
  if (!wide) return std::nullopt;
  return FromWide(*wide, 932);
}

std::unique_ptr<Env> NewPlatformEnv() { return std::make_unique<WindowsEnv>(); }

Env& DefaultEnv() {
  static WindowsEnv env;
  return env;
}

}  // namespace s1ordo
