// The operating system as the converter sees it: files, folders, listing,
// the system and program folders. All paths are code page 932 texts in the
// platform's path form; file names are matched without regard to ASCII
// letter case, as on the source system's file system. Failures throw Error
// naming the file.
//
// The platform module gives the real one; tests wrap or replace it to inject
// faults.
#ifndef S1ORDO_HELPERS_ENV_H_
#define S1ORDO_HELPERS_ENV_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/paths.h"

namespace s1ordo {

// A file being written. Writes are buffered; Close flushes and reports any
// failure (a full disk shows here at the latest). A file that is destroyed
// without Close is closed quietly.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual void Append(std::string_view bytes) = 0;
  virtual void Close() = 0;
};

class Env {
 public:
  virtual ~Env() = default;

  virtual PathForm form() const = 0;

  // The whole content of a file.
  virtual std::string ReadFile(const std::string& path) = 0;
  // Creates the file anew (replacing an existing one) or opens it for
  // appending (creating it when missing).
  virtual std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) = 0;
  virtual std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) = 0;

  // True when a file or folder of that path exists.
  virtual bool Exists(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  // Size in bytes of a file; -1 when there is no such file.
  virtual int64_t FileSize(const std::string& path) = 0;

  virtual void DeleteFile(const std::string& path) = 0;
  // Renames, replacing the target in one step.
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  // Copies the content, replacing the target.
  virtual void CopyFile(const std::string& from, const std::string& to) = 0;
  virtual void CreateFolder(const std::string& path) = 0;

  // Names of the ordinary files (not folders, not hidden or system files)
  // and of the sub-folders of a folder, sorted by name as the source
  // system's file system lists them.
  virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
  virtual std::vector<std::string> ListSubfolders(const std::string& folder) = 0;

  // Whether the drive of a drive letter exists and can be used (always
  // false where there are no drive letters).
  virtual bool DriveUsable(char letter) = 0;
  // The operating system's system folder (the default place of the two
  // settings files), without a trailing separator.
  virtual std::string SystemFolder() = 0;
  // The folder that holds the program file, without a trailing separator;
  // the environment variable S1ORDO_PROGRAM_FOLDER overrides it.
  virtual std::string ProgramFolder() = 0;
  // Current folder, without a trailing separator (unless it is a root).
  virtual std::string CurrentFolder() = 0;
};

// The real operating system. A front end makes its own with
// NewPlatformEnv() and passes it down; DefaultEnv() is one shared instance
// for tests and tools.
std::unique_ptr<Env> NewPlatformEnv();
Env& DefaultEnv();

// Writes a whole file (created anew) and closes it.
void WriteWholeFile(Env& env, const std::string& path, std::string_view bytes);

// Adds lines (each ended by CR LF) at the end of a file that must outlive a
// failed run, such as a list of the pattern-data folder; a missing file is
// created. A last line without its line end is ended first, so that the new
// lines never run into it. The whole file is written beside the old one
// (path & ".new") and renamed over it, so a failure (a full disk, a folder
// that cannot be written) leaves the file as it was; the Error then names
// the file.
void AppendWholeLines(Env& env, const std::string& path, std::string_view lines);

// Replaces the file's content with bytes the same way: written beside it
// (path & ".new") and renamed over it; on failure the file is as it was,
// the ".new" file is removed and the Error names the file.
void ReplaceWholeFile(Env& env, const std::string& path, std::string_view bytes);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_ENV_H_
