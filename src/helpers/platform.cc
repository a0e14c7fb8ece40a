// The closed library's counting, listing and size operations over the Env,
// and the whole-file writes.
#include "helpers/platform.h"

#include <limits>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/text.h"

namespace s1ordo {

int32_t InCount(std::string_view text, std::string_view one) {
  int32_t n = 0;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i))
    if (!one.empty() && text.substr(i, CharLength(text, i)) == one) ++n;
  return n;
}

std::vector<std::string> ListFiles(Env& env, const std::string& folder, std::vector<std::string>* left_out) {
  return env.ListFiles(folder, left_out);
}

std::vector<std::string> ListSubfoldersOrNone(Env& env, const std::string& folder) {
  try {
    return env.ListSubfolders(folder, nullptr);
  } catch (const Error&) {
    return {};
  }
}

int32_t FileSizeOrZero(Env& env, const std::string& path) {
  int64_t size;
  try {
    size = env.FileSize(path);
  } catch (const Error&) {
    return 0;
  }
  if (size < 0) return 0;
  if (size > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(size);
}

std::string NotRegularFileCause() { return Sjis(u8"通常のファイルではありません"); }

void WriteWholeFile(Env& env, const std::string& path, std::string_view bytes) {
  auto file = env.NewWritableFile(path);
  file->Append(bytes);
  file->Close();
}

void AppendWholeLines(Env& env, const std::string& path, std::string_view lines) {
  std::string bytes = NamingFile(path, [&] { return env.FileSize(path) >= 0 ? env.ReadFile(path) : std::string(); });
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
  bytes += lines;
  ReplaceWholeFile(env, path, bytes);
}

void ReplaceWholeFile(Env& env, const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".new";
  NamingFile(path, [&] {
    try {
      WriteWholeFile(env, temporary, bytes);
      env.ReplaceFile(temporary, path);
    } catch (const Error&) {
      try {
        if (env.FileSize(temporary) >= 0) env.DeleteFile(temporary);
      } catch (const Error&) {
        // The first failure is the one to report.
      }
      throw;
    }
  });
}

}  // namespace s1ordo
