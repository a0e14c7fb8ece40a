// The numeric record converters of "N5.TXT", "G41.TXT" with its partners
// and "MITUDO.TXT".
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
std::string Column3(const RecordSite& at, std::string_view value) { return FitRight(at, u8"値", value, 3); }

// A file read beside "G41.TXT", one record for each of its records.
struct PartnerFile {
  std::string path;
  ItemReader in;
};

PartnerFile OpenPartner(const BoreholeFolder& borehole, std::string_view name) {
  PartnerFile partner{borehole.File(name), ItemReader()};
  if (borehole.env().FileSize(partner.path) < 0)
    throw Error(Sjis(u8"\"G41.TXT\" と組になるファイルがありません"), partner.path);
  partner.in = ItemReader(borehole.env().ReadFile(partner.path));
  return partner;
}

// Reads the partner's next record of `items` items; the first two are
// dropped and the others go to the fields from index `first` on.
void ReadPartnerRecord(PartnerFile& partner, int items, RecordFields& fields, int first) {
  long line = partner.in.LineNumber();
  std::string item;
  for (int j = 1; j <= items; ++j) {
    if (!partner.in.ReadItem(&item))
      throw Error(Sjis(u8"\"G41.TXT\" よりレコードが少なくなっています。") + PastEndCause(items, j - 1), partner.path,
                  line);
    if (j >= 3) fields[first + j - 3] = std::move(item);
  }
}

// Copies a header file of "N5.TXT" when it holds something.
void CopyHeader(const BoreholeFolder& borehole, std::string_view from, std::string_view to) {
  std::string source = borehole.File(from);
  if (FileSizeOrZero(borehole.env(), source) > 0) borehole.env().CopyFile(source, borehole.File(to));
}

}  // namespace

double NValue(double blows, double penetration_cm) {
  if (penetration_cm == 0) return blows;
  return std::trunc(30 / penetration_cm * blows);
}

void ConvertX5(const BoreholeFolder& borehole) {
  TableReader reader;
  if (!OpenTableFile(borehole.env(), reader, borehole.File("N5.TXT"))) return;
  auto out = borehole.env().NewWritableFile(borehole.File("X5.txt"));
  WriteRecords(reader, *out, 10, [](RecordFields& f, long long counter, const RecordSite& at) {
    double n = NValue(ReadNumber(f[3]), ReadNumber(f[4]));
    std::string line = LineHead(counter, f[2]) + Column3(at, TrimRight(f[3])) + "," + Column3(at, DoubleText(n)) +
                       "," + Column3(at, TrimRight(f[4]));
    for (int j = 5; j <= 10; ++j) line += "," + Column3(at, TrimRight(f[j]));
    return line;
  }, borehole.notes());
  out->Close();
  CopyHeader(borehole, "N5.hed", "X5.hed");
  CopyHeader(borehole, "N5.hd2", "X5.hd2");
}

void ConvertR41(const BoreholeFolder& borehole) {
  TableReader reader;
  if (!OpenTableFile(borehole.env(), reader, borehole.File("G41.TXT"))) return;
  auto out = borehole.env().NewWritableFile(borehole.File("R41.txt"));
  PartnerFile a = OpenPartner(borehole, "G41A.txt");
  PartnerFile b = OpenPartner(borehole, "G41B.txt");
  WriteRecords(reader, *out, 5, [&](RecordFields& f, long long counter, const RecordSite& at) {
    ReadPartnerRecord(a, 6, f, 8);  // fields 3-6 -> 8-11
    ReadPartnerRecord(b, 4, f, 6);  // fields 3-4 -> 6-7
    std::string line = LineHead(counter, f[2]) + Column3(at, f[3]);
    for (int j = 4; j <= 11; ++j) line += "," + Column3(at, f[j]);
    return line;
  }, borehole.notes());
  out->Close();
}

void ConvertX14(const BoreholeFolder& borehole) {
  ConvertRecords(borehole, "MITUDO.TXT", "X14.txt", 4, [](RecordFields& f, long long counter) {
    return LineHead(counter, f[2]) + f[3] + "," + f[4] + ",   ,           ";
  });
}

}  // namespace s1ordo
