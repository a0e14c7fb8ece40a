// The operating system as the converter sees it: files, folders, listing,
// the system and program folders. All paths are code page 932 texts in the
// platform's path form. Every part of a path that exists is found under the
// file system's own name: parts are matched without regard to ASCII letter
// case, as on the source system's file system, and by their code page 932
// form (a name held as U+301C WAVE DASH is found as the code page 932 wave
// dash). Failures throw Error naming the file, its cause in Japanese with
// the system's own text after it in parentheses; a file or folder that
// exists but may not be used fails with "アクセスが拒否されました".
//
// The platform module gives the real one. An Env that changes a few of its
// operations derives from EnvWrapper (helpers/env_wrapper.h); tests that
// need files but no disk use NewMemoryEnv (helpers/memory_env.h).
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

// An exclusive lock, held until the object is destroyed or the process
// ends, however it ends.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

class Env {
 public:
  virtual ~Env() = default;

  virtual PathForm form() const = 0;

  // The whole content of a file. Anything there that is not a regular
  // file (a FIFO, a device) is a failure, never a wait.
  virtual std::string ReadFile(const std::string& path) = 0;
  // Creates the file anew (replacing an existing one) or opens it for
  // appending (creating it when missing). What stands under the name is
  // never written through: a link there is replaced by a new file, and so,
  // for a new file, is a file that has other names too (a hard link);
  // anything else that is not a regular file is a failure naming it.
  virtual std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) = 0;
  virtual std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) = 0;

  // True when a file or folder of that path exists.
  virtual bool Exists(const std::string& path) = 0;
  // Throws Error when a folder on the way may not be searched.
  virtual bool IsFolder(const std::string& path) = 0;
  // Size in bytes of a file; -1 when there is no such file (or a folder
  // stands there). Throws Error when a folder on the way may not be
  // searched, or when something there is not a regular file.
  virtual int64_t FileSize(const std::string& path) = 0;

  virtual void DeleteFile(const std::string& path) = 0;
  // Renames, replacing the target in one step.
  virtual void RenameFile(const std::string& from, const std::string& to) = 0;
  // RenameFile for a file that others share and that must outlive a power
  // loss (the lists of the pattern-data folder): `from` takes the name,
  // permissions and group of the file it replaces and reaches the disk
  // before the rename, and the folder after it. A file `to` that the
  // program may not write is a failure naming it, and stays. On any failure
  // `to` is as it was and `from` is removed.
  virtual void ReplaceFile(const std::string& from, const std::string& to) = 0;
  // Copies the content, replacing the target (as NewWritableFile does). A
  // new copy takes the name the source has on disk.
  virtual void CopyFile(const std::string& from, const std::string& to) = 0;
  virtual void CreateFolder(const std::string& path) = 0;

  // Whether FillEmptyFolder, ReplaceEmptyFolder and RemoveEmptyFolder below
  // can do what they say; where not, they only give false.
  virtual bool FillsFolders() const { return false; }
  // One file that FillEmptyFolder makes.
  struct NewFile {
    std::string name;         // in the folder
    // Made as CopyFile(copy_of, ...) makes it; a name alone is a file made
    // before it in the same folder; "" for a new file.
    std::string copy_of;
    bool keeps_copy = false;  // a copy whose content stays as copied
    std::string bytes;        // the content (of a copy that keeps it: as it was read from copy_of)
    std::string renamed_to;   // the name in the folder it then takes ("" to keep its own)
  };
  // Makes the files in the folder (ending with the separator) one after
  // another, each as NewWritableFile or CopyFile and then RenameFile would
  // make it there (a copy holding the bytes given), provided the folder
  // holds nothing at all: no file, hidden or not, and no folder. False,
  // with nothing made, when it holds anything or when the Env has no
  // quicker way than those calls (this base, and EnvWrapper, whose
  // overrides must not be bypassed). No two names may meet (differ in
  // letter case only). A failure part-way throws Error naming the file; the
  // files made before it stay.
  virtual bool FillEmptyFolder(const std::string& /*folder*/, std::vector<NewFile>& /*files*/) { return false; }
  // Puts the folder `from` in the place of the folder `to`, which must be
  // there and hold nothing, in one step: `to` then has what `from` held,
  // and `from` is an empty folder (the one that was `to`, where the two can
  // be exchanged: no folder is removed, which on some file systems slows
  // down the making of files for minutes). False, with nothing changed,
  // when `to` is missing or holds anything, or when the Env has no such way
  // (as above).
  virtual bool ReplaceEmptyFolder(const std::string& /*from*/, const std::string& /*to*/) { return false; }
  // Removes a folder that holds nothing; false when it holds anything, is
  // not there, or the Env has no such way (as above).
  virtual bool RemoveEmptyFolder(const std::string& /*path*/) { return false; }

  // Names of the ordinary files (not folders, not hidden or system files)
  // and of the sub-folders of a folder, sorted by name as the source
  // system's file system lists them. Entries left out that a user would
  // look for (a FIFO or a link to nothing among the files; a name that code
  // page 932 cannot hold) add a warning naming them to *left_out, when
  // given. A folder that cannot be listed is a failure naming it.
  virtual std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>* left_out) = 0;
  virtual std::vector<std::string> ListSubfolders(const std::string& folder,
                                                  std::vector<std::string>* left_out) = 0;

  // Takes the exclusive lock of a folder that runs of the program share
  // (the pattern-data folder) without waiting: nullptr while another run,
  // in this process or another, holds it. The lock leaves nothing behind in
  // the folder, and a run that is killed releases it. Where the file system
  // cannot lock at all (a folder on a network file system without locks,
  // or one the program may not write on Windows), the lock holds nothing.
  virtual std::unique_ptr<FolderLock> TryLockFolder(const std::string& folder) = 0;

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

// "通常のファイルではありません": what stands under the name of a file is
// something else (a FIFO, a device, a socket).
std::string NotRegularFileCause();

// Adds lines (each ended by CR LF) at the end of a file that must outlive a
// failed run, such as a list of the pattern-data folder; a missing file is
// created. A last line without its line end is ended first, so that the new
// lines never run into it. The whole file is written beside the old one
// (path & ".new") and put in its place with ReplaceFile, so a failure (a
// full disk, a folder that cannot be written) leaves the file as it was;
// the Error then names the file.
void AppendWholeLines(Env& env, const std::string& path, std::string_view lines);

// Replaces the file's content with bytes the same way: written beside it
// (path & ".new") and put in its place with ReplaceFile; on failure the file is as it was,
// the ".new" file is removed and the Error names the file.
void ReplaceWholeFile(Env& env, const std::string& path, std::string_view bytes);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_ENV_H_
