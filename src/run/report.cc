// The run's report merged in borehole order, and its summary and details
// as the user reads them.
#include "run/report.h"

#include "helpers/encoding.h"

namespace s1ordo {
namespace {

std::string U(std::u8string_view text) { return std::string(reinterpret_cast<const char*>(text.data()), text.size()); }

// "1 line" / "2 lines"; in Japanese "2 行".
std::string Counted(int n, const char* one, const char* many, std::u8string_view japanese, Language language) {
  if (language == Language::kJapanese) return std::to_string(n) + " " + U(japanese);
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string BoreholeLine(const RunReport& report, Language language) {
  const bool ja = language == Language::kJapanese;
  std::string line = ja ? U(u8"ボーリング孔 ") + std::to_string(report.boreholes.size()) + ": "
                        : Counted(static_cast<int>(report.boreholes.size()), "borehole", "boreholes", u8"", language) + ": ";
  struct Part {
    BoreholeStatus status;
    const char* english;
    std::u8string_view japanese;
    bool always;
  };
  const Part parts[] = {{BoreholeStatus::kConverted, "converted", u8"変換", true},
                        {BoreholeStatus::kNoData, "without data", u8"データなし", true},
                        {BoreholeStatus::kFailed, "failed", u8"失敗", true},
                        {BoreholeStatus::kUnfinished, "unfinished", u8"中断", false},
                        {BoreholeStatus::kNotReached, "not reached", u8"未到達", false}};
  bool first = true;
  for (const Part& part : parts) {
    const int n = report.Count(part.status);
    if (!part.always && n == 0) continue;
    if (!first) line += ja ? U(u8"、") : ", ";
    line += ja ? U(part.japanese) + " " + std::to_string(n) : std::to_string(n) + " " + part.english;
    first = false;
  }
  return line;
}

// Per file of the pattern-data folder, in the order first added: the
// number of lines added.
std::vector<std::pair<std::string, int>> AdditionsPerFile(const std::vector<AddedLine>& additions) {
  std::vector<std::pair<std::string, int>> per_file;
  for (const AddedLine& added : additions) {
    auto it = per_file.begin();
    while (it != per_file.end() && it->first != added.file) ++it;
    if (it == per_file.end()) it = per_file.insert(per_file.end(), {added.file, 0});
    ++it->second;
  }
  return per_file;
}

std::string AdditionsLine(const RunReport& report, Language language) {
  const bool ja = language == Language::kJapanese;
  std::string line = ja ? U(u8"パターンデータへの追加: ") : "Added to the pattern data: ";
  const auto per_file = AdditionsPerFile(report.Additions());
  if (per_file.empty()) return line + (ja ? U(u8"なし") : "nothing");
  for (size_t k = 0; k < per_file.size(); ++k) {
    if (k > 0) line += ja ? U(u8"、") : ", ";
    line += DisplayText(per_file[k].first) + " " + Counted(per_file[k].second, "line", "lines", u8"行", language);
  }
  return line;
}

}  // namespace

int RunReport::Count(BoreholeStatus status) const {
  int n = 0;
  for (const BoreholeResult& b : boreholes) n += b.status == status;
  return n;
}

std::vector<AddedLine> RunReport::Additions() const {
  std::vector<AddedLine> all;
  for (const BoreholeResult& b : boreholes) all.insert(all.end(), b.additions.begin(), b.additions.end());
  return all;
}

size_t RunReport::WarningCount() const {
  size_t n = run_warnings.size();
  for (const BoreholeResult& b : boreholes) n += b.warnings.size() + b.warnings_not_kept;
  return n;
}

std::vector<Finding> RunReport::Warnings() const {
  std::vector<Finding> all = run_warnings;
  for (const BoreholeResult& b : boreholes) all.insert(all.end(), b.warnings.begin(), b.warnings.end());
  return all;
}

std::vector<Finding> RunReport::Failures() const {
  std::vector<Finding> all;
  if (run_failure) all.push_back(*run_failure);
  for (const BoreholeResult& b : boreholes)
    if (b.failure) all.push_back(*b.failure);
  return all;
}

std::vector<CheckFinding> CheckFindings(const RunReport& report) {
  std::vector<CheckFinding> all;
  if (!report.ended_by.empty()) all.push_back({true, Finding{"", "", 0, report.ended_by}});
  if (report.run_failure) all.push_back({true, *report.run_failure});
  for (const Finding& f : report.run_warnings) all.push_back({false, f});
  for (const BoreholeResult& b : report.boreholes) {
    for (const Finding& f : b.warnings) all.push_back({false, f});
    if (b.failure) all.push_back({true, *b.failure});
  }
  return all;
}

std::vector<std::string> SummaryLines(const RunReport& report, Language language) {
  if (!report.reached_conversion) return {};
  const bool ja = language == Language::kJapanese;
  std::vector<std::string> lines = {BoreholeLine(report, language), AdditionsLine(report, language)};
  if (const int n = static_cast<int>(report.WarningCount()))
    lines.push_back(ja ? U(u8"警告 ") + std::to_string(n) + U(u8" 件") : Counted(n, "warning", "warnings", u8"", language));
  if (report.dry_run)
    lines.push_back(ja ? U(u8"試しの変換のため、何も書き込んでいません。") : "Dry run: nothing was written.");
  return lines;
}

std::string CompilerLine(const Finding& finding, const char* kind) {
  std::string line;
  if (!finding.file.empty()) {
    line = DisplayText(finding.file) + ":";
    if (finding.line > 0) line += std::to_string(finding.line) + ":";
    line += " ";
  } else if (!finding.borehole.empty()) {
    line = DisplayText(finding.borehole) + ": ";
  }
  if (*kind) line += std::string(kind) + ": ";
  return line + DisplayText(finding.text);
}

std::string DetailsText(const RunReport& report, Language language) {
  const bool ja = language == Language::kJapanese;
  std::string text;
  const std::vector<AddedLine> additions = report.Additions();
  if (!additions.empty()) text += ja ? U(u8"パターンデータに追加した行:\n") : "Lines added to the pattern data:\n";
  for (const AddedLine& added : additions) text += "  " + DisplayText(added.file) + ": " + DisplayText(added.line) + "\n";
  const std::vector<Finding> failures = report.Failures();
  if (!failures.empty()) text += ja ? U(u8"エラー:\n") : "Failures:\n";
  for (const Finding& f : failures) text += "  " + CompilerLine(f, "") + "\n";
  const std::vector<Finding> warnings = report.Warnings();
  if (!warnings.empty()) text += ja ? U(u8"警告:\n") : "Warnings:\n";
  for (const Finding& f : warnings) text += "  " + CompilerLine(f, "") + "\n";
  return text;
}

}  // namespace s1ordo
