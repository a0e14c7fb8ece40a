// Checking, normalising, comparing and splitting folder paths of both path
// forms.
#include "helpers/paths.h"

#include "helpers/encoding.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// True when the character at byte i of text is one of the delimiters.
bool IsDelimiterAt(std::string_view text, size_t i, size_t len, std::string_view delimiters) {
  std::string_view c = text.substr(i, len);
  for (size_t d = 0; d < delimiters.size(); d += CharLength(delimiters, d))
    if (delimiters.substr(d, CharLength(delimiters, d)) == c) return true;
  return false;
}

// The parts of a path after its drive (the empty text for the POSIX root),
// as the file system walks them.
std::vector<std::string> WalkedParts(std::string_view path, PathForm form) {
  std::vector<std::string> pieces = SplitFields(path, form == PathForm::kWindows ? "\\/" : "/");
  std::vector<std::string> parts = {pieces[0]};
  for (size_t k = 1; k < pieces.size(); ++k) {
    const std::string& piece = pieces[k];
    if (piece.empty() || piece == ".") continue;
    if (piece != "..") {
      parts.push_back(piece);
    } else if (parts.size() > 1) {
      parts.pop_back();
    }
  }
  return parts;
}

}  // namespace

PathForm NativePathForm() {
#ifdef _WIN32
  return PathForm::kWindows;
#else
  return PathForm::kPosix;
#endif
}

std::string DriveMessage() {
  return Sjis(u8"規定値のドライブ名が正しくありません。ドライブ名は１文字のアルファベットと \":\" "
              u8"でなければいけません。  例 \"C:\", \"D:\"...");
}

bool IsValidPath(std::string& path, PathForm form,
                 const std::function<bool(char)>& drive_usable,
                 const std::function<void(const std::string&)>& show_message) {
  path = Trim(path);
  const char sep = Separator(form);
  if (form == PathForm::kWindows) {
    if (MidBytes(path, 2, 1) != ":") {
      show_message(DriveMessage());
      return false;
    }
  } else if (path.empty() || path[0] != '/') {
    show_message(DriveMessage());
    return false;
  }
  if (path.find_first_of("*?") != std::string::npos) return false;
  if (form == PathForm::kWindows) {
    if (CharCount(path) > 2 && MidChars(path, 3, 1) != "\\") path.insert(2, "\\");
    if (!drive_usable(path[0])) return false;
  }
  if (RightChars(path, 1) != std::string(1, sep)) path += sep;
  if (form == PathForm::kWindows && CharCount(path) == 3 && path.substr(1) == ":\\") return true;
  if (form == PathForm::kPosix && path == "/") return true;
  std::string doubled(2, sep);
  for (size_t i = 0; i + 1 < path.size(); i += CharLength(path, i))
    if (path.compare(i, 2, doubled) == 0) return false;
  return true;
}

int CountDelimiters(std::string_view text, std::string_view delimiters) {
  int total = 0;
  for (size_t d = 0; d < delimiters.size(); d += CharLength(delimiters, d)) {
    std::string_view one = delimiters.substr(d, CharLength(delimiters, d));
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
      if (text.substr(i, CharLength(text, i)) == one) ++total;
  }
  return total;
}

std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t i = 0; i < text.size();) {
    size_t len = CharLength(text, i);
    if (IsDelimiterAt(text, i, len, delimiters)) {
      pieces.emplace_back(text.substr(start, i - start));
      start = i + len;
    }
    i += len;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

bool IsSameOrInside(std::string_view path, std::string_view folder, PathForm form) {
  const std::vector<std::string> inner = WalkedParts(path, form);
  const std::vector<std::string> outer = WalkedParts(folder, form);
  if (outer.size() > inner.size()) return false;
  for (size_t k = 0; k < outer.size(); ++k)
    if (!EqualsIgnoreCase(inner[k], outer[k])) return false;
  return true;
}

bool CanBePath(std::string_view text) {
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;  // never the second byte of a character
  }
  return TryCp932ToUtf8(text).has_value();
}

size_t LastPartStart(PathForm form, std::string_view path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (CharLength(path, i) == 1 && (path[i] == '/' || (form == PathForm::kWindows && path[i] == '\\'))) start = i + 1;
  return start;
}

}  // namespace s1ordo
