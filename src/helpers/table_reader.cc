// Opening a table file and reading its records into numbered fields.
#include "helpers/table_reader.h"

#include "helpers/encoding.h"
#include "helpers/error.h"

namespace s1ordo {

bool OpenTableFile(Env& env, TableReader& reader, const std::string& path, EmptyFile empty) {
  reader.in = ItemReader();
  reader.path = path;
  int64_t size = env.FileSize(path);
  if (size <= 0) {
    if (size == 0 && empty == EmptyFile::kDelete) env.DeleteFile(path);
    return false;
  }
  reader.in = ItemReader(env.ReadFile(path));
  return true;
}

bool ReadTableRecord(TableReader& reader, int n) {
  if (n < 1 || n > 100) throw Error(Sjis(u8"レコードの項目数が範囲外です"), reader.path);
  ItemReader& in = reader.in;
  if (in.Position() >= in.Length()) return false;
  reader.record_line = in.LineNumber();
  for (int j = 1; j <= n; ++j)
    if (!in.ReadItem(&reader.fields[j])) break;  // a field not read keeps its value
  return true;
}

}  // namespace s1ordo
