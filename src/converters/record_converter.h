// What the record converters share: the test-and-open of a source file in
// the borehole folder, the loop over its records, and the common line head
// (record number in 3 characters, depth in 7).
#ifndef S1ORDO_CONVERTERS_RECORD_CONVERTER_H_
#define S1ORDO_CONVERTERS_RECORD_CONVERTER_H_

#include <functional>
#include <string>
#include <string_view>

#include "helpers/borehole_folder.h"
#include "helpers/borehole_notes.h"
#include "helpers/env.h"
#include "helpers/table_reader.h"

namespace s1ordo {

// Record counter and depth, each right-aligned, each followed by ",":
// "  1,   1.50,".
std::string LineHead(long long counter, std::string_view depth);

// The record being converted, for the warnings about what its line bends.
struct RecordSite {
  BoreholeNotes* notes;  // null: warnings are dropped
  const std::string& file;
  long line;  // where the record began
  void Warn(std::string text) const { AddWarning(notes, file, line, std::move(text)); }
  // See CountOnly: true when the text of a warning here is not wanted.
  bool OnlyCount() const { return CountOnly(notes); }
};

// Builds the line of one record (without its line end) from its fields,
// which it may change; counter is the record's number (1, 2, ...). Every
// line begins with LineHead(counter, field 2).
using RecordLine = std::function<std::string(RecordFields& fields, long long counter)>;
// The same with the record's place, to warn about what the line bends.
using RecordLineAt = std::function<std::string(RecordFields& fields, long long counter, const RecordSite& at)>;

// Warns when the value is longer than its field of width characters, where
// RightJustify keeps only its end, and more than blanks are dropped; `what`
// names it. FitRight also gives
// RightJustify(value, width).
void WarnIfCut(const RecordSite& at, std::u8string_view what, std::string_view value, size_t width);
std::string FitRight(const RecordSite& at, std::u8string_view what, std::string_view value, size_t width);
// Warns when a code read as a number has a fraction that its 16-bit use
// rounds away.
void WarnIfRounded(const RecordSite& at, std::string_view field, double value);
// Warns that a code (not 0) has no entry in the list.
void WarnMissingCode(const RecordSite& at, std::string_view code, std::string_view list);

// The common pattern of a record converter: when the source (a file name in
// the borehole folder) has data, creates the target, reads records of
// `fields` items until the end, and writes one line per record. A missing
// source leaves nothing behind and an empty one is deleted. A failure is
// reported with the source file and the line where its record began.
// The record number and depth of the line head cut to their widths are
// warned about in the borehole's notes.
void ConvertRecords(const BoreholeFolder& borehole, std::string_view source, std::string_view target, int fields,
                    const RecordLine& line);
void ConvertRecords(const BoreholeFolder& borehole, std::string_view source, std::string_view target, int fields,
                    const RecordLineAt& line);

// Reads records of `fields` items from the open reader and writes one line
// each to out until the end; returns the number written. Warnings go to
// *notes (may be null).
long long WriteRecords(TableReader& reader, WritableFile& out, int fields, const RecordLine& line);
long long WriteRecords(TableReader& reader, WritableFile& out, int fields, const RecordLineAt& line,
                       BoreholeNotes* notes);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_RECORD_CONVERTER_H_
