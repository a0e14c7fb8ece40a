// The Env a run works through. It passes everything on to the real one and
// notes the files it writes; for a dry run (or a check) it keeps every
// change in memory instead (ScratchFiles), so that nothing is written
// anywhere while everything reads as a real run would leave it: the source,
// the real pattern data and destination with the run's changes over them.
#ifndef S1ORDO_RUN_RUN_ENV_H_
#define S1ORDO_RUN_RUN_ENV_H_

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "helpers/env.h"
#include "helpers/env_wrapper.h"

namespace s1ordo {

// The files and folders a dry run has made, changed or deleted, by path.
// Paths are compared as the file system compares them (ASCII letter case
// ignored in single-byte characters, "/" and "\" alike in the Windows
// form). Safe to share between threads.
class ScratchFiles {
 public:
  enum class Kind { kFile, kFolder, kGone };
  struct Entry {
    Kind kind;
    std::string path;  // as first given
    std::string bytes;
  };

  explicit ScratchFiles(PathForm form) : form_(form) {}

  // The entry of the path; nullopt when the run has not touched it.
  std::optional<Entry> Find(const std::string& path) const;
  // The same without copying the bytes: false when untouched, else its
  // kind and size.
  bool Peek(const std::string& path, Kind* kind, int64_t* size) const;
  // The bytes of a file entry, moved out (the entry is left empty).
  std::string TakeBytes(const std::string& path);
  void Put(const std::string& path, Kind kind, std::string bytes = {});
  void Append(const std::string& path, std::string_view bytes);
  // The same, taking the bytes over when the file is still empty.
  void Append(const std::string& path, std::string&& bytes);
  // The entries directly inside the folder.
  std::vector<Entry> Inside(const std::string& folder) const;
  // Drops every entry inside the folder (a borehole's work folder once its
  // files have been noted): what stays is the real file system.
  void Forget(const std::string& folder);

  // The path as the entries are keyed: ASCII letters in lower case, one
  // "/" for each separator.
  std::string Key(const std::string& path) const;

 private:
  PathForm form_;
  mutable std::mutex mutex_;
  std::map<std::string, Entry> entries_;
};

class RunEnv : public EnvWrapper {
 public:
  // scratch: null to write through to base. written (may be null) gets the
  // path of every file written, once, in the order first written; a file
  // deleted or renamed away leaves it.
  RunEnv(Env& base, ScratchFiles* scratch, std::vector<std::string>* written)
      : EnvWrapper(base), scratch_(scratch), written_(written) {}

  // From here on, a folder that held a new scratch file is taken to stay
  // there for the next ones, without another look: for work done ahead,
  // whose files are written into place only after a look of their own.
  void KeepFoldersSeen() { keeps_folder_seen_ = true; }

  std::string ReadFile(const std::string& path) override;
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override;
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  int64_t FileSize(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  void RenameFile(const std::string& from, const std::string& to) override;
  void ReplaceFile(const std::string& from, const std::string& to) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  void CreateFolder(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>* left_out) override;
  std::vector<std::string> ListSubfolders(const std::string& folder, std::vector<std::string>* left_out) override;

 private:
  void Wrote(const std::string& path);
  void Removed(const std::string& path);
  // In the scratch files: a new file at path holding bytes, or a failure
  // when its folder does not exist.
  std::unique_ptr<WritableFile> NewScratchFile(const std::string& path, std::string bytes);
  // The names of the files (or folders) of the folder as the run sees it.
  std::vector<std::string> List(const std::string& folder, bool folders, std::vector<std::string>* left_out);

  ScratchFiles* scratch_;
  std::vector<std::string>* written_;
  bool keeps_folder_seen_ = false;
  std::string folder_seen_;
};

}  // namespace s1ordo

#endif  // S1ORDO_RUN_RUN_ENV_H_
