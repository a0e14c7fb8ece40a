// A borehole's work folder held in memory while it is converted ahead of
// its turn, and its writing into place when the turn comes.
#include "run/ahead_env.h"

#include <utility>

#include "helpers/error.h"
#include "helpers/text.h"

namespace s1ordo {

void AheadEnv::Begin(const std::string& work_folder) {
  work_ = AheadWork();
  work_.work_folder = work_folder;
  work_.files = std::make_unique<ScratchFiles>(form());
  inner_ = std::make_unique<RunEnv>(target(), work_.files.get(), &work_.written);
}

AheadWork AheadEnv::TakeWork() {
  inner_.reset();
  return std::move(work_);
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

bool WriteAhead(Env& env, AheadWork& work) {
  const ScratchFiles& files = *work.files;
  for (const std::string& path : work.written) {
    auto renamed = work.renamed_from.find(files.Key(path));
    if (!CanWriteOver(env, path) || (renamed != work.renamed_from.end() && !CanWriteOver(env, renamed->second)))
      return false;
  }
  // A file deleted and then written again is a new file, as in turn.
  for (const std::string& path : work.deleted)
    if (env.Exists(path)) env.DeleteFile(path);
  for (const std::string& path : work.written) {
    const std::string key = files.Key(path);
    auto renamed = work.renamed_from.find(key);
    const std::string& target = renamed == work.renamed_from.end() ? path : renamed->second;
    auto copy = work.copies.find(key);
    if (copy != work.copies.end()) env.CopyFile(copy->second.from, target);
    if (copy == work.copies.end() || copy->second.rewritten) WriteWholeFile(env, target, work.files->TakeBytes(path));
    if (&target != &path) env.RenameFile(target, path);
  }
  return true;
}

}  // namespace s1ordo
