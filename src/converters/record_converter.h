// What the record converters share: the test-and-open of a source file in
// the borehole folder, the loop over its records, and the common line head
// (record number in 3 characters, depth in 7).
#ifndef S1ORDO_CONVERTERS_RECORD_CONVERTER_H_
#define S1ORDO_CONVERTERS_RECORD_CONVERTER_H_

#include <functional>
#include <string>
#include <string_view>

#include "helpers/borehole_folder.h"
#include "helpers/env.h"
#include "helpers/table_reader.h"

namespace s1ordo {

// Record counter and depth, each right-aligned, each followed by ",":
// "  1,   1.50,".
std::string LineHead(long long counter, std::string_view depth);

// Builds the line of one record (without its line end) from its fields,
// which it may change; counter is the record's number (1, 2, ...).
using RecordLine = std::function<std::string(RecordFields& fields, long long counter)>;

// The common pattern of a record converter: when the source (a file name in
// the borehole folder) has data, creates the target, reads records of
// `fields` items until the end, and writes one line per record. A missing
// source leaves nothing behind and an empty one is deleted. A failure is
// reported with the source file and the line where its record began.
void ConvertRecords(const BoreholeFolder& borehole, std::string_view source, std::string_view target, int fields,
                    const RecordLine& line);

// Reads records of `fields` items from the open reader and writes one line
// each to out until the end; returns the number written.
long long WriteRecords(TableReader& reader, WritableFile& out, int fields, const RecordLine& line);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_RECORD_CONVERTER_H_
