// An Env over the real file system that injects the faults of a hostile
// machine: folders that cannot be written, a disk that fills up, and files
// that vanish at a chosen moment (through the `before` hook).
#ifndef S1ORDO_TESTS_FAULT_ENV_H_
#define S1ORDO_TESTS_FAULT_ENV_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "helpers/encoding.h"
#include "helpers/env.h"
#include "helpers/env_wrapper.h"
#include "helpers/error.h"

namespace s1ordo::test {

class FaultEnv : public EnvWrapper {
 public:
  // Called before every operation with its name ("ReadFile", "CopyFile",
  // ...) and its (first) path.
  std::function<void(std::string_view op, const std::string& path)> before;
  // Nothing under this path prefix can be created, written, renamed or
  // deleted, as in a folder the user has no rights to ("" for none).
  std::string read_only;
  // Bytes the disk can still take; a write beyond it stores what fits and
  // fails. Negative: no limit.
  int64_t space = -1;
  // Bytes written so far through this Env.
  int64_t written = 0;
  // The Env underneath (DefaultEnv() when null); one of its own for each
  // thread that runs at the same time.
  Env* base = nullptr;

  FaultEnv() : EnvWrapper(DefaultEnv()) {}

  Env& target() const override { return base ? *base : EnvWrapper::target(); }

  std::string ReadFile(const std::string& path) override {
    Before("ReadFile", path);
    return EnvWrapper::ReadFile(path);
  }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& path) override {
    Before("NewWritableFile", path);
    Writable(path);
    return std::make_unique<File>(*this, path, EnvWrapper::NewWritableFile(path));
  }
  std::unique_ptr<WritableFile> NewAppendableFile(const std::string& path) override {
    Before("NewAppendableFile", path);
    Writable(path);
    return std::make_unique<File>(*this, path, EnvWrapper::NewAppendableFile(path));
  }
  int64_t FileSize(const std::string& path) override {
    Before("FileSize", path);
    return EnvWrapper::FileSize(path);
  }
  void DeleteFile(const std::string& path) override {
    Before("DeleteFile", path);
    Writable(path);
    EnvWrapper::DeleteFile(path);
  }
  void RenameFile(const std::string& from, const std::string& to) override {
    Before("RenameFile", from);
    Writable(from);
    Writable(to);
    EnvWrapper::RenameFile(from, to);
  }
  void ReplaceFile(const std::string& from, const std::string& to) override {
    Before("ReplaceFile", from);
    Writable(from);
    Writable(to);
    EnvWrapper::ReplaceFile(from, to);
  }
  void CopyFile(const std::string& from, const std::string& to) override {
    Before("CopyFile", from);
    std::string bytes = ReadFile(from);
    auto out = NewWritableFile(to);
    out->Append(bytes);
    out->Close();
  }
  void CreateFolder(const std::string& path) override {
    Before("CreateFolder", path);
    Writable(path);
    EnvWrapper::CreateFolder(path);
  }
  std::vector<std::string> ListFiles(const std::string& folder, std::vector<std::string>* left_out) override {
    Before("ListFiles", folder);
    return EnvWrapper::ListFiles(folder, left_out);
  }
  std::unique_ptr<FolderLock> TryLockFolder(const std::string& folder) override {
    Before("TryLockFolder", folder);
    return EnvWrapper::TryLockFolder(folder);
  }

 private:
  void Before(std::string_view op, const std::string& path) {
    if (before) before(op, path);
  }
  void Writable(const std::string& path) const {
    if (!read_only.empty() && path.compare(0, read_only.size(), read_only) == 0)
      throw Error(Sjis(u8"ファイルを作成できません: Permission denied"), path);
  }

  // Stores what the disk can take; the rest of a write fails.
  class File : public WritableFile {
   public:
    File(FaultEnv& env, std::string path, std::unique_ptr<WritableFile> inner)
        : env_(env), path_(std::move(path)), inner_(std::move(inner)) {}
    void Append(std::string_view bytes) override {
      if (env_.space >= 0 && static_cast<int64_t>(bytes.size()) > env_.space) {
        inner_->Append(bytes.substr(0, static_cast<size_t>(env_.space)));
        env_.written += env_.space;
        env_.space = 0;
        throw Error(Sjis(u8"ファイルに書き込めません: No space left on device"), path_);
      }
      inner_->Append(bytes);
      env_.written += static_cast<int64_t>(bytes.size());
      if (env_.space >= 0) env_.space -= static_cast<int64_t>(bytes.size());
    }
    void Close() override { inner_->Close(); }

   private:
    FaultEnv& env_;
    std::string path_;
    std::unique_ptr<WritableFile> inner_;
  };
};

}  // namespace s1ordo::test

#endif  // S1ORDO_TESTS_FAULT_ENV_H_
