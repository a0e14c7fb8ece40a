// The notes of one borehole's work.
#include "helpers/borehole_notes.h"

#include <utility>

#include "helpers/encoding.h"
#include "helpers/number.h"
#include "helpers/text.h"

namespace s1ordo {

bool CountOnly(BoreholeNotes* notes) {
  if (!notes) return true;
  if (notes->keep_warnings) return false;
  ++notes->warnings_counted;
  return true;
}

void AddWarning(BoreholeNotes* notes, std::string file, long line, std::string text) {
  if (!CountOnly(notes)) notes->warnings.push_back({std::move(file), line, std::move(text)});
}

void WarnIfCutToBytes(BoreholeNotes* notes, const std::string& file, long line, std::string_view name, size_t width) {
  if (name.size() <= width || CountOnly(notes)) return;
  // Whether the last byte kept begins a double-byte character.
  size_t at = 0;
  while (at + CharLength(name, at) <= width) at += CharLength(name, at);
  // Shown: the whole characters kept; half of one more is written too.
  const std::string kept(name.substr(0, at));
  std::string text = Sjis(u8"名前 \"") + std::string(name) + Sjis(u8"\" は ") + TrimmedText(static_cast<long long>(width)) +
                     Sjis(u8" バイトに切られて \"") + kept + "\"" + Sjis(u8" と書かれます");
  if (at < width) text += Sjis(u8" (2 バイト文字の途中で切られ、その 1 バイト目も書かれます)");
  AddWarning(notes, file, line, std::move(text));
}

void AddAddition(BoreholeNotes* notes, std::string file, std::string line) {
  if (notes) notes->additions.push_back({std::move(file), std::move(line)});
}

}  // namespace s1ordo
