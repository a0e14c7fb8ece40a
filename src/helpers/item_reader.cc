// Reading a file held in memory line by line and item by item, and the
// causes of records that do not fit their file.
#include "helpers/item_reader.h"

#include "helpers/encoding.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether c ends an unquoted item.
bool EndsItem(char c) { return c == ',' || c == '\r' || c == '\n'; }

// The bytes into *item, in the buffer it has when they fit (clear and
// append never give back its room, and do less than assign).
void Store(std::string* item, const char* bytes, size_t n) {
  item->clear();
  item->append(bytes, n);
}

}  // namespace

bool ItemReader::ReadLine(std::string* line) {
  if (AtEnd()) return false;
  size_t start = pos_;
  while (pos_ < bytes_.size() && !AtLineEnd(pos_)) ++pos_;
  line->assign(bytes_, start, pos_ - start);
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
  }
  after_comma_ = false;
  return true;
}

bool ItemReader::ReadItem(std::string* item) {
  size_t i = pos_;
  while (i < bytes_.size() && IsBlank(bytes_[i])) ++i;
  if (i >= bytes_.size()) {
    pos_ = bytes_.size();  // past the end
    return false;
  }
  if (AtLineEnd(i)) {
    size_t next = i + ((bytes_[i] == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n') ? 2 : 1);
    if (next >= bytes_.size() && !after_comma_) {
      // The empty last line of the file holds no item.
      pos_ = bytes_.size();
      return false;
    }
    pos_ = next;
    ++line_;
    after_comma_ = false;
    item->clear();
    return true;
  }

  // Stored straight into the caller's string, so a string read into again
  // and again keeps its buffer.
  if (bytes_[i] == '"') {
    size_t close = bytes_.find('"', i + 1);
    size_t end = close == std::string::npos ? bytes_.size() : close;
    item->assign(bytes_, i + 1, end - i - 1);
    for (size_t k = i + 1; k < end; ++k)
      if (bytes_[k] == '\n' || (bytes_[k] == '\r' && (k + 1 >= end || bytes_[k + 1] != '\n'))) ++line_;
    i = close == std::string::npos ? bytes_.size() : close + 1;
    while (i < bytes_.size() && bytes_[i] != ',' && !AtLineEnd(i)) ++i;  // skip to the delimiter
  } else {
    const char* const data = bytes_.data();
    const char* const last = data + bytes_.size();
    const char* const start = data + i;
    const char* p = start;
    while (p != last && !EndsItem(*p)) ++p;
    i = static_cast<size_t>(p - data);
    while (p != start && IsBlank(p[-1])) --p;
    Store(item, start, static_cast<size_t>(p - start));
  }

  // Consume the delimiter.
  if (i < bytes_.size() && bytes_[i] == ',') {
    ++i;
    after_comma_ = true;
  } else {
    if (i < bytes_.size()) {
      if (bytes_[i] == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n') ++i;
      ++i;
      ++line_;
    }
    after_comma_ = false;
  }
  pos_ = i;
  return true;
}

void ReadRecord(ItemReader& in, int n, const std::string& path, std::vector<std::string>& items) {
  long line = in.LineNumber();
  items.resize(static_cast<size_t>(n));
  for (int found = 0; found < n; ++found)
    if (!in.ReadItem(&items[static_cast<size_t>(found)])) throw Error(PastEndCause(n, found), path, line);
}

std::string PastEndCause(int expected, int found) {
  std::string cause = Sjis(u8"ファイルの終わりを越えて読もうとしました: ") + std::to_string(expected) + Sjis(u8" 項目必要ですが、");
  if (found == 0) return cause + Sjis(u8"ファイルの最後の空の行には項目がありません");
  return cause + std::to_string(found) + Sjis(u8" 項目しかありません");
}

std::string TooManyRecordsCause(int bound) {
  return Sjis(u8"レコードが多すぎます: 上限の ") + std::to_string(bound) + Sjis(u8" レコードを超える ") +
         std::to_string(bound + 1) + Sjis(u8" 番目のレコードです");
}

}  // namespace s1ordo
