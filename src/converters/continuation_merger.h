// Depth texts continued over several records joined into one line per
// depth: "X12.TXT" from "N12.TXT" and "X120.TXT" from "G101.TXT", through
// the temporary files "N12.tmp" and "G101.tmp", which stay in the borehole
// folder.
//
// A source record is three items: a running number (not used), the depth,
// the text. A record whose depth is blank continues the text of the record
// before it.
#ifndef S1ORDO_CONVERTERS_CONTINUATION_MERGER_H_
#define S1ORDO_CONVERTERS_CONTINUATION_MERGER_H_

#include <string>

#include "helpers/borehole_folder.h"

namespace s1ordo {

// Reads base_name & ".txt" in the borehole folder and writes base_name & ".tmp":
// one line per depth, "  1,   1.50,\"text\"". Does nothing when the source
// is missing or empty. A record cut short by the end of the source throws
// Error naming the source.
void MergeContinuationRecords(const BoreholeFolder& borehole, const std::string& base_name);

void ConvertX12(const BoreholeFolder& borehole);
void ConvertX120(const BoreholeFolder& borehole);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_CONTINUATION_MERGER_H_
