// Reading the records of a list or source file held in memory.
#include "layers/list_records.h"

#include "helpers/encoding.h"
#include "helpers/error.h"

namespace s1ordo {

RecordFile::RecordFile(Env& env, std::string path) : path_(std::move(path)) {
  if (env.FileSize(path_) < 0) throw Error(Sjis(u8"ファイルがありません"), path_);
  in_ = ItemReader(env.ReadFile(path_));
}

bool RecordFile::Next(int n, std::vector<std::string>& items) {
  line_ = in_.LineNumber();
  if (in_.AtEnd()) return false;
  ReadRecord(in_, n, path_, items);
  return true;
}

bool SourceHasData(Env& env, const std::string& path) {
  int64_t size = env.FileSize(path);
  if (size == 0) env.DeleteFile(path);
  return size > 0;
}

void ThrowTooManyRecords(const RecordFile& file, int bound) {
  throw Error(TooManyRecordsCause(bound), file.path(), file.line());
}

}  // namespace s1ordo
