// Conversion between the converter's texts (code page 932 byte strings) and
// UTF-8, used only at the edges: file names on POSIX file systems, and what
// a window or terminal shows. The conversion itself lives in the platform
// module (iconv on POSIX, the Win32 API on Windows).
#ifndef S1ORDO_HELPERS_ENCODING_H_
#define S1ORDO_HELPERS_ENCODING_H_

#include <optional>
#include <string>
#include <string_view>

namespace s1ordo {

// Code page 932 bytes to UTF-8; nullopt when the bytes are not valid.
std::optional<std::string> TryCp932ToUtf8(std::string_view cp932);
// UTF-8 to code page 932; nullopt when a character has no code page 932 form.
std::optional<std::string> TryUtf8ToCp932(std::string_view utf8);

// The 1-based number of the first line of a file's bytes that is not code
// page 932 text, lines ending at CR LF, CR or LF; for bytes that read as
// code page 932 but are UTF-8 beyond ASCII throughout (a file saved as
// UTF-8, read as other characters), the first line beyond ASCII; 0 for
// code page 932 text.
long FirstLineNotCodePage932(std::string_view bytes);

// For display: invalid bytes become "?" so something can always be shown.
std::string DisplayText(std::string_view cp932);

// UTF-8 to code page 932 for input typed by a user; throws Error naming the
// text when it holds characters that code page 932 cannot store.
std::string InputText(std::string_view utf8);

// A program constant written in the source as UTF-8 (u8"..."), as the
// converter's code page 932 text. Throws Error when it cannot be converted,
// which would be a fault of the program itself.
std::string Sjis(std::u8string_view utf8);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_ENCODING_H_
