// The fuzz targets' scratch folder, the split of an input into files and the
// checks that end a run with a finding.
#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace s1ordo::fuzz {

Scratch& Scratch::Get() {
  static Scratch scratch;
  return scratch;
}

Scratch::Scratch() {
  std::string pattern = (fs::temp_directory_path() / "s1ordo-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  path_ = pattern;
}

Scratch::~Scratch() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void Scratch::Reset(const std::vector<std::string>& folders) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(path_, ec)) fs::remove_all(entry.path(), ec);
  for (const std::string& folder : folders) fs::create_directories(fs::path(path_) / folder);
}

std::vector<std::string_view> SplitChunks(std::string_view input) {
  std::vector<std::string_view> chunks;
  size_t start = 0;
  while (start <= input.size()) {
    size_t end = input.find(kChunkSeparator, start);
    if (end == std::string_view::npos) end = input.size();
    if (end > start) chunks.push_back(input.substr(start, end - start));
    start = end + kChunkSeparator.size();
  }
  return chunks;
}

std::map<std::string, std::string> AssignChunks(std::string_view input, const std::vector<std::string>& names) {
  std::map<std::string, std::string> files;
  for (std::string_view chunk : SplitChunks(input)) {
    const std::string& name = names[static_cast<unsigned char>(chunk[0]) % names.size()];
    files[name] = std::string(chunk.substr(1));
  }
  return files;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Require(false, "cannot write the scratch file", path);
}

std::string ReadFileOr(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists) *exists = static_cast<bool>(in);
  if (!in) return {};
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Require(bool ok, const char* what, const std::string& detail) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace s1ordo::fuzz
