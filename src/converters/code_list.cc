// Reading code lists into entries indexed by code, once per run, and the
// first and last names of a code.
#include "converters/code_list.h"

#include <utility>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"

namespace s1ordo {

void CodeListEntries::Add(double code, std::string name) {
  size_t index = names.size();
  names.push_back(std::move(name));
  if (code == 0) return;  // never looked up
  std::pair<size_t, size_t>* found;
  if (IsSmall(code)) {
    size_t at = static_cast<size_t>(code);
    if (small_.size() <= at) small_.resize(at + 1, {kNone, kNone});
    found = &small_[at];
  } else {
    found = &others_.try_emplace(code, kNone, kNone).first->second;
  }
  if (found->first == kNone) found->first = index;
  found->second = index;
}

size_t CodeListEntries::Find(double code, bool first) const {
  const std::pair<size_t, size_t>* found = nullptr;
  if (IsSmall(code)) {
    size_t at = static_cast<size_t>(code);
    if (at < small_.size()) found = &small_[at];
  } else if (auto it = others_.find(code); it != others_.end()) {
    found = &it->second;
  }
  if (!found) return kNone;
  return first ? found->first : found->second;
}

CodeLists::CodeLists(Env& env, std::string folder, bool reread_files)
    : env_(env), folder_(std::move(folder)), reread_files_(reread_files) {}

std::shared_ptr<const CodeListEntries> CodeLists::Find(const std::string& path, int items_per_entry) const {
  if (reread_files_) return nullptr;
  auto it = lists_.find({path, items_per_entry});
  return it == lists_.end() ? nullptr : it->second;
}

void CodeLists::Keep(const std::string& path, int items_per_entry, std::shared_ptr<const CodeListEntries> entries) {
  if (!reread_files_) lists_[{path, items_per_entry}] = std::move(entries);
}

CodeList::CodeList(CodeLists& lists, std::string_view name, int items_per_entry)
    : lists_(lists), name_(name), path_(lists.folder() + std::string(name)), items_per_entry_(items_per_entry) {}

void CodeList::Read() {
  if (entries_) return;
  if ((entries_ = lists_.Find(path_, items_per_entry_))) return;
  entries_ = ReadEntries();
  lists_.Keep(path_, items_per_entry_, entries_);
}

// The entries as reading the list item by item from its start gives them.
std::shared_ptr<const CodeListEntries> CodeList::ReadEntries() const {
  Env& env = lists_.env();
  if (env.FileSize(path_) < 0) throw Error(Sjis(u8"コードリストがありません"), path_);
  auto entries = std::make_shared<CodeListEntries>();
  ItemReader in(env.ReadFile(path_));
  std::string code, item;
  while (!in.AtEnd()) {
    long line = in.LineNumber();
    int found = in.ReadItem(&code) ? 1 : 0;  // 0 when only the empty last line was left
    while (found > 0 && found < items_per_entry_ && in.ReadItem(&item)) ++found;
    if (found < items_per_entry_) {
      entries->incomplete = true;
      entries->incomplete_line = line;
      entries->incomplete_items = found;
      break;
    }
    double value = AtFile(path_, line, [&] { return ReadNumber(code); });
    entries->Add(value, std::move(item));
  }
  return entries;
}

void CodeList::FailIncomplete() const {
  throw Error(PastEndCause(items_per_entry_, entries_->incomplete_items), path_, entries_->incomplete_line);
}

const std::string& CodeList::LastName(double code) {
  Read();
  if (entries_->incomplete) FailIncomplete();
  if (code == 0) return none_;
  size_t index = entries_->Last(code);
  return index == CodeListEntries::kNone ? none_ : entries_->names[index];
}

const std::string& CodeList::FirstName(double code) {
  Read();
  if (code != 0) {
    size_t index = entries_->First(code);
    if (index != CodeListEntries::kNone) return entries_->names[index];
  }
  if (entries_->incomplete) FailIncomplete();
  return none_;
}

}  // namespace s1ordo
