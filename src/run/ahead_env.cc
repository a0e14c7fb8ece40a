// A borehole's work folder held in memory while it is converted ahead of
// its turn, and its writing into place when the turn comes.
#include "run/ahead_env.h"

#include <set>
#include <utility>
#include <vector>

#include "helpers/error.h"
#include "helpers/paths.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// The work's files as they are to be written, each under its first name
// and then renamed to its own, with whether no two names meet on the way.
AheadFiles FilesToWrite(PathForm form, AheadWork& work) {
  ScratchFiles& files = *work.files;
  AheadFiles made;
  made.work_folder = work.work_folder;
  made.deleted = std::move(work.deleted);
  std::set<std::string> present;  // keys of the names made so far
  auto enter = [&](const std::string& name) { made.apart = present.insert(files.Key(name)).second && made.apart; };
  for (const std::string& path : work.written) {
    const std::string key = files.Key(path);
    auto renamed = work.renamed_from.find(key);
    const std::string& first = renamed == work.renamed_from.end() ? path : renamed->second;
    Env::NewFile& file = made.files.emplace_back();
    file.name = first.substr(LastPartStart(form, first));
    if (&first != &path) file.renamed_to = path.substr(LastPartStart(form, path));
    if (auto copy = work.copies.find(key); copy != work.copies.end()) {
      // A copy of a file of the work folder names it alone: the files may
      // be made in another folder first.
      const std::string& from = copy->second.from;
      const size_t name = LastPartStart(form, from);
      const bool in_folder = files.Key(from.substr(0, name)) == files.Key(work.work_folder);
      file.copy_of = in_folder ? from.substr(name) : from;
      file.keeps_copy = !copy->second.rewritten;
    }
    file.bytes = files.TakeBytes(path);
    enter(file.name);
    if (file.renamed_to.empty()) continue;
    present.erase(files.Key(file.name));
    enter(file.renamed_to);
  }
  return made;
}

}  // namespace

AheadEnv::AheadEnv(Env& base, std::vector<std::string> unchanging) : EnvWrapper(base) {
  Begin(std::string());
  for (const std::string& folder : unchanging)
    if (!folder.empty()) unchanging_.push_back(folder);
}

void AheadEnv::Begin(const std::string& work_folder) {
  work_ = AheadWork();
  work_.work_folder = work_folder;
  work_.files = std::make_unique<ScratchFiles>(form());
  inner_ = std::make_unique<RunEnv>(target(), work_.files.get(), &work_.written);
  inner_->KeepFoldersSeen();
  copied_to_.clear();
}

AheadFiles AheadEnv::TakeFiles() {
  inner_.reset();
  AheadFiles taken = FilesToWrite(form(), work_);
  work_ = AheadWork();
  return taken;
}

std::string AheadEnv::InWorkFolder(const std::string& path) const {
  if (work_.work_folder.empty()) throw AheadAbandoned{};  // no borehole begun
  const std::string key = work_.files->Key(path);
  const std::string folder = work_.files->Key(work_.work_folder) + "/";
  if (key.size() <= folder.size() || key.compare(0, folder.size(), folder) != 0 ||
      key.find('/', folder.size()) != std::string::npos)
    throw AheadAbandoned{};
  return key;
}

const std::string* AheadEnv::Unchanging(const std::string& path) {
  // The paths of these files are made of the folder as given and a name (a
  // path written otherwise is only read each time).
  bool inside = false;
  const size_t name = LastPartStart(form(), path);
  for (const std::string& folder : unchanging_)
    inside = inside || (name == folder.size() && name < path.size() &&
                        EqualsIgnoreCase(std::string_view(path).substr(0, name), folder));
  if (!inside) return nullptr;
  const std::string key = work_.files->Key(path);
  auto held = unchanging_files_.find(key);
  if (held != unchanging_files_.end()) return &held->second;
  try {
    if (target().FileSize(path) < 0) return nullptr;
    return &unchanging_files_.emplace(key, target().ReadFile(path)).first->second;
  } catch (const Error&) {
    return nullptr;
  }
}

bool AheadEnv::Exists(const std::string& path) { return Unchanging(path) || inner_->Exists(path); }

