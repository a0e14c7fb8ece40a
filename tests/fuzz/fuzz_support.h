// What the fuzz targets share: a scratch folder of their own, the split of
// one fuzz input into several files, and the check that a file was only
// appended to.
//
// A fuzz input for several files is a run of chunks separated by the two
// bytes FF FF (never found in code page 932 text). The first byte of a
// chunk picks the file (its value modulo the number of names); the rest is
// the file's content. tests/fuzz/make_corpus.py builds inputs of this form.
#ifndef S1ORDO_TESTS_FUZZ_FUZZ_SUPPORT_H_
#define S1ORDO_TESTS_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace s1ordo::fuzz {

inline constexpr std::string_view kChunkSeparator = "\xFF\xFF";

// A folder of this process under the temporary folder, emptied by Reset()
// and removed when the process ends. Its path is ASCII and has no trailing
// separator.
class Scratch {
 public:
  static Scratch& Get();
  const std::string& path() const { return path_; }
  // Removes everything in the folder and creates the given sub-folders.
  void Reset(const std::vector<std::string>& folders);

 private:
  Scratch();
  ~Scratch();
  std::string path_;
};

// The input split at kChunkSeparator; empty chunks are dropped.
std::vector<std::string_view> SplitChunks(std::string_view input);

// Chunks assigned to names: the first byte of a chunk picks the name, a
// later chunk for the same name replaces an earlier one.
std::map<std::string, std::string> AssignChunks(std::string_view input, const std::vector<std::string>& names);

void WriteFile(const std::string& path, std::string_view bytes);
// The content of a file; "" when it does not exist. exists tells which.
std::string ReadFileOr(const std::string& path, bool* exists = nullptr);

// Aborts (a finding for the fuzzer) with the message when ok is false.
void Require(bool ok, const char* what, const std::string& detail = {});

}  // namespace s1ordo::fuzz

#endif  // S1ORDO_TESTS_FUZZ_FUZZ_SUPPORT_H_
