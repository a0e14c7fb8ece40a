// Texts are code page 932 (Shift-JIS) byte strings. A character is one byte,
// or two when the first is a lead byte (0x81-0x9F, 0xE0-0xFC). Field widths
// are counted in characters or in bytes, as each caller says.
#ifndef S1ORDO_HELPERS_TEXT_H_
#define S1ORDO_HELPERS_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

namespace s1ordo {

inline bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Byte length of the character that starts at byte i (1 or 2; 1 for a lead
// byte that ends the text).
inline size_t CharLength(std::string_view text, size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}

// Number of characters in the text.
size_t CharCount(std::string_view text);
// Byte offsets of the characters, in order.
std::vector<size_t> CharStarts(std::string_view text);

// The first n characters (all when shorter), the last n, or n from the
// 1-based character position start.
std::string LeftChars(std::string_view text, size_t n);
std::string RightChars(std::string_view text, size_t n);
std::string MidChars(std::string_view text, size_t start, size_t n);

// Blanks are the ASCII space only.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// The first n bytes of the text; the whole text when it is n bytes or shorter.
std::string LeftBytes(std::string_view text, long n);
// Bytes start .. start+length-1 (1-based); fewer when the text ends sooner,
// empty when start lies past the end.
std::string MidBytes(std::string_view text, long start, long length);

// The last w characters of (w blanks & text): right-justified in w characters.
std::string RightJustify(std::string_view text, size_t w);
// The last w characters of (w copies of pad & text), e.g. "000" & code.
std::string RightJustifyWith(std::string_view text, size_t w, char pad);
// Appends RightJustifyWith(text, w, pad) to out.
void AppendRightJustified(std::string& out, std::string_view text, size_t w, char pad = ' ');
// The first w characters of (text & w blanks): left-justified in w characters.
std::string LeftJustify(std::string_view text, size_t w);
// text = LeftJustify(text, w), in the text's own buffer.
void LeftJustifyInPlace(std::string& text, size_t w);
// LeftBytes(text & w blanks, w): left-justified in w bytes.
std::string LeftJustifyBytes(std::string_view text, size_t w);

// Byte offset of the first occurrence of part at or after byte from, as a
// run of whole characters (a match never starts at the second byte of a
// double-byte character); npos when none. Nothing is found in an empty text;
// an empty part is found at the start of any other text.
size_t FindChars(std::string_view text, std::string_view part, size_t from = 0);
bool ContainsChars(std::string_view text, std::string_view part);

// Compare ignoring ASCII letter case (file names).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
// The text with its single-byte letters upper-cased (never a byte of a
// double-byte character): texts that EqualsIgnoreCase finds equal have one
// key.
std::string UpperCaseKey(std::string_view text);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_TEXT_H_
