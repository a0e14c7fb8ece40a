// An Env that passes every call on to another one: the base of an Env that
// changes a few operations (notes what is written, keeps a dry run's files,
// injects faults) and overrides only those.
#ifndef S1ORDO_HELPERS_ENV_WRAPPER_H_
#define S1ORDO_HELPERS_ENV_WRAPPER_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "helpers/env.h"

namespace s1ordo {

class EnvWrapper : public Env {
 public:
  explicit EnvWrapper(Env& target) : target_(target) {}

  // The Env each call goes to: the one given, unless a wrapper that picks
  // it per call says otherwise.
  virtual Env& target() const { return target_; }

  PathForm form() const override { return target().form(); }
  std::string ReadFile(const std::string& path) override { return target().ReadFile(path); }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    return target().NewWritableFile(path);
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    return target().NewAppendableFile(path);
  }
  bool Exists(const std::string& path) override { return target().Exists(path); }
  bool IsFolder(const std::string& path) override { return target().IsFolder(path); }
  int64_t FileSize(const std::string& path) override { return target().FileSize(path); }
  void DeleteFile(const std::string& path) override { target().DeleteFile(path); }
  void RenameFile(const std::string& from, const std::string& to) override { target().RenameFile(from, to); }
  void ReplaceFile(const std::string& from, const std::string& to) override { target().ReplaceFile(from, to); }
  void CopyFile(const std::string& from, const std::string& to) override { target().CopyFile(from, to); }
  void CreateFolder(const std::string& path) override { target().CreateFolder(path); }
  std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>* left_out) override {
    return target().ListFiles(folder, left_out);
  }
  std::vector<std::string> ListSubfolders(const std::string& folder, std::vector<std::string>* left_out) override {
    return target().ListSubfolders(folder, left_out);
  }
  std::unique_ptr<FolderLock> TryLockFolder(const std::string& folder) override {
    return target().TryLockFolder(folder);
  }
  bool DriveUsable(char letter) override { return target().DriveUsable(letter); }
  std::string SystemFolder() override { return target().SystemFolder(); }
  std::string ProgramFolder() override { return target().ProgramFolder(); }
  std::string CurrentFolder() override { return target().CurrentFolder(); }

 private:
  Env& target_;
};

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_ENV_WRAPPER_H_
