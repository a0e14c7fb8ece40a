// Files read and written through stdio, shared by the platform modules.
#ifndef S1ORDO_HELPERS_STDIO_FILE_H_
#define S1ORDO_HELPERS_STDIO_FILE_H_

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "helpers/env.h"

namespace s1ordo {

// "what: the system's reason for errno err" as a code page 932 text; a
// refused permission is "アクセスが拒否されました".
std::string Cause(std::u8string_view what, int err);

// A file opened for writing (f), buffered; the Error of a failed write or
// close names path.
std::unique_ptr<WritableFile> NewStdioFile(std::string path, std::FILE* f);

// The whole content of an open file, which it closes; a failed read throws
// Error naming path.
std::string ReadAndClose(std::FILE* f, const std::string& path);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_STDIO_FILE_H_
