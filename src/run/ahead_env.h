// The Env of a borehole converted ahead of its turn on a thread of its own:
// everything it writes into its own work folder is held in memory, to be
// written there when its turn comes (WriteAhead), in the order the work
// wrote it. It reads the file system as the conversion in turn would find
// it: the source, the pattern data as it stands, the work folder with the
// borehole's own changes over it. A change anywhere else (a vocabulary or
// legend list to extend, the marker of additions) cannot be made ahead:
// it throws AheadAbandoned, and the borehole is converted in its turn.
#ifndef S1ORDO_RUN_AHEAD_ENV_H_
#define S1ORDO_RUN_AHEAD_ENV_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "helpers/env.h"
#include "helpers/env_wrapper.h"
#include "run/run_env.h"

namespace s1ordo {

// Not an Error: nothing failed, the work has only to be done in its turn.
struct AheadAbandoned {};

// What one borehole's work left in its work folder, as it is to be
// written there.
struct AheadFiles {
  std::string work_folder;           // ends with the separator
  std::vector<std::string> deleted;  // the files it deleted (some written again after)
  // Each file in the order first written: under its first name, then
  // renamed to its own.
  std::vector<Env::NewFile> files;
  bool apart = true;  // no two names meet (differ in letter case only) on the way
};

// What one borehole's work left in its work folder, as the work goes on.
struct AheadWork {
  std::string work_folder;  // ends with the separator
  std::unique_ptr<ScratchFiles> files;
  std::vector<std::string> written;  // the files it holds, in the order first written
  std::vector<std::string> deleted;  // the files it deleted (some written again after)
  // Per path key: the source file a file was copied from, and whether it
  // was written again after the copy (it then keeps the copy's permissions).
  struct Copy {
    std::string from;
    bool rewritten = false;
  };
  std::map<std::string, Copy> copies;
  // Per path key: the path a file was written under before it was renamed
  // to its name.
  std::map<std::string, std::string> renamed_from;
};

class AheadEnv : public EnvWrapper {
 public:
  // unchanging: folders (ending with the separator) whose files nothing
  // changes while this Env lives, such as the pattern data while no
  // borehole is converted in its turn: each of their files is read once.
  explicit AheadEnv(Env& base, std::vector<std::string> unchanging = {});

  // Starts the work of the borehole whose work folder is given (ending with
  // the separator); TakeFiles gives what it left.
  void Begin(const std::string& work_folder);
  AheadFiles TakeFiles();

  std::string ReadFile(const std::string& path) override;
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override;
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override { return inner_->IsFolder(path); }
  int64_t FileSize(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  void RenameFile(const std::string& from, const std::string& to) override;
  void ReplaceFile(const std::string&, const std::string&) override { throw AheadAbandoned{}; }
  void CopyFile(const std::string& from, const std::string& to) override;
  void CreateFolder(const std::string&) override { throw AheadAbandoned{}; }
  std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>* left_out) override {
    return inner_->ListFiles(folder, left_out);
  }
  std::vector<std::string> ListSubfolders(const std::string& folder, std::vector<std::string>* left_out) override {
    return inner_->ListSubfolders(folder, left_out);
  }
  std::unique_ptr<FolderLock> TryLockFolder(const std::string&) override { throw AheadAbandoned{}; }

 private:
  // The key of a path of the work folder; AheadAbandoned for any other.
  std::string InWorkFolder(const std::string& path) const;
  // The file of an unchanging folder as first read; null for any other path
  // (and for one that does not read: it is left to the platform each time).
  const std::string* Unchanging(const std::string& path);

  AheadWork work_;
  std::unique_ptr<RunEnv> inner_;  // the work folder's changes into work_.files
  // Per source file copied (path as given): the path of its copy.
  std::map<std::string, std::string> copied_to_;
  std::vector<std::string> unchanging_;  // the folders as given, ending with the separator
  std::map<std::string, std::string> unchanging_files_;  // by key
};

// Writes what the work left into its work folder through env, as the
// conversion in turn writes it: the files it deleted, then each file in the
// order first written (a copy as a copy, a renamed file under its first
// name and then renamed). A folder that holds nothing is filled in one go
// (Env::FillEmptyFolder). Otherwise every name is looked at before anything
// is written: a folder or anything else that is not a regular file under
// one gives false with nothing written (the conversion in turn then meets
// it and fails as it does). A failure while writing throws Error.
bool WriteAhead(Env& env, AheadFiles& work);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_AHEAD_ENV_H_
