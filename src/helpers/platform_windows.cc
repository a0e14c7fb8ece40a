// The Windows side of the platform: code page 932 through the Win32 API,
// files through std::filesystem on wide paths and stdio. The file system
// already ignores letter case; hidden and system files are not listed.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

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

std::optional<std::string> FromWide(std::wstring_view wide, UINT code_page) {
  if (wide.empty()) return std::string();
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

class WindowsEnv : public Env {
 public:
  PathForm form() const override { return PathForm::kWindows; }

  std::string ReadFile(const std::string& path) override {
    std::FILE* f = _wfopen(Native(path).c_str(), L"rb");
    if (!f) throw Error(Cause(u8"ファイルを開けません", errno), path);
    return ReadAndClose(f, path);
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override { return Open(path, L"wb"); }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override { return Open(path, L"ab"); }

  bool Exists(const std::string& path) override {
    std::error_code ec;
    return fs::exists(Native(path), ec);
  }
  bool IsFolder(const std::string& path) override {
    std::error_code ec;
    return fs::is_directory(Native(path), ec);
  }
  int64_t FileSize(const std::string& path) override {
    std::error_code ec;
    fs::path p = Native(path);
    if (!fs::is_regular_file(p, ec)) return -1;
    auto size = fs::file_size(p, ec);
    return ec ? -1 : static_cast<int64_t>(size);
  }
  void DeleteFile(const std::string& path) override {
    std::error_code ec;
    if (!fs::remove(Native(path), ec) && ec) throw Error(Cause(u8"ファイルを削除できません", ec.value()), path);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    if (!MoveFileExW(Native(from).c_str(), Native(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      throw Error(Sjis(u8"ファイル名を変更できません"), from);
  }
  void CopyFile(const std::string& from, const std::string& to) override {
    std::error_code ec;
    // Copying a file onto itself fails and leaves it whole.
    if (fs::equivalent(Native(from), Native(to), ec))
      throw Error(Sjis(u8"ファイルをコピーできません: コピー元とコピー先が同じファイルです"), to);
    try {
      std::string bytes = ReadFile(from);
      auto out = NewWritableFile(to);
      out->Append(bytes);
      out->Close();
    } catch (Error& e) {
      e.set_file(to);  // every failure of a copy names the copy
      throw;
    }
  }
  void CreateFolder(const std::string& path) override {
    std::error_code ec;
    if (!fs::create_directory(Native(path), ec) && ec)
      throw Error(Cause(u8"フォルダを作成できません", ec.value()), path);
  }
  std::vector<std::string> ListFiles(const std::string& folder) override { return List(folder, false); }
  std::vector<std::string> ListSubfolders(const std::string& folder) override { return List(folder, true); }

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
  std::unique_ptr<WritableFile> Open(const std::string& path, const wchar_t* mode) {
    std::FILE* f = _wfopen(Native(path).c_str(), mode);
    if (!f) throw Error(Cause(u8"ファイルを作成できません", errno), path);
    return NewStdioFile(path, f);
  }

  std::vector<std::string> List(const std::string& folder, bool folders) {
    std::error_code ec;
    std::vector<std::pair<std::wstring, std::string>> found;
    fs::directory_iterator it(Native(folder), ec);
    if (ec) throw Error(Cause(u8"フォルダを一覧できません", ec.value()), folder);
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
      if (ec) throw Error(Cause(u8"フォルダを一覧できません", ec.value()), folder);
      std::wstring name = it->path().filename().wstring();
      DWORD attributes = GetFileAttributesW(it->path().c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) continue;
      if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE)) continue;
      bool is_dir = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (folders != is_dir) continue;
      auto cp932 = FromWide(name, 932);
      if (!cp932) {
        if (folders) continue;
        throw Error(Sjis(u8"ファイル名をコードページ932で表せません"), folder);
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
