// Files read and written through stdio, shared by the platform modules.
#ifndef S1ORDO_HELPERS_STDIO_FILE_H_
#define S1ORDO_HELPERS_STDIO_FILE_H_

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "helpers/env.h"

namespace s1ordo {

// The reason of a failure with errno err in Japanese ("アクセスが拒否されました"
// for a refused permission, "ファイルまたはフォルダがありません" ...); for
// the rare errno values without one, "システムエラー" and number (the errno
// itself, or the system's own code of the failure).
std::string Reason(int err, unsigned long number);

// "what: reason (system_text)" as a code page 932 text; the system's own
// text is left out when it is empty or says what reason says.
std::string Cause(std::u8string_view what, const std::string& reason, std::string_view system_text);

// Cause for errno err, with the C library's text for it.
std::string Cause(std::u8string_view what, int err);

// A file opened for writing (f), buffered; the Error of a failed write or
// close names path.
std::unique_ptr<WritableFile> NewStdioFile(std::string path, std::FILE* f);

// The whole content of an open file, which it closes; a failed read throws
// Error naming path.
std::string ReadAndClose(std::FILE* f, const std::string& path);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_STDIO_FILE_H_
