// The in-memory Env: a tree of folders and files keyed by the upper-cased
// form of their names, files open for writing sharing the content with the
// tree, and folder locks as a set of held folders.
#include "helpers/memory_env.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/stdio_file.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

struct Node {
  std::string name;  // as it was made
  bool folder = false;
  std::shared_ptr<std::string> bytes;                      // a file's content
  std::map<std::string, std::unique_ptr<Node>> children;  // a folder's, by UpperCaseKey
};

// The parts of a path; "." and empty parts left out, ".." taking the part
// before it away. "/" is never the second byte of a double-byte character.
std::vector<std::string> Parts(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = std::min(path.find('/', start), path.size());
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    start = end + 1;
  }
  return parts;
}

// A file being written: each append lands in the content at once, which
// stays the file's even when the file is renamed or deleted meanwhile.
class MemoryFile : public WritableFile {
 public:
  MemoryFile(std::string path, std::shared_ptr<std::string> bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}
  void Append(std::string_view bytes) override {
    if (!bytes_) throw Error(Sjis(u8"閉じたファイルに書き込もうとしました"), path_);
    bytes_->append(bytes);
  }
  void Close() override { bytes_.reset(); }

 private:
  std::string path_;
  std::shared_ptr<std::string> bytes_;
};

class MemoryLock : public FolderLock {
 public:
  MemoryLock(std::shared_ptr<std::set<std::string>> held, std::string key)
      : held_(std::move(held)), key_(std::move(key)) {}
  ~MemoryLock() override { held_->erase(key_); }

 private:
  std::shared_ptr<std::set<std::string>> held_;
  std::string key_;
};

// Where a path leads: the folder that holds its last part and that part's
// key and name as written; folder null (err set) when the way is missing or
// runs through a file. The root has no part: folder null, err 0.
struct Place {
  Node* folder = nullptr;
  std::string key, name;
  int err = 0;
  Node* Get() const {
    if (!folder) return nullptr;
    auto it = folder->children.find(key);
    return it == folder->children.end() ? nullptr : it->second.get();
  }
};

class MemoryEnv : public Env {
 public:
  MemoryEnv() { root_.folder = true; }

  PathForm form() const override { return PathForm::kPosix; }

  std::string ReadFile(const std::string& path) override {
    int err;
    Node* node = Find(path, &err);
    if (!node) throw Error(Cause(u8"ファイルを開けません", err), path);
    if (node->folder) throw Error(NotRegularFileCause(), path);
    return *node->bytes;
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override { return Open(path, false); }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override { return Open(path, true); }

  bool Exists(const std::string& path) override {
    int err;
    return Find(path, &err) != nullptr;
  }
  bool IsFolder(const std::string& path) override {
    int err;
    Node* node = Find(path, &err);
    return node && node->folder;
  }
  int64_t FileSize(const std::string& path) override {
    int err;
    Node* node = Find(path, &err);
    return node && !node->folder ? static_cast<int64_t>(node->bytes->size()) : -1;
  }

  void DeleteFile(const std::string& path) override {
    Place at = Locate(path);
    Node* node = at.Get();
    if (!node) {
      if (at.err == ENOTDIR) throw Error(Cause(u8"ファイルを削除できません", at.err), path);
      return;  // nothing to delete
    }
    if (node->folder && !node->children.empty()) throw Error(Cause(u8"ファイルを削除できません", ENOTEMPTY), path);
    at.folder->children.erase(at.key);
  }
  void RenameFile(const std::string& from, const std::string& to) override { Move(from, to, false); }
  void ReplaceFile(const std::string& from, const std::string& to) override {
    try {
      if (Node* old = Locate(to).Get(); old && old->folder) throw Error(NotRegularFileCause(), to);
      Move(from, to, true);
    } catch (const Error&) {
      Place source = Locate(from);
      if (Node* node = source.Get(); node && !node->folder) source.folder->children.erase(source.key);
      throw;
    }
  }
  void CopyFile(const std::string& from, const std::string& to) override {
    int err;
    Node* source = Find(from, &err);
    if (!source) throw Error(Cause(u8"ファイルをコピーできません", err), to);
    if (source->folder) throw Error(NotRegularFileCause(), from);
    Place at = Locate(to);
    if (at.Get() == source) throw Error(Sjis(u8"ファイルをコピーできません: コピー元とコピー先が同じファイルです"), to);
    std::string bytes = *source->bytes;
    *Made(at, to, u8"ファイルをコピーできません")->bytes = std::move(bytes);
  }
  void CreateFolder(const std::string& path) override {
    Place at = Locate(path);
    if (!at.folder && at.err == 0) return;  // the root
    if (!at.folder) throw Error(Cause(u8"フォルダを作成できません", at.err), path);
    if (Node* node = at.Get()) {
      if (!node->folder) throw Error(Cause(u8"フォルダを作成できません", EEXIST), path);
      return;
    }
    auto node = std::make_unique<Node>();
    node->name = at.name;
    node->folder = true;
    at.folder->children[at.key] = std::move(node);
  }

  std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>*) override {
    return List(folder, false);
  }
  std::vector<std::string> ListSubfolders(const std::string& folder, std::vector<std::string>*) override {
    return List(folder, true);
  }

