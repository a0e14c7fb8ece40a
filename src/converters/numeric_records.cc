#include "converters/numeric_records.h"

#include <cmath>
#include <string>

#include "converters/record_converter.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/platform.h"
#include "helpers/table_reader.h"
#include "helpers/text.h"

namespace s1ordo {
namespace {

// A value in a 3-character column: its last 3 characters, blanks in front.
std::string Column3(std::string_view value) { return RightJustify(value, 3); }

// A file read beside "G41.TXT", one record for each of its records.
struct PartnerFile {
  std::string path;
  ItemReader in;
};

PartnerFile OpenPartner(Context& ctx, std::string_view name) {
  PartnerFile partner{ctx.InBorehole(name), ItemReader()};
  if (ctx.env.FileSize(partner.path) < 0)
    throw Error(Sjis(u8"\"G41.TXT\" と組になるファイルがありません"), partner.path);
  partner.in = ItemReader(ctx.env.ReadFile(partner.path));
  return partner;
}

// Reads the partner's next record of `items` items; the first two are
// dropped and the others go to RecordFields from index `first` on.
void ReadPartnerRecord(PartnerFile& partner, int items, TableReader& table, int first) {
  long line = partner.in.LineNumber();
  std::string item;
  for (int j = 1; j <= items; ++j) {
    if (!partner.in.ReadItem(&item))
      throw Error(Sjis(u8"\"G41.TXT\" よりレコードが少なくなっています"), partner.path, line);
    if (j >= 3) table.RecordFields[first + j - 3] = std::move(item);
  }
}

// Copies a header file of "N5.TXT" when it holds something.
void CopyHeader(Context& ctx, std::string_view from, std::string_view to) {
  std::string source = ctx.InBorehole(from);
  if (FileSize(ctx.env, source) > 0) ctx.env.CopyFile(source, ctx.InBorehole(to));
}

}  // namespace

double NValue(double blows, double penetration_cm) {
  if (penetration_cm == 0) return blows;
  return std::trunc(30 / penetration_cm * blows);
}

void ConvertX5(Context& ctx) {
  if (!OpenSource(ctx, ctx.InBorehole("N5.TXT"))) return;
  auto out = ctx.env.NewWritableFile(ctx.InBorehole("X5.txt"));
  WriteRecords(ctx, *out, 10, 2, [](Context& c, long long counter) {
    const auto& f = c.table.RecordFields;
    double n = NValue(ReadNumber(f[3]), ReadNumber(f[4]));
    std::string line = LineHead(counter, f[2]) + Column3(TrimRight(f[3])) + "," + Column3(DoubleText(n)) + "," +
                       Column3(TrimRight(f[4]));
    for (int j = 5; j <= 10; ++j) line += "," + Column3(TrimRight(f[j]));
    return line;
  });
  CloseTable(ctx.table);
  out->Close();
  CopyHeader(ctx, "N5.hed", "X5.hed");
  CopyHeader(ctx, "N5.hd2", "X5.hd2");
}

void ConvertR41(Context& ctx) {
  if (!OpenSource(ctx, ctx.InBorehole("G41.TXT"))) return;
  auto out = ctx.env.NewWritableFile(ctx.InBorehole("R41.txt"));
  PartnerFile a = OpenPartner(ctx, "G41A.txt");
  PartnerFile b = OpenPartner(ctx, "G41B.txt");
  WriteRecords(ctx, *out, 5, 2, [&](Context& c, long long counter) {
    ReadPartnerRecord(a, 6, c.table, 8);   // fields 3-6 -> 8-11
    ReadPartnerRecord(b, 4, c.table, 6);   // fields 3-4 -> 6-7
    const auto& f = c.table.RecordFields;
    std::string line = LineHead(counter, f[2]) + Column3(f[3]);
    for (int j = 4; j <= 11; ++j) line += "," + Column3(f[j]);
    return line;
  });
  CloseTable(ctx.table);
  out->Close();
}

void ConvertX14(Context& ctx) {
  ConvertRecords(ctx, "MITUDO.TXT", "X14.txt", 4, 2, [](Context& c, long long counter) {
    const auto& f = c.table.RecordFields;
    return LineHead(counter, f[2]) + f[3] + "," + f[4] + ",   ,           ";
  });
}

}  // namespace s1ordo
