// The loop of the record converters over a source's records, and the line
// head they all begin with.
#include "converters/record_converter.h"

#include <charconv>
#include <cmath>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/number.h"
#include "helpers/text.h"

namespace s1ordo {

std::string LineHead(long long counter, std::string_view depth) {
  std::string head;
  head.reserve(128);  // room for the rest of a usual line
  char number[24];  // IntText(counter), without a string of its own
  number[0] = ' ';
  const char* const end = std::to_chars(number + 1, number + sizeof number, counter).ptr;
  const char* const begin = counter < 0 ? number + 1 : number;
  AppendRightJustified(head, std::string_view(begin, static_cast<size_t>(end - begin)), 3);
  head += ',';
  AppendRightJustified(head, depth, 7);
  head += ',';
  return head;
}

void WarnIfCut(const RecordSite& at, std::u8string_view what, std::string_view value, size_t width) {
  const size_t first = value.find_first_not_of(' ');
  const std::string_view kept = first == std::string_view::npos ? std::string_view() : value.substr(first);
  if (CharCount(kept) <= width || at.OnlyCount()) return;  // only blanks are dropped
  at.Warn(Sjis(what) + " \"" + std::string(value) + "\"" + Sjis(u8" は ") +
          TrimmedText(static_cast<long long>(width)) + Sjis(u8" 文字の欄に収まらないため \"") +
          RightJustify(value, width) + Sjis(u8"\" と書かれます"));
}

std::string FitRight(const RecordSite& at, std::u8string_view what, std::string_view value, size_t width) {
  WarnIfCut(at, what, value, width);
  return RightJustify(value, width);
}

void WarnIfRounded(const RecordSite& at, std::string_view field, double value) {
  if (value != std::nearbyint(value) && std::isfinite(value) && !at.OnlyCount())
    at.Warn(Sjis(u8"コード \"") + Trim(field) + Sjis(u8"\" の小数部は丸められます"));
}

void WarnMissingCode(const RecordSite& at, std::string_view code, std::string_view list) {
  if (at.OnlyCount()) return;
  at.Warn(Sjis(u8"コード \"") + Trim(code) + Sjis(u8"\" は ") + std::string(list) +
          Sjis(u8" にないため、名前が空になります"));
}

long long WriteRecords(TableReader& reader, WritableFile& out, int fields, const RecordLineAt& line,
                       BoreholeNotes* notes) {
  long long counter = 0;
  while (ReadTableRecord(reader, fields)) {
    ++counter;
    const RecordSite at{notes, reader.path, reader.record_line};
    // The line head: the record number and field 2, the depth.
    if (counter == 1000) at.Warn(Sjis(u8"1000 番目からのレコードの番号は 3 文字の欄に収まらず、下 3 桁だけが書かれます"));
    WarnIfCut(at, u8"深度", reader.fields[2], 7);
    AtFile(reader.path, reader.record_line, [&] { out.Append(line(reader.fields, counter, at) + "\r\n"); });
  }
  return counter;
}

long long WriteRecords(TableReader& reader, WritableFile& out, int fields, const RecordLine& line) {
  return WriteRecords(
      reader, out, fields, [&](RecordFields& f, long long counter, const RecordSite&) { return line(f, counter); },
      nullptr);
}

void ConvertRecords(const BoreholeFolder& borehole, std::string_view source, std::string_view target, int fields,
                    const RecordLineAt& line) {
  TableReader reader;
  if (!OpenTableFile(borehole.env(), reader, borehole.File(source))) return;
  auto out = borehole.env().NewWritableFile(borehole.File(target));
  WriteRecords(reader, *out, fields, line, borehole.notes());
  out->Close();
}

void ConvertRecords(const BoreholeFolder& borehole, std::string_view source, std::string_view target, int fields,
                    const RecordLine& line) {
  ConvertRecords(borehole, source, target, fields,
                 [&](RecordFields& f, long long counter, const RecordSite&) { return line(f, counter); });
}

}  // namespace s1ordo
