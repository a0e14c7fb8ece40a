#include "converters/code_list.h"

#include <utility>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"

namespace s1ordo {

CodeList::CodeList(Env& env, std::string path, int items_per_entry)
    : env_(env), path_(std::move(path)), items_per_entry_(items_per_entry) {}

void CodeList::Read() {
  if (read_) return;
  if (env_.FileSize(path_) < 0) throw Error(Sjis(u8"コードリストがありません"), path_);
  ItemReader in(env_.ReadFile(path_));
  std::string code, item;
  while (!in.AtEnd()) {
    long line = in.LineNumber();
    if (!in.ReadItem(&code)) {  // only the empty last line was left
      incomplete_ = true;
      incomplete_line_ = line;
      break;
    }
    bool whole = true;
    for (int k = 1; k < items_per_entry_ && whole; ++k) whole = in.ReadItem(&item);
    if (!whole) {
      incomplete_ = true;
      incomplete_line_ = line;
      break;
    }
    double value;
    try {
      value = ReadNumber(code);
    } catch (Error& e) {
      e.set_file(path_);
      e.set_line(line);
      throw;
    }
    size_t index = names_.size();
    names_.push_back(std::move(item));
    if (value == 0) continue;  // never looked up
    first_.emplace(value, index);
    last_[value] = index;
  }
  read_ = true;
}

void CodeList::FailIncomplete() const {
  throw Error(Sjis(u8"コードリストの終わりを越えて読もうとしました (最後の項目が欠けているか、最後に空の行があります)"),
              path_, incomplete_line_);
}

const std::string& CodeList::LastName(double code) {
  Read();
  if (incomplete_) FailIncomplete();
  if (code == 0) return none_;
  auto it = last_.find(code);
  return it == last_.end() ? none_ : names_[it->second];
}

const std::string& CodeList::FirstName(double code) {
  Read();
  if (code != 0) {
    auto it = first_.find(code);
    if (it != first_.end()) return names_[it->second];
  }
  if (incomplete_) FailIncomplete();
  return none_;
}

}  // namespace s1ordo
