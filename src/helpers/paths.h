// Checking, normalising and splitting folder paths.
//
// Two path forms exist. The Windows form: a drive letter, ":", then folder
// names separated by "\". The POSIX form: "/" in place of "\", and the root
// "/" plays the drive (its part is the empty text when a path is split).
// The platform picks the form at run time; both work everywhere.
#ifndef S1ORDO_HELPERS_PATHS_H_
#define S1ORDO_HELPERS_PATHS_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace s1ordo {

enum class PathForm { kWindows, kPosix };

inline char Separator(PathForm form) { return form == PathForm::kWindows ? '\\' : '/'; }

// The form of the platform the program runs on.
PathForm NativePathForm();

// The message shown when the path does not begin with a drive.
std::string DriveMessage();

// Checks the path and normalises it in place; it always ends with the
// separator when accepted. Only a malformed drive part shows a message
// (through show_message); every other rejection returns false silently,
// with the path normalised up to the failing step. drive_usable tells
// whether the drive of a Windows-form path exists and can be used.
bool IsValidPath(std::string& path, PathForm form,
                 const std::function<bool(char)>& drive_usable,
                 const std::function<void(const std::string&)>& show_message);

// Number of characters of the text that occur in the delimiter set
// (counting characters, never the second byte of a double-byte character).
int CountDelimiters(std::string_view text, std::string_view delimiters);

// The pieces of the text between delimiter characters, empty pieces
// included: a text with c delimiters gives c + 1 pieces.
std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiters);

// Whether path names folder itself or something inside it, compared as the
// file system compares paths: ASCII letter case ignored, repeated and
// trailing separators and "." parts dropped, ".." parts taken back. The
// Windows form takes "/" as a separator too.
bool IsSameOrInside(std::string_view path, std::string_view folder, PathForm form);

// Where the last part of a path begins: after its last separator (in the
// Windows form "/" too, and never the second byte of a double-byte
// character); 0 when it has none.
size_t LastPartStart(PathForm form, std::string_view path);

// Whether a text read from a settings file can name a path: valid code page
// 932 without any control character (a NUL would cut the name short).
bool CanBePath(std::string_view text);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_PATHS_H_
