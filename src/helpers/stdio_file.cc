// Files written and read through stdio, and the Japanese causes of failures
// by errno, for the platform modules.
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

// The reason for errno err as the program's users would read it; empty for
// the rare ones.
std::u8string_view JapaneseReason(int err) {
  switch (err) {
    case ENOENT: return u8"ファイルまたはフォルダがありません";
    case EACCES:
    case EPERM: return u8"アクセスが拒否されました";
    case ENOSPC: return u8"ディスクの空き容量が足りません";
#ifdef EDQUOT
    case EDQUOT: return u8"ディスクの使用量の上限を超えました";
#endif
    case EROFS: return u8"読み取り専用のファイルシステムです";
    case EEXIST: return u8"同じ名前のファイルまたはフォルダが既にあります";
    case EISDIR: return u8"ファイルではなくフォルダです";
    case ENOTDIR: return u8"フォルダではありません";
    case ENOTEMPTY: return u8"フォルダが空ではありません";
    case ENAMETOOLONG: return u8"名前が長すぎます";
    case ELOOP: return u8"シンボリックリンクの段数が多すぎます";
    case EMLINK: return u8"リンクが多すぎます";
    case EBUSY: return u8"使用中です";
#ifdef ETXTBSY
    case ETXTBSY: return u8"使用中です";
#endif
    case EIO: return u8"入出力エラーが発生しました";
    case EFBIG: return u8"ファイルが大きすぎます";
    case EMFILE:
    case ENFILE: return u8"開いているファイルが多すぎます";
    case ENOMEM: return u8"メモリが足りません";
    case EXDEV: return u8"別のドライブやファイルシステムへは移せません";
    case EINVAL: return u8"名前またはパスが正しくありません";
    default: return {};
  }
}

}  // namespace

std::string Reason(int err, unsigned long number) {
  std::u8string_view reason = JapaneseReason(err);
  return reason.empty() ? Sjis(u8"システムエラー ") + std::to_string(number) : Sjis(reason);
}

std::string Cause(std::u8string_view what, const std::string& reason, std::string_view system_text) {
  std::string cause = Sjis(what) + ": " + reason;
  std::string_view said = system_text;
  const std::string full_stop = Sjis(u8"。");
  if (said.ends_with(full_stop)) said.remove_suffix(full_stop.size());
  if (!said.empty() && said != reason) cause += " (" + std::string(system_text) + ")";
  return cause;
}

std::string Cause(std::u8string_view what, int err) {
  // The C library's text is UTF-8 in the locale of a Japanese desktop and
  // ASCII in the C locale; in another code it is left out.
  auto text = TryUtf8ToCp932(std::strerror(err));
  return Cause(what, Reason(err, static_cast<unsigned long>(err)), text ? *text : std::string());
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
