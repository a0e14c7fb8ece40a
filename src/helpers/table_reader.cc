#include "helpers/table_reader.h"

#include "helpers/encoding.h"
#include "helpers/error.h"

namespace s1ordo {

void OpenTableFile(Env& env, TableReader& reader, const std::string& path, int16_t& empty_flag,
                   EmptyFile empty) {
  empty_flag = 0;
  reader.TableChannel = ItemReader();
  reader.channel_path = path;
  int64_t size = env.FileSize(path);
  if (size <= 0) {
    empty_flag = 1;
    if (size == 0 && empty == EmptyFile::kDelete) env.DeleteFile(path);
    return;
  }
  reader.TableChannel = ItemReader(env.ReadFile(path));
}

void ReadTableRecord(TableReader& reader, int n, int slot) {
  if (n < 1 || n > 100 || slot < 0 || slot > 100)
    throw Error(Sjis(u8"レコードの項目数またはスロットが範囲外です"), reader.channel_path);
  ItemReader& in = reader.TableChannel;
  int64_t p = in.Position();
  if (p < in.Length()) {
    reader.RecordPositions[slot] = static_cast<int32_t>(p);
    for (int j = 1; j <= n; ++j)
      if (!in.ReadItem(&reader.RecordFields[j])) break;  // a field not read keeps its value
  } else {
    reader.RecordPositions[slot] = EndOfTable;
  }
}

void CloseTable(TableReader& reader) {
  reader.TableChannel = ItemReader();
  reader.channel_path.clear();
}

}  // namespace s1ordo
