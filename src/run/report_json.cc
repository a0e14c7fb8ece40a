// The report and the findings written as JSON.
#include "run/report_json.h"

#include <cstdio>

#include "helpers/encoding.h"

namespace s1ordo {
namespace {

// A JSON string of UTF-8 text.
std::string Quoted(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A code page 932 text as a JSON string.
std::string Text(const std::string& cp932) { return Quoted(DisplayText(cp932)); }

std::string Line(long line) { return line > 0 ? std::to_string(line) : "null"; }

// A folder as the user typed it: without the separator the checks put at
// its end, a root aside.
std::string Folder(std::string folder) {
  const bool root = folder.size() <= 1 || (folder.size() == 3 && folder[1] == ':');  // "/", "C:\\"
  if (!root && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return Text(folder);
}

const char* StatusName(BoreholeStatus status) {
  switch (status) {
    case BoreholeStatus::kConverted: return "converted";
    case BoreholeStatus::kNoData: return "no data";
    case BoreholeStatus::kFailed: return "failed";
    case BoreholeStatus::kUnfinished: return "unfinished";
    case BoreholeStatus::kNotReached: return "not reached";
  }
  return "not reached";
}

std::string FindingObject(const Finding& f, const char* text_key) {
  return "{\"borehole\": " + Text(f.borehole) + ", \"file\": " + Text(f.file) + ", \"line\": " + Line(f.line) +
         ", \"" + text_key + "\": " + Text(f.text) + "}";
}

// The items as a JSON array, one a line, the array's lines indented by
// indent.
template <typename T, typename Item>
std::string Array(const std::vector<T>& items, const Item& item, const std::string& indent = "  ") {
  if (items.empty()) return "[]";
  std::string out = "[\n";
  for (size_t k = 0; k < items.size(); ++k)
    out += indent + "  " + item(items[k]) + (k + 1 < items.size() ? ",\n" : "\n");
  return out + indent + "]";
}

}  // namespace

std::string ReportJson(const RunReport& report, const std::string& version, int exit_code) {
  const std::vector<Finding> failures = report.Failures();
  std::string out = "{\n";
  out += "  \"version\": " + Quoted(version) + ",\n";
  out += "  \"source\": " + Folder(report.source) + ",\n";
  out += "  \"destination\": " + Folder(report.destination) + ",\n";
  out += std::string("  \"dry_run\": ") + (report.dry_run ? "true" : "false") + ",\n";
  out += "  \"exit\": " + std::to_string(exit_code) + ",\n";
  out += "  \"ended_by\": " + (report.ended_by.empty() ? std::string("null") : Text(report.ended_by)) + ",\n";
  out += "  \"boreholes\": " + Array(report.boreholes, [](const BoreholeResult& b) {
    return "{\"name\": " + Text(b.name) + ", \"status\": " + Quoted(StatusName(b.status)) +
           ", \"files_written\": " + std::to_string(b.files_written.size()) + "}";
  }) + ",\n";
  out += "  \"additions\": " + Array(report.Additions(), [](const AddedLine& a) {
    return "{\"file\": " + Text(a.file) + ", \"line\": " + Text(a.line) + "}";
  }) + ",\n";
  out += "  \"warnings\": " + Array(report.Warnings(), [](const Finding& f) { return FindingObject(f, "text"); }) + ",\n";
  out += "  \"failure\": " + (failures.empty() ? std::string("null") : FindingObject(failures[0], "cause")) + ",\n";
  out += "  \"failures\": " + Array(failures, [](const Finding& f) { return FindingObject(f, "cause"); }) + "\n";
  return out + "}\n";
}

std::string FindingsJson(const RunReport& report) {
  return Array(
             CheckFindings(report),
             [](const CheckFinding& c) {
               return "{\"severity\": " + Quoted(c.error ? "error" : "warning") + ", " +
                      FindingObject(c.finding, "text").substr(1);
             },
             "") +
         "\n";
}

}  // namespace s1ordo
