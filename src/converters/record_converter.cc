#include "converters/record_converter.h"

#include "helpers/error.h"
#include "helpers/number.h"
#include "helpers/table_reader.h"
#include "helpers/text.h"

namespace s1ordo {

std::string LineHead(long long counter, std::string_view depth) {
  std::string head;
  head.reserve(128);  // room for the rest of a usual line
  AppendRightJustified(head, IntText(counter), 3);
  head += ',';
  AppendRightJustified(head, depth, 7);
  head += ',';
  return head;
}

bool OpenSource(Context& ctx, const std::string& path) {
  int16_t empty = 0;
  OpenTableFile(ctx.env, ctx.table, path, empty);
  return empty == 0;
}

long long WriteRecords(Context& ctx, WritableFile& out, int fields, int slot, const RecordLine& line) {
  long long counter = 0;
  for (;;) {
    long line_number = ctx.table.TableChannel.LineNumber();
    ReadTableRecord(ctx.table, fields, slot);
    if (ctx.table.RecordPositions[slot] == EndOfTable) break;
    try {
      ++counter;
      out.Append(line(ctx, counter) + "\r\n");
    } catch (Error& e) {
      if (e.file().empty()) {
        e.set_file(ctx.table.channel_path);
        e.set_line(line_number);
      }
      throw;
    }
  }
  return counter;
}

void ConvertRecords(Context& ctx, std::string_view source, std::string_view target, int fields, int slot,
                    const RecordLine& line) {
  if (!OpenSource(ctx, ctx.InBorehole(source))) return;
  auto out = ctx.env.NewWritableFile(ctx.InBorehole(target));
  WriteRecords(ctx, *out, fields, slot, line);
  CloseTable(ctx.table);
  out->Close();
}

}  // namespace s1ordo
