// The run's Env: the files it writes noted, and a dry run's changes held in
// memory over the real file system.
#include "run/run_env.h"

#include <algorithm>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

bool IsSeparator(PathForm form, char c) { return c == '/' || (form == PathForm::kWindows && c == '\\'); }

// A file being written into the scratch files: the appends land there
// together when it is closed (or destroyed), as the bytes of a file on disk
// are whole once it is closed.
class ScratchFile : public WritableFile {
 public:
  ScratchFile(ScratchFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
  ~ScratchFile() override { Close(); }
  void Append(std::string_view bytes) override { pending_.append(bytes); }
  void Close() override {
    if (!pending_.empty()) files_.Append(path_, std::move(pending_));
    pending_.clear();
  }

 private:
  ScratchFiles& files_;
  std::string path_;
  std::string pending_;
};

Error Missing(const std::string& path) { return Error(Sjis(u8"ファイルがありません"), path); }

}  // namespace

std::string ScratchFiles::Key(const std::string& path) const {
  std::string key;
  for (size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    if (CharLength(path, i) == 2) {
      key.append(path, i, 2);
      continue;
    }
    char c = path[i];
    if (IsSeparator(form_, c)) {
      if (!key.empty() && key.back() == '/') continue;  // one separator for several
      c = '/';
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
    key += c;
  }
  if (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

std::optional<ScratchFiles::Entry> ScratchFiles::Find(const std::string& path) const {
  std::lock_guard<std::mutex> hold(mutex_);
  auto it = entries_.find(Key(path));
  if (it == entries_.end()) return std::nullopt;
  return it->second;
}

bool ScratchFiles::Peek(const std::string& path, Kind* kind, int64_t* size) const {
  std::lock_guard<std::mutex> hold(mutex_);
  auto it = entries_.find(Key(path));
  if (it == entries_.end()) return false;
  *kind = it->second.kind;
  *size = static_cast<int64_t>(it->second.bytes.size());
  return true;
}

std::string ScratchFiles::TakeBytes(const std::string& path) {
  std::lock_guard<std::mutex> hold(mutex_);
  auto it = entries_.find(Key(path));
  return it == entries_.end() ? std::string() : std::move(it->second.bytes);
}

void ScratchFiles::Put(const std::string& path, Kind kind, std::string bytes) {
  std::lock_guard<std::mutex> hold(mutex_);
  Entry& entry = entries_[Key(path)];
  if (entry.path.empty() || entry.kind == Kind::kGone) entry.path = path;
  entry.kind = kind;
  entry.bytes = std::move(bytes);
}

void ScratchFiles::Append(const std::string& path, std::string_view bytes) {
  std::lock_guard<std::mutex> hold(mutex_);
  entries_[Key(path)].bytes.append(bytes);
}

void ScratchFiles::Append(const std::string& path, std::string&& bytes) {
  std::lock_guard<std::mutex> hold(mutex_);
  std::string& held = entries_[Key(path)].bytes;
  if (held.empty()) {
    held = std::move(bytes);
  } else {
    held.append(bytes);
  }
}

std::vector<ScratchFiles::Entry> ScratchFiles::Inside(const std::string& folder) const {
  std::lock_guard<std::mutex> hold(mutex_);
  std::string prefix = Key(folder);
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  std::vector<Entry> inside;
  for (auto it = entries_.lower_bound(prefix); it != entries_.end() && it->first.rfind(prefix, 0) == 0; ++it)
    if (it->first.find('/', prefix.size()) == std::string::npos) inside.push_back(it->second);
  return inside;
}

void ScratchFiles::Forget(const std::string& folder) {
  std::lock_guard<std::mutex> hold(mutex_);
  std::string prefix = Key(folder);
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  auto it = entries_.lower_bound(prefix);
  while (it != entries_.end() && it->first.rfind(prefix, 0) == 0) it = entries_.erase(it);
}

void RunEnv::Wrote(const std::string& path) {
  if (!written_) return;
  for (const std::string& p : *written_)
    if (EqualsIgnoreCase(p, path)) return;
  written_->push_back(path);
}

void RunEnv::Removed(const std::string& path) {
  if (!written_) return;
  written_->erase(std::remove_if(written_->begin(), written_->end(),
                                 [&](const std::string& p) { return EqualsIgnoreCase(p, path); }),
                  written_->end());
}

std::string RunEnv::ReadFile(const std::string& path) {
  if (scratch_) {
    if (auto entry = scratch_->Find(path)) {
      if (entry->kind == ScratchFiles::Kind::kFile) return std::move(entry->bytes);
      throw entry->kind == ScratchFiles::Kind::kGone ? Missing(path) : Error(NotRegularFileCause(), path);
    }
  }
  return target().ReadFile(path);
}

std::unique_ptr<WritableFile> RunEnv::NewScratchFile(const std::string& path, std::string bytes) {
  const std::string folder = path.substr(0, LastPartStart(form(), path));
  if (!folder.empty() && folder != folder_seen_) {
    if (!IsFolder(folder)) throw Error(Sjis(u8"フォルダがありません"), path);
    if (keeps_folder_seen_) folder_seen_ = folder;
  }
  ScratchFiles::Kind kind;
  int64_t size;
  if (scratch_->Peek(path, &kind, &size) && kind == ScratchFiles::Kind::kFolder) throw Error(NotRegularFileCause(), path);
  scratch_->Put(path, ScratchFiles::Kind::kFile, std::move(bytes));
  return std::make_unique<ScratchFile>(*scratch_, path);
}

std::unique_ptr<WritableFile> RunEnv::NewWritableFile(const std::string& path) {
  auto file = scratch_ ? NewScratchFile(path, {}) : target().NewWritableFile(path);
  Wrote(path);
  return file;
}

std::unique_ptr<WritableFile> RunEnv::NewAppendableFile(const std::string& path) {
  auto file = scratch_ ? NewScratchFile(path, FileSize(path) >= 0 ? ReadFile(path) : std::string())
                       : target().NewAppendableFile(path);
  Wrote(path);
  return file;
}

bool RunEnv::Exists(const std::string& path) {
  ScratchFiles::Kind kind;
  int64_t size;
  if (scratch_ && scratch_->Peek(path, &kind, &size)) return kind != ScratchFiles::Kind::kGone;
  return target().Exists(path);
}

bool RunEnv::IsFolder(const std::string& path) {
  ScratchFiles::Kind kind;
  int64_t size;
  if (scratch_ && scratch_->Peek(path, &kind, &size)) return kind == ScratchFiles::Kind::kFolder;
  return target().IsFolder(path);
}

int64_t RunEnv::FileSize(const std::string& path) {
  ScratchFiles::Kind kind;
  int64_t size;
  if (scratch_ && scratch_->Peek(path, &kind, &size)) return kind == ScratchFiles::Kind::kFile ? size : -1;
  return target().FileSize(path);
}

void RunEnv::DeleteFile(const std::string& path) {
  Removed(path);
  if (!scratch_) return target().DeleteFile(path);
  if (FileSize(path) < 0) throw Missing(path);
  scratch_->Put(path, ScratchFiles::Kind::kGone);
}

void RunEnv::RenameFile(const std::string& from, const std::string& to) {
  if (!scratch_) {
    target().RenameFile(from, to);
  } else {
    std::string bytes = ReadFile(from);
    scratch_->Put(to, ScratchFiles::Kind::kFile, std::move(bytes));
    scratch_->Put(from, ScratchFiles::Kind::kGone);
  }
  Removed(from);
  Wrote(to);
}

void RunEnv::ReplaceFile(const std::string& from, const std::string& to) {
  if (scratch_) return RenameFile(from, to);
  Removed(from);  // gone however it ends
  target().ReplaceFile(from, to);
  Wrote(to);
}

void RunEnv::CopyFile(const std::string& from, const std::string& to) {
  if (!scratch_) {
    target().CopyFile(from, to);
  } else {
    NewScratchFile(to, ReadFile(from));
  }
  Wrote(to);
}

void RunEnv::CreateFolder(const std::string& path) {
  if (!scratch_) return target().CreateFolder(path);
  if (Exists(path)) throw Error(Sjis(u8"フォルダを作成できません"), path);
  scratch_->Put(path, ScratchFiles::Kind::kFolder);
}

std::vector<std::string> RunEnv::List(const std::string& folder, bool folders, std::vector<std::string>* left_out) {
  std::vector<std::string> names;
  if (target().IsFolder(folder)) {
    names = folders ? target().ListSubfolders(folder, left_out) : target().ListFiles(folder, left_out);
  } else if (!IsFolder(folder)) {
    throw Error(Sjis(u8"フォルダを一覧できません"), folder);
  }
  const ScratchFiles::Kind listed = folders ? ScratchFiles::Kind::kFolder : ScratchFiles::Kind::kFile;
  // A name listed already keeps its place and its letter case, as a file
  // replaced on disk does.
  for (const ScratchFiles::Entry& entry : scratch_->Inside(folder)) {
    std::string name = entry.path.substr(LastPartStart(form(), entry.path));
    auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return EqualsIgnoreCase(n, name); });
    if (entry.kind != listed) {
      if (it != names.end()) names.erase(it);
    } else if (it == names.end() && !name.empty() && name[0] != '.') {
      names.push_back(std::move(name));
    }
  }
  return names;
}

std::vector<std::string> RunEnv::ListFiles(const std::string& folder, std::vector<std::string>* left_out) {
  if (!scratch_) return target().ListFiles(folder, left_out);
  return List(folder, false, left_out);
}

std::vector<std::string> RunEnv::ListSubfolders(const std::string& folder, std::vector<std::string>* left_out) {
  if (!scratch_) return target().ListSubfolders(folder, left_out);
  return List(folder, true, left_out);
}

}  // namespace s1ordo
