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

#include "run/context.h"

namespace s1ordo {

// Reads base_name & ".txt" in BoreholeFolder and writes base_name & ".tmp":
// one line per depth, "  1,   1.50,\"text\"". Does nothing when the source
// is missing or empty. A record cut short by the end of the source throws
// Error naming the source.
void MergeContinuationRecords(Context& ctx, const std::string& base_name);

void ConvertX12(Context& ctx);
void ConvertX120(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_CONTINUATION_MERGER_H_
