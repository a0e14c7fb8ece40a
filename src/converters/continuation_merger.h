// Depth texts continued over several records joined into one line per
// depth: "X12.TXT" from "N12.TXT" and "X120.TXT" from "G101.TXT", through
// the temporary files "N12.TMP" and "G101.TMP".
#ifndef S1ORDO_CONVERTERS_CONTINUATION_MERGER_H_
#define S1ORDO_CONVERTERS_CONTINUATION_MERGER_H_

#include <string>

#include "run/context.h"

namespace s1ordo {

// Reads base_name & ".txt" in BoreholeFolder, writes base_name & ".tmp".
void MergeContinuationRecords(Context& ctx, const std::string& base_name);

void ConvertX12(Context& ctx);
void ConvertX120(Context& ctx);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_CONTINUATION_MERGER_H_
