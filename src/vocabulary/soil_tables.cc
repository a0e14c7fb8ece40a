// The built-in soil-term tables of the three classification systems and the
// scan that finds a term by its code.
#include "vocabulary/soil_tables.h"

#include <span>

#include "helpers/encoding.h"
#include "helpers/error.h"

namespace s1ordo {
namespace {

struct Row {
  int16_t code;
  const char8_t* text;
};

// Main soil names, one list per classification system, in position order.
constexpr Row kMainSoil1[] = {
    {10, u8"礫"},         {11, u8"粗礫"},       {12, u8"中礫"},         {13, u8"細礫"},
    {14, u8"砂礫"},       {20, u8"砂"},         {21, u8"粗砂"},         {22, u8"中砂"},
    {23, u8"細砂"},       {30, u8"シルト"},     {40, u8"粘土"},         {50, u8"火山灰"},
    {51, u8"ローム"},     {52, u8"凝灰質粘土"}, {60, u8"黒ボク"},       {61, u8"泥炭（ピート）"},
    {62, u8"黒泥"},       {63, u8"腐植土"},     {70, u8"まさ土"},       {71, u8"軽石"},
    {72, u8"スコリア"},   {73, u8"シラス"},     {74, u8"珊瑚"},         {75, u8"貝殻"},
    {76, u8"浮泥"},       {80, u8"固結シルト"}, {81, u8"礫岩"},         {82, u8"砂岩"},
    {83, u8"シルト岩"},   {84, u8"泥岩"},       {85, u8"凝灰岩"},       {86, u8"硬岩"},
    {87, u8"中硬岩"},     {88, u8"軟岩"},       {89, u8"風化岩"},       {90, u8"玉石"},
    {91, u8"空洞"},       {92, u8"改良土"},     {93, u8"コンクリート"}, {94, u8"アスファルト"},
    {95, u8"廃棄土"},     {96, u8"瓦礫"},       {97, u8"表土"},         {98, u8"埋土"},
    {99, u8"盛土"},
};

// System 2 gives "表土" the code 0, so a lookup never finds it.
constexpr Row kMainSoil2[] = {
    {0, u8"表土"},     {1, u8"埋土"},       {2, u8"廃棄土"},   {10, u8"浮石"},        {20, u8"シラス"},
    {30, u8"スコリア"}, {40, u8"火山灰"},    {50, u8"ローム"},  {60, u8"黒ボク"},      {70, u8"マサ"},
    {91, u8"硬岩"},    {92, u8"中硬岩"},    {93, u8"軟岩"},    {94, u8"玉石"},        {100, u8"礫"},
    {200, u8"礫質土"}, {300, u8"砂"},       {400, u8"砂質土"}, {500, u8"シルト"},     {600, u8"粘性土"},
    {700, u8"有機質土"}, {800, u8"火山灰質粘性土"}, {900, u8"高有機質土"},
};

// System 3 skips code 83.
constexpr Row kMainSoil3[] = {
    {10, u8"礫"},           {11, u8"きれいな礫"},     {12, u8"細粒分混り礫"},   {13, u8"礫質土"},
    {20, u8"砂"},           {21, u8"きれいな砂"},     {22, u8"細粒分混り砂"},   {23, u8"砂質土"},
    {30, u8"シルト"},       {40, u8"粘土"},           {41, u8"粘性土"},         {42, u8"粘質土"},
    {50, u8"火山灰質粘性土"}, {60, u8"有機質土"},     {61, u8"有機質粘性土"},   {62, u8"有機質粘質土"},
    {63, u8"高有機質土"},   {64, u8"有機質火山灰土"}, {70, u8"貝殻"},           {71, u8"浮石"},
    {72, u8"表土"},         {73, u8"廃棄物"},         {80, u8"硬岩"},           {81, u8"中硬岩"},
    {82, u8"軟岩"},         {84, u8"ボルター"},       {85, u8"コブル"},
};

// Qualifiers: the two systems order "有機質" and "火山灰質" differently.
constexpr Row kQualifier1[] = {
    {2, u8"砂質"}, {3, u8"シルト質"}, {4, u8"粘土質"}, {5, u8"火山灰質"}, {6, u8"凝灰質"}, {7, u8"有機質"},
};
constexpr Row kQualifier2[] = {
    {10, u8"砂質"}, {20, u8"シルト質"}, {30, u8"粘土質"}, {40, u8"有機質"}, {50, u8"火山灰質"},
};

// Admixtures: system 1 has no code 6.
constexpr Row kAdmixture1[] = {
    {1, u8"礫混り"},     {2, u8"砂混り"},       {3, u8"シルト混り"}, {4, u8"粘土混り"},
    {5, u8"火山灰混り"}, {7, u8"有機質土混り"}, {8, u8"玉石混り"},
};
constexpr Row kAdmixture2[] = {
    {1, u8"玉石混り"},   {2, u8"礫混り"},       {3, u8"砂混り"},     {4, u8"シルト混り"},
    {5, u8"粘土混り"},   {6, u8"有機質土混り"}, {7, u8"火山灰混り"}, {8, u8"貝殻混り"},
};

// Inclusions of every system; the code is the position.
constexpr Row kInclusion[] = {
    {1, u8"玉石"},   {2, u8"礫"},     {3, u8"砂"},       {4, u8"シルト"}, {5, u8"粘土"},
    {6, u8"火山灰"}, {7, u8"ローム"}, {8, u8"腐植物"},   {9, u8"木片"},   {10, u8"炭化物"},
    {11, u8"軽石"},  {12, u8"スコリア"}, {13, u8"珊瑚"}, {14, u8"貝殻"},  {15, u8"化石"},
};

// Stores rows at positions 1..n of one table column; the count becomes n.
template <size_t Bound>
void Fill(std::array<SoilTerm, Bound>& column, int16_t& count, std::span<const Row> rows) {
  for (size_t k = 0; k < rows.size(); ++k) column[k + 1] = SoilTerm{rows[k].code, Sjis(rows[k].text)};
  count = static_cast<int16_t>(rows.size());
}

void CheckSystem(int system) {
  if (system < 0 || system > 3) throw Error(Sjis(u8"土質分類の系統番号が範囲外です: ") + std::to_string(system));
}

// Positions 1..count compared in order; the first equal code wins. The scan
// index is left at the found position, or count + 1 when none matched.
template <size_t Bound>
int Scan(const std::array<SoilTerm, Bound>& column, int count, double code, SoilTermScan& scan) {
  int k = 1;
  while (k <= count && column[k].code != code) ++k;
  scan.position = k;
  return k <= count ? k : 0;
}

}  // namespace

void BuildSoilNameTables(SoilTables& t) {
  Fill(t.SoilNameTable[1], t.SoilNameCount[1], kMainSoil1);
  Fill(t.SoilNameTable[2], t.SoilNameCount[2], kMainSoil2);
  Fill(t.SoilNameTable[3], t.SoilNameCount[3], kMainSoil3);
  Fill(t.SoilQualifierTable[1], t.SoilQualifierCount[1], kQualifier1);
  Fill(t.SoilQualifierTable[2], t.SoilQualifierCount[2], kQualifier2);
  Fill(t.SoilAdmixtureTable[1], t.SoilAdmixtureCount[1], kAdmixture1);
  Fill(t.SoilAdmixtureTable[2], t.SoilAdmixtureCount[2], kAdmixture2);
  Fill(t.SoilInclusionTable, t.SoilInclusionCount, kInclusion);
}

int FindSoilTermPosition(const SoilTables& t, SoilTermKind kind, int system, double code, SoilTermScan& scan) {
  if (kind != SoilTermKind::kInclusion) CheckSystem(system);
  if (code == 0) return 0;
  switch (kind) {
    case SoilTermKind::kQualifier:
      return Scan(t.SoilQualifierTable[system], t.SoilQualifierCount[system], code, scan);
    case SoilTermKind::kMainSoil:
      return Scan(t.SoilNameTable[system], t.SoilNameCount[system], code, scan);
    case SoilTermKind::kAdmixture:
      return Scan(t.SoilAdmixtureTable[system], t.SoilAdmixtureCount[system], code, scan);
    case SoilTermKind::kInclusion:
      return Scan(t.SoilInclusionTable, t.SoilInclusionCount, code, scan);
  }
  return 0;
}

const std::string& SoilTermText(const SoilTables& t, SoilTermKind kind, int system, int position) {
  static const std::string empty;
  if (position == 0) return empty;
  if (kind != SoilTermKind::kInclusion) CheckSystem(system);
  switch (kind) {
    case SoilTermKind::kQualifier:
      return t.SoilQualifierTable[system].at(position).text;
    case SoilTermKind::kMainSoil:
      return t.SoilNameTable[system].at(position).text;
    case SoilTermKind::kAdmixture:
      return t.SoilAdmixtureTable[system].at(position).text;
    case SoilTermKind::kInclusion:
      return t.SoilInclusionTable.at(position).text;
  }
  return empty;
}

}  // namespace s1ordo
