// Shared test helpers: a temporary folder, files written and read as bytes,
// code page 932 texts from UTF-8 literals, and a user interface double.
#ifndef S1ORDO_TESTS_TEST_SUPPORT_H_
#define S1ORDO_TESTS_TEST_SUPPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "helpers/env.h"
#include "helpers/env_wrapper.h"
#include "run/user_interface.h"

namespace s1ordo::test {

// Code page 932 text of a UTF-8 literal: S(u8"砂").
std::string S(std::u8string_view utf8);

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes. Its path is ASCII, so the same in UTF-8 and
// in code page 932; path() has no trailing separator.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // path() & the platform's separator & relative.
  std::string operator/(std::string_view relative) const {
    return path_ + Separator(NativePathForm()) + std::string(relative);
  }

 private:
  std::string path_;
};

// Writes bytes to a file (creating its folders); reads a whole file.
// Paths may hold code page 932 names.
void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
void MakeFolder(const std::string& path);
// Names of everything below a folder with their content, for comparing trees.
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder);

#ifndef _WIN32
// Ends the test process with SIGALRM when the scope lasts longer than the
// given seconds: a wait that never ends fails instead of hanging.
class Deadline {
 public:
  explicit Deadline(unsigned seconds);
  ~Deadline();
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;
};
#endif

// Sets (or, with an empty value, removes) an environment variable.
void SetEnvironment(const char* name, const std::string& value);

// Lines joined with CR LF after each.
std::string Lines(const std::vector<std::string>& lines);

// Windows-form paths on any platform: drive X: maps to the folder
// root/X, "\" to "/". Drives C, D and E exist. Records the paths whose
// existence was tested.
class WindowsEnv : public EnvWrapper {
 public:
  explicit WindowsEnv(std::string root) : EnvWrapper(DefaultEnv()), root_(std::move(root)) {}
  std::string Map(const std::string& path) const;
  std::vector<std::string> exists_calls;

  PathForm form() const override { return PathForm::kWindows; }
  std::string ReadFile(const std::string& p) override { return EnvWrapper::ReadFile(Map(p)); }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& p) override {
    return EnvWrapper::NewWritableFile(Map(p));
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& p) override {
    return EnvWrapper::NewAppendableFile(Map(p));
  }
  bool Exists(const std::string& p) override {
    exists_calls.push_back(p);
    return EnvWrapper::Exists(Map(p));
  }
  bool IsFolder(const std::string& p) override { return EnvWrapper::IsFolder(Map(p)); }
  int64_t FileSize(const std::string& p) override { return EnvWrapper::FileSize(Map(p)); }
  void DeleteFile(const std::string& p) override { EnvWrapper::DeleteFile(Map(p)); }
  void RenameFile(const std::string& a, const std::string& b) override { EnvWrapper::RenameFile(Map(a), Map(b)); }
  void ReplaceFile(const std::string& a, const std::string& b) override { EnvWrapper::ReplaceFile(Map(a), Map(b)); }
  void CopyFile(const std::string& a, const std::string& b) override { EnvWrapper::CopyFile(Map(a), Map(b)); }
  void CreateFolder(const std::string& p) override { EnvWrapper::CreateFolder(Map(p)); }
  std::vector<std::string> ListFiles(const std::string& p, std::vector<std::string>* left_out) override {
    return EnvWrapper::ListFiles(Map(p), left_out);
  }
  std::vector<std::string> ListSubfolders(const std::string& p, std::vector<std::string>* left_out) override {
    return EnvWrapper::ListSubfolders(Map(p), left_out);
  }
  std::unique_ptr<FolderLock> TryLockFolder(const std::string& p) override { return EnvWrapper::TryLockFolder(Map(p)); }
  bool DriveUsable(char letter) override;
  std::string SystemFolder() override { return "C:\\WINDOWS\\system32"; }
  std::string ProgramFolder() override { return "C:\\S1ORDO"; }
  std::string CurrentFolder() override { return "C:\\"; }

 private:
  std::string root_;
};

// A user interface that records what the run shows and answers questions
// from a list (yes when the list is exhausted, unless no_by_default).
class FakeUi : public UserInterface {
 public:
  struct Box {
    std::string text;
    MessageKind kind;
    std::string title;
  };
  std::string destination, source;  // the path boxes
  std::vector<std::string> names;
  std::vector<bool> selected;
  std::vector<bool> answers;  // answers to questions, in order
  bool no_by_default = false;

  std::vector<Box> boxes;
  std::vector<PathBox> focused;
  std::string message_line;
  std::vector<std::string> message_history;
  int repaints = 0;
  bool busy = false;

  void SetBoreholes(const std::vector<std::string>& list, bool select_all = true);

  std::string Text(PathBox box) override { return box == PathBox::kDestination ? destination : source; }
  void FocusAndSelectAll(PathBox box) override { focused.push_back(box); }
  int BoreholeCount() override { return static_cast<int>(names.size()); }
  std::string BoreholeName(int i) override { return names[i]; }
  bool IsSelected(int i) override { return selected[i]; }
  void Deselect(int i) override { selected[i] = false; }
  void SetMessageLine(const std::string& text) override {
    message_line = text;
    message_history.push_back(text);
  }
  bool ShowMessage(const std::string& text, MessageKind kind, const std::string& title) override;
  void SetBusy(bool b) override { busy = b; }
  void Repaint() override { ++repaints; }
};

}  // namespace s1ordo::test

#endif  // S1ORDO_TESTS_TEST_SUPPORT_H_
