// write_tree SOURCE TARGET
//
// Reads every file under SOURCE into memory, then times writing them all
// anew under TARGET (folders created, each file opened, written in one go
// and closed) and prints the seconds the writing took. Run on a converted
// tree, this is the least time any converter needs to leave those files on
// this file system, without reading or converting anything.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Entry {
  fs::path relative;
  bool folder = false;
  std::string bytes;
};

std::vector<Entry> Load(const fs::path& root) {
  std::vector<Entry> entries;
  for (const fs::directory_entry& item : fs::recursive_directory_iterator(root)) {
    Entry entry;
    entry.relative = fs::relative(item.path(), root);
    entry.folder = item.is_directory();
    if (!entry.folder) {
      std::ifstream in(item.path(), std::ios::binary);
      entry.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      if (!in && !in.eof()) throw std::runtime_error("cannot read " + item.path().string());
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

void Write(const fs::path& root, const std::vector<Entry>& entries) {
  fs::create_directory(root);
  for (const Entry& entry : entries) {
    const fs::path path = root / entry.relative;
    if (entry.folder) {
      fs::create_directory(path);
      continue;
    }
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) throw std::runtime_error("cannot create " + path.string());
    std::setvbuf(file, nullptr, _IONBF, 0);  // one write call per file
    bool ok = entry.bytes.empty() || std::fwrite(entry.bytes.data(), 1, entry.bytes.size(), file) == entry.bytes.size();
    if (std::fclose(file) != 0 || !ok) throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_tree SOURCE TARGET\n");
    return 2;
  }
  try {
    if (fs::exists(argv[2])) throw std::runtime_error(std::string(argv[2]) + " exists already");
    const std::vector<Entry> entries = Load(argv[1]);
    const auto start = std::chrono::steady_clock::now();
    Write(argv[2], entries);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", took.count());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "write_tree: %s\n", e.what());
    return 1;
  }
  return 0;
}
