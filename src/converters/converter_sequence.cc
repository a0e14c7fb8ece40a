// The converters of one borehole in their fixed order.
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

void ConvertBoreholeFiles(const BoreholeFolder& b, const ConverterInputs& in) {
  SoilTermScan scan;
  // Between two converters the run may be asked to stop: each writes its
  // targets whole before the next begins.
  const auto next = [&] { b.StopIfAsked(); };
  ConvertX1(b, in.soil, scan, in.geology, in.vocabulary);  // "N1A.TXT"  -> "X1.txt"
  next();
  ConvertX4(b, in.soil, scan, in.vocabulary);              // "N4.TXT"   -> "X4.txt"
  next();
  ConvertX11(b, in.code_lists);                            // "N11.TXT"  -> "X11.txt"
  next();
  ConvertX3(b, in.code_lists);                             // "N3.TXT"   -> "X3.txt"
  next();
  ConvertX12(b);                                           // "N12.TXT"  -> "N12.TMP" -> "X12.TXT"
  next();
  ConvertX120(b);                                          // "G101.TXT" -> "G101.TMP" -> "X120.TXT"
  next();
  ConvertX5(b);                                            // "N5.TXT"   -> "X5.txt", "X5.hed", "X5.hd2"
  next();
  ConvertR30ToR35(b, in.code_lists);                       // "G30" ... "G35" -> "R30.txt" ... "R35.txt"
  next();
  ConvertR41(b);                                           // "G41.TXT", "G41A.txt", "G41B.txt" -> "R41.txt"
  next();
  ConvertX14(b);                                           // "MITUDO.TXT" -> "X14.txt"
  next();
  ConvertR72(b, in.code_lists);                            // "G72.TXT"  -> "R72.txt"
  next();
  ConvertR13(b, in.code_lists);                            // "N13.TXT"  -> "R13.txt"
  next();
  ConvertLayerDescriptions(b, in.pattern_folder, in.list_folder);  // "N6.txt" -> "X6.txt"
  next();
  ConvertCodedIntervals(b, in.list_folder);                        // "N7.txt" -> "X7.txt"
}

}  // namespace s1ordo
