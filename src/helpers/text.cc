// Character and byte cuts of code page 932 texts, blanks trimmed, fields
// justified, and letter case ignored.
#include "helpers/text.h"

#include <algorithm>

namespace s1ordo {

size_t CharCount(std::string_view text) {
  size_t n = 0;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) ++n;
  return n;
}

std::vector<size_t> CharStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) starts.push_back(i);
  return starts;
}

namespace {

// Byte position after n characters of text counted from byte from (the end
// of the text when it has fewer).
size_t AfterChars(std::string_view text, size_t from, size_t n) {
  size_t i = from;
  for (size_t k = 0; k < n && i < text.size(); ++k) i += CharLength(text, i);
  return i;
}

}  // namespace

std::string LeftChars(std::string_view text, size_t n) { return std::string(text.substr(0, AfterChars(text, 0, n))); }

std::string RightChars(std::string_view text, size_t n) {
  size_t count = CharCount(text);
  if (n >= count) return std::string(text);
  return std::string(text.substr(AfterChars(text, 0, count - n)));
}

std::string MidChars(std::string_view text, size_t start, size_t n) {
  if (start < 1) return {};
  size_t begin = AfterChars(text, 0, start - 1);
  if (begin >= text.size()) return {};  // start lies beyond the last character
  return std::string(text.substr(begin, AfterChars(text, begin, n) - begin));
}

std::string TrimLeft(std::string_view text) {
  size_t b = text.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
  size_t e = text.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(text.substr(0, e + 1));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string LeftBytes(std::string_view text, long n) {
  if (n <= 0) return {};
  return std::string(text.substr(0, static_cast<size_t>(n)));
}

std::string MidBytes(std::string_view text, long start, long length) {
  if (start < 1 || length <= 0 || static_cast<size_t>(start) > text.size()) return {};
  return std::string(text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

void AppendRightJustified(std::string& out, std::string_view text, size_t w, char pad) {
  size_t count = CharCount(text);
  if (count >= w) {  // the last w characters
    out.append(text.substr(AfterChars(text, 0, count - w)));
    return;
  }
  out.append(w - count, pad);
  out.append(text);
}

std::string RightJustifyWith(std::string_view text, size_t w, char pad) {
  std::string out;
  out.reserve(std::max(w, text.size()));
  AppendRightJustified(out, text, w, pad);
  return out;
}

std::string RightJustify(std::string_view text, size_t w) { return RightJustifyWith(text, w, ' '); }

namespace {

// The bytes of LeftJustify(text, w): the first w characters of text followed
// by w blanks, counted without building that text (a lead byte that ends the
// text takes the first blank as its second byte).
size_t LeftJustifiedBytes(std::string_view text, size_t w) {
  size_t total = text.size() + w;
  size_t i = 0;
  for (size_t k = 0; k < w && i < total; ++k) {
    bool lead = i < text.size() && IsLeadByte(static_cast<unsigned char>(text[i]));
    i += (lead && i + 1 < total) ? 2 : 1;
  }
  return i;
}

}  // namespace

std::string LeftJustify(std::string_view text, size_t w) {
  const size_t i = LeftJustifiedBytes(text, w);
  if (i <= text.size()) return std::string(text.substr(0, i));
  std::string out;
  out.reserve(i);
  out.append(text);
  out.append(i - text.size(), ' ');
  return out;
}

void LeftJustifyInPlace(std::string& text, size_t w) {
  const size_t i = LeftJustifiedBytes(text, w);
  if (i <= text.size()) {
    text.resize(i);
  } else {
    text.append(i - text.size(), ' ');
  }
}

std::string LeftJustifyBytes(std::string_view text, size_t w) {
  size_t kept = std::min(text.size(), w);
  std::string out;
  out.reserve(w);
  out.append(text.substr(0, kept));
  out.append(w - kept, ' ');
  return out;
}

size_t FindChars(std::string_view text, std::string_view part, size_t from) {
  std::vector<bool> starts(text.size(), false);
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) starts[i] = true;
  if (part.empty()) {
    for (size_t i = from; i < text.size(); ++i)
      if (starts[i]) return i;
    return std::string_view::npos;
  }
  // Knuth-Morris-Pratt over the bytes, keeping the first match that starts a
  // character: linear in both lengths, so that long repetitive items (a
  // hostile list) cannot make the search quadratic.
  std::vector<size_t> border(part.size(), 0);
  for (size_t i = 1, k = 0; i < part.size(); ++i) {
    while (k > 0 && part[i] != part[k]) k = border[k - 1];
    if (part[i] == part[k]) ++k;
    border[i] = k;
  }
  for (size_t i = from, k = 0; i < text.size(); ++i) {
    while (k > 0 && text[i] != part[k]) k = border[k - 1];
    if (text[i] == part[k]) ++k;
    if (k == part.size()) {
      size_t start = i + 1 - k;
      if (starts[start]) return start;
      k = border[k - 1];
    }
  }
  return std::string_view::npos;
}

bool ContainsChars(std::string_view text, std::string_view part) {
  return FindChars(text, part) != std::string_view::npos;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    size_t n = CharLength(a, i);
    if (n == 2) {  // double-byte characters compare exactly
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
    } else {
      unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x >= 'a' && x <= 'z') x -= 32;
      if (y >= 'a' && y <= 'z') y -= 32;
      if (x != y) return false;
    }
    i += n;
  }
  return true;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string UpperCaseKey(std::string_view text) {
  std::string key(text);
  for (size_t i = 0; i < key.size(); i += CharLength(key, i))
    if (key[i] >= 'a' && key[i] <= 'z') key[i] = static_cast<char>(key[i] - 32);
  return key;
}

}  // namespace s1ordo
