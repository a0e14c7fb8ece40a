#include "converters/continuation_merger.h"

// Not converted yet: this converter comes with its own change.
namespace s1ordo {

void MergeContinuationRecords(Context&, const std::string&) {}
void ConvertX12(Context&) {}
void ConvertX120(Context&) {}

}  // namespace s1ordo
