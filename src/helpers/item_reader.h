// Sequential reading of a text file held in memory, by whole lines or item
// by item, as the source system's files are read.
//
// A line ends at CR LF, a lone CR or a lone LF. Items are separated by
// commas or line ends; blanks (spaces and tabs) around an item are dropped;
// an item that begins with a double quote runs to the next double quote
// (across commas and line ends) and is taken without the quotes, and what
// follows the closing quote up to the next comma or line end is skipped.
// An empty line is one empty item, and so is a line end right after a comma;
// the empty last line of a file holds no item.
#ifndef S1ORDO_HELPERS_ITEM_READER_H_
#define S1ORDO_HELPERS_ITEM_READER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace s1ordo {

class ItemReader {
 public:
  ItemReader() = default;
  explicit ItemReader(std::string bytes) : bytes_(std::move(bytes)) {}

  // Reads the next item; false (nothing stored, the reader left at the end)
  // when the file has no further item.
  bool ReadItem(std::string* item);
  // Reads the next line without its line end; false at the end of the file.
  bool ReadLine(std::string* line);

  // True when every byte has been read (the end-of-file test of loops that
  // read "until the end").
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  // 1-based position of the next byte to read, and the length in bytes.
  int64_t Position() const { return static_cast<int64_t>(pos_) + 1; }
  int64_t Length() const { return static_cast<int64_t>(bytes_.size()); }
  // 1-based number of the line that holds the next byte.
  long LineNumber() const { return line_; }

 private:
  bool AtLineEnd(size_t i) const { return i < bytes_.size() && (bytes_[i] == '\r' || bytes_[i] == '\n'); }

  std::string bytes_;
  size_t pos_ = 0;
  long line_ = 1;
  bool after_comma_ = false;  // the last item ended at a comma
};

// Reads the next record of n items into items (resized to n). Running past
// the end of the file (a record cut short, or only the empty last line left)
// throws Error naming path and the line where the record began, with
// PastEndCause.
void ReadRecord(ItemReader& in, int n, const std::string& path, std::vector<std::string>& items);

// The cause of a record of `expected` items that the end of the file cut
// after `found` items: both counts, or for none found the empty last line
// that holds no item.
std::string PastEndCause(int expected, int found);

// The cause of a record beyond the `bound` records a file may hold, said at
// the line of the first record too many.
std::string TooManyRecordsCause(int bound);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_ITEM_READER_H_
