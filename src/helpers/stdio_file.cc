#include "helpers/stdio_file.h"

#include <cerrno>
#include <cstring>

#include "helpers/encoding.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

class StdioFile : public WritableFile {
 public:
  StdioFile(std::string path, std::FILE* f) : path_(std::move(path)), f_(f) {
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
  }
  ~StdioFile() override {
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

}  // namespace

std::string Cause(std::u8string_view what, int err) {
  // Said as the system of the program's users says it.
  if (err == EACCES || err == EPERM) return Sjis(what) + ": " + Sjis(u8"アクセスが拒否されました");
  std::string reason = std::strerror(err);
  auto converted = TryUtf8ToCp932(reason);
  return Sjis(what) + ": " + (converted ? *converted : reason);
}

std::unique_ptr<WritableFile> NewStdioFile(std::string path, std::FILE* f) {
  return std::make_unique<StdioFile>(std::move(path), f);
}

std::string ReadAndClose(std::FILE* f, const std::string& path) {
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

}  // namespace s1ordo
