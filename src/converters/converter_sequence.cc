#include "converters/converter_sequence.h"

#include "converters/continuation_merger.h"
#include "converters/level_coded_lists.h"
#include "converters/numeric_records.h"
#include "converters/paired_code_lists.h"
#include "converters/x1_soil_names.h"
#include "converters/x4_inclusions.h"
#include "converters/x7_coded_intervals.h"
#include "layers/x6_layer_descriptions.h"

namespace s1ordo {

void ConvertBoreholeFiles(Context& ctx) {
  ctx.soil_scan_index = 0;
  ConvertX1(ctx);        // "N1A.TXT"  -> "X1.txt"
  ConvertX4(ctx);        // "N4.TXT"   -> "X4.txt"
  ConvertX11(ctx);       // "N11.TXT"  -> "X11.txt"
  ConvertX3(ctx);        // "N3.TXT"   -> "X3.txt"
  ConvertX12(ctx);       // "N12.TXT"  -> "N12.TMP" -> "X12.TXT"
  ConvertX120(ctx);      // "G101.TXT" -> "G101.TMP" -> "X120.TXT"
  ConvertX5(ctx);        // "N5.TXT"   -> "X5.txt", "X5.hed", "X5.hd2"
  ConvertR30ToR35(ctx);  // "G30" ... "G35" -> "R30.txt" ... "R35.txt"
  ConvertR41(ctx);       // "G41.TXT", "G41A.txt", "G41B.txt" -> "R41.txt"
  ConvertX14(ctx);       // "MITUDO.TXT" -> "X14.txt"
  ConvertR72(ctx);       // "G72.TXT"  -> "R72.txt"
  ConvertR13(ctx);       // "N13.TXT"  -> "R13.txt"
  ConvertLayerDescriptions(ctx);  // "N6.txt" -> "X6.txt"
  ConvertCodedIntervals(ctx);     // "N7.txt" -> "X7.txt"
}

}  // namespace s1ordo