int64_t AheadEnv::FileSize(const std::string& path) {
  const std::string* held = Unchanging(path);
  return held ? static_cast<int64_t>(held->size()) : inner_->FileSize(path);
}

// A source file copied a moment ago reads as its copy, from memory, while
// the copy is there untouched.
std::string AheadEnv::ReadFile(const std::string& path) {
  if (const std::string* held = Unchanging(path)) return *held;
  if (auto to = copied_to_.find(path); to != copied_to_.end()) {
    auto copy = work_.copies.find(work_.files->Key(to->second));
    if (copy != work_.copies.end() && copy->second.from == path && !copy->second.rewritten)
      return inner_->ReadFile(to->second);
  }
  return inner_->ReadFile(path);
}

std::unique_ptr<WritableFile> AheadEnv::NewWritableFile(const std::string& path) {
  const std::string key = InWorkFolder(path);
  if (auto copy = work_.copies.find(key); copy != work_.copies.end()) copy->second.rewritten = true;
  return inner_->NewWritableFile(path);
}

std::unique_ptr<WritableFile> AheadEnv::NewAppendableFile(const std::string& path) {
  const std::string key = InWorkFolder(path);
  if (auto copy = work_.copies.find(key); copy != work_.copies.end()) copy->second.rewritten = true;
  return inner_->NewAppendableFile(path);
}

void AheadEnv::DeleteFile(const std::string& path) {
  const std::string key = InWorkFolder(path);
  inner_->DeleteFile(path);
  work_.deleted.push_back(path);
  work_.copies.erase(key);
  work_.renamed_from.erase(key);
}

void AheadEnv::RenameFile(const std::string& from, const std::string& to) {
  const std::string from_key = InWorkFolder(from);
  const std::string to_key = InWorkFolder(to);
  // A file the work wrote, renamed once, is written under its first name
  // and then renamed, as the conversion in turn does; any other rename is
  // left to the conversion in turn.
  ScratchFiles::Kind kind;
  int64_t size;
  if (work_.renamed_from.count(from_key) || !work_.files->Peek(from, &kind, &size) || kind != ScratchFiles::Kind::kFile)
    throw AheadAbandoned{};
  inner_->RenameFile(from, to);
  work_.copies.erase(to_key);
  if (auto copy = work_.copies.find(from_key); copy != work_.copies.end()) {
    work_.copies[to_key] = copy->second;
    work_.copies.erase(copy);
  }
  work_.renamed_from[to_key] = from;
}

void AheadEnv::CopyFile(const std::string& from, const std::string& to) {
  const std::string key = InWorkFolder(to);
  inner_->CopyFile(from, to);
  work_.copies[key] = AheadWork::Copy{from, false};
  copied_to_[from] = to;
  work_.renamed_from.erase(key);
}

namespace {

// Anything under the name that the conversion in turn could not simply
// write over: a folder, a FIFO, a device (FileSize throws for those).
bool CanWriteOver(Env& env, const std::string& path) {
  try {
    return env.FileSize(path) >= 0 || !env.IsFolder(path);
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

bool WriteAhead(Env& env, AheadFiles& work) {
  if (work.apart && env.FillEmptyFolder(work.work_folder, work.files)) return true;
  const std::string& folder = work.work_folder;
  for (const Env::NewFile& file : work.files)
    if (!CanWriteOver(env, folder + file.name) ||
        (!file.renamed_to.empty() && !CanWriteOver(env, folder + file.renamed_to)))
      return false;
  // A file deleted and then written again is a new file, as in turn.
  for (const std::string& path : work.deleted)
    if (env.Exists(path)) env.DeleteFile(path);
  for (const Env::NewFile& file : work.files) {
    const std::string first = folder + file.name;
    if (!file.copy_of.empty())
      env.CopyFile(LastPartStart(env.form(), file.copy_of) == 0 ? folder + file.copy_of : file.copy_of, first);
    if (!file.keeps_copy) WriteWholeFile(env, first, file.bytes);
    if (!file.renamed_to.empty()) env.RenameFile(first, folder + file.renamed_to);
  }
  return true;
}

}  // namespace s1ordo