  std::unique_ptr<FolderLock> TryLockFolder(const std::string& folder) override {
    int err;
    Node* node = Find(folder, &err);
    if (!node || !node->folder) throw Error(Cause(u8"フォルダをロックできません", node ? ENOTDIR : err), folder);
    std::string key = KeyOf(folder);
    if (!locked_->insert(key).second) return nullptr;
    return std::make_unique<MemoryLock>(locked_, std::move(key));
  }

  bool DriveUsable(char) override { return false; }
  std::string SystemFolder() override { return "/etc/s1ordo"; }
  std::string ProgramFolder() override {
    const char* over = std::getenv("S1ORDO_PROGRAM_FOLDER");
    if (!over || !*over) return CurrentFolder();
    std::string folder = TryUtf8ToCp932(over).value_or(over);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
  }
  std::string CurrentFolder() override { return "/"; }

 private:
  // The place of a path's last part, the folders on the way looked up.
  Place Locate(const std::string& path) {
    std::vector<std::string> parts = Parts(path);
    Place at;
    if (parts.empty()) return at;
    Node* folder = &root_;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      auto it = folder->children.find(UpperCaseKey(parts[i]));
      if (it == folder->children.end() || !it->second->folder) {
        at.err = it == folder->children.end() ? ENOENT : ENOTDIR;
        return at;
      }
      folder = it->second.get();
    }
    at.folder = folder;
    at.name = parts.back();
    at.key = UpperCaseKey(at.name);
    return at;
  }

  // The node of a path; null with *err set when there is none.
  Node* Find(const std::string& path, int* err) {
    Place at = Locate(path);
    *err = at.folder ? ENOENT : at.err;
    if (!at.folder && at.err == 0) return &root_;
    return at.Get();
  }

  // The key of the whole path, the same for every way of writing it.
  static std::string KeyOf(const std::string& path) {
    std::string key;
    for (const std::string& part : Parts(path)) {
      key += '/';
      key += UpperCaseKey(part);
    }
    return key;
  }

  // The file at a place, made empty there when it is missing; a failure
  // (what: its cause) when its folder is missing or a folder stands there.
  Node* Made(const Place& at, const std::string& path, std::u8string_view what) {
    if (!at.folder) throw Error(Cause(what, at.err == 0 ? EISDIR : at.err), path);
    Node* node = at.Get();
    if (node && node->folder) throw Error(Cause(what, EISDIR), path);
    if (node) return node;
    auto made = std::make_unique<Node>();
    made->name = at.name;
    made->bytes = std::make_shared<std::string>();
    node = made.get();
    at.folder->children[at.key] = std::move(made);
    return node;
  }

  std::unique_ptr<WritableFile> Open(const std::string& path, bool append) {
    Node* node = Made(Locate(path), path, u8"ファイルを作成できません");
    if (!append) node->bytes = std::make_shared<std::string>();  // files still open keep the old content
    return std::make_unique<MemoryFile>(path, node->bytes);
  }

  // Renames from to to, replacing what is there; the file takes the name
  // it replaces (own_name) or the name as written.
  void Move(const std::string& from, const std::string& to, bool own_name) {
    Place source = Locate(from), target = Locate(to);
    Node* node = source.Get();
    int err = 0;
    if (!node) err = source.folder ? ENOENT : source.err;
    else if (!target.folder) err = target.err ? target.err : EBUSY;  // no way there, or the root
    if (err) throw Error(Cause(u8"ファイル名を変更できません", err), from);
    Node* old = target.Get();
    if (old == node) {
      if (!own_name) node->name = target.name;
      return;
    }
    if (old && (old->folder != node->folder || (old->folder && !old->children.empty())))
      throw Error(Cause(u8"ファイル名を変更できません", old->folder ? EISDIR : ENOTDIR), from);
    std::unique_ptr<Node> moved = std::move(source.folder->children[source.key]);
    source.folder->children.erase(source.key);
    if (!own_name || !old) moved->name = target.name;
    else moved->name = old->name;
    target.folder->children[target.key] = std::move(moved);
  }

  std::vector<std::string> List(const std::string& folder, bool folders) {
    int err;
    Node* node = Find(folder, &err);
    if (!node || !node->folder) throw Error(Cause(u8"フォルダを一覧できません", node ? ENOTDIR : err), folder);
    std::vector<std::pair<std::string, std::string>> found;  // sort key, name
    for (const auto& [key, child] : node->children) {
      if (child->folder != folders || child->name[0] == '.') continue;
      // As the POSIX platform sorts: the UTF-8 form, ASCII letters upper-cased.
      found.emplace_back(TryCp932ToUtf8(key).value_or(key), child->name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& f : found) names.push_back(std::move(f.second));
    return names;
  }

  Node root_;
  std::shared_ptr<std::set<std::string>> locked_ = std::make_shared<std::set<std::string>>();
};

}  // namespace

std::unique_ptr<Env> NewMemoryEnv() { return std::make_unique<MemoryEnv>(); }

}  // namespace s1ordo
