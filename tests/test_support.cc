// The shared test helpers: temporary folders, files as bytes, the
// Windows-form test env and the user interface double.
#include "test_support.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "helpers/encoding.h"
#include "helpers/text.h"

namespace fs = std::filesystem;

namespace s1ordo::test {
namespace {

fs::path Native(const std::string& cp932) {
  auto utf8 = TryCp932ToUtf8(cp932);
  if (!utf8) throw std::runtime_error("bad code page 932 path in a test");
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8->data()), utf8->size()));
}

// A native path as code page 932 text.
std::string Text(const fs::path& p) {
  std::u8string u8 = p.u8string();
  auto cp932 = TryUtf8ToCp932(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
  if (!cp932) throw std::runtime_error("test path without a code page 932 form");
  return *cp932;
}

}  // namespace

std::string S(std::u8string_view utf8) { return Sjis(utf8); }

TempDir::TempDir() {
  std::random_device rd;
  fs::path base = fs::temp_directory_path();
  for (;;) {
    // Names of one length, so that paths (and files that hold their parts)
    // have the same length in every test run.
    char name[32];
    std::snprintf(name, sizeof name, "s1ordo-test-%010u", static_cast<unsigned>(rd()));
    fs::path p = base / name;
    if (fs::create_directory(p)) {
      path_ = Text(p);
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  // Make read-only folders left by fault tests removable again.
  for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  fs::path p = Native(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + path);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(Native(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FileExists(const std::string& path) { return fs::exists(Native(path)); }

void MakeFolder(const std::string& path) { fs::create_directories(Native(path)); }

std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> out;
  fs::path root = Native(folder);
  for (auto& entry : fs::recursive_directory_iterator(root)) {
    std::string rel = Text(fs::relative(entry.path(), root));
    if (entry.is_directory()) {
      out.emplace_back(rel + "/", "");
    } else if (!entry.is_regular_file()) {
      out.emplace_back(rel, "(not a regular file)");  // a FIFO is never opened
    } else {
      std::ifstream in(entry.path(), std::ios::binary);
      out.emplace_back(rel, std::string(std::istreambuf_iterator<char>(in), {}));
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

#ifndef _WIN32
Deadline::Deadline(unsigned seconds) { alarm(seconds); }
Deadline::~Deadline() { alarm(0); }
#endif

void SetEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  if (value.empty()) unsetenv(name);
  else setenv(name, value.c_str(), 1);
#endif
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::string WindowsEnv::Map(const std::string& path) const {
  std::string out = root_ + "/";
  out += static_cast<char>(std::toupper(static_cast<unsigned char>(path.empty() ? '?' : path[0])));
  for (size_t i = 2; i < path.size();) {
    size_t n = CharLength(path, i);
    out += (n == 1 && path[i] == '\\') ? std::string("/") : path.substr(i, n);
    i += n;
  }
  return out;
}

bool WindowsEnv::DriveUsable(char letter) {
  char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  return up == 'C' || up == 'D' || up == 'E';
}

void FakeUi::SetBoreholes(const std::vector<std::string>& list, bool select_all) {
  names = list;
  selected.assign(list.size(), select_all);
}

bool FakeUi::ShowMessage(const std::string& text, MessageKind kind, const std::string& title) {
  boxes.push_back({text, kind, title});
  if (kind != MessageKind::kQuestion) return true;
  size_t asked = 0;
  for (const auto& b : boxes)
    if (b.kind == MessageKind::kQuestion) ++asked;
  if (asked <= answers.size()) return answers[asked - 1];
  return !no_by_default;
}

}  // namespace s1ordo::test
