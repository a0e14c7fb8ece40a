// Numeric test values copied into fixed-width columns: "X5.txt" (with the
// header copies "X5.hed" and "X5.hd2") from "N5.TXT", "R41.txt" from
// "G41.TXT" joined record by record with "G41A.txt" and "G41B.txt",
// "X14.txt" from "MITUDO.TXT".
#ifndef S1ORDO_CONVERTERS_NUMERIC_RECORDS_H_
#define S1ORDO_CONVERTERS_NUMERIC_RECORDS_H_

#include "helpers/borehole_folder.h"

namespace s1ordo {

void ConvertX5(const BoreholeFolder& borehole);
void ConvertR41(const BoreholeFolder& borehole);
void ConvertX14(const BoreholeFolder& borehole);

// The N value of a penetration test: the blow count scaled to 30 cm of
// penetration (30 / penetration x blows, cut toward zero), or the blow count
// itself when the penetration reads as 0.
double NValue(double blows, double penetration_cm);

}  // namespace s1ordo

#endif  // S1ORDO_CONVERTERS_NUMERIC_RECORDS_H_
