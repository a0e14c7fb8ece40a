// The loop of the record converters over a source's records, and the line
// head they all begin with.
#include "converters/record_converter.h"

#include "helpers/error.h"
#include "helpers/number.h"
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

long long WriteRecords(TableReader& reader, WritableFile& out, int fields, const RecordLine& line) {
  long long counter = 0;
  while (ReadTableRecord(reader, fields)) {
    ++counter;
    AtFile(reader.path, reader.record_line, [&] { out.Append(line(reader.fields, counter) + "\r\n"); });
  }
  return counter;
}

void ConvertRecords(const BoreholeFolder& borehole, std::string_view source, std::string_view target, int fields,
                    const RecordLine& line) {
  TableReader reader;
  if (!OpenTableFile(borehole.env(), reader, borehole.File(source))) return;
  auto out = borehole.env().NewWritableFile(borehole.File(target));
  WriteRecords(reader, *out, fields, line);
  out->Close();
}

}  // namespace s1ordo
