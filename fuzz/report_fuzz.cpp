// Any bytes as folder names, statuses and messages of a grade: the CSV
// parses back to the same rows and fields, and the JUnit XML is well-formed
// UTF-8 without a control character, whatever a student's folder is called.
#include <string>
#include <string_view>
#include <vector>

#include "app/grade.h"

namespace {

// The next piece of the input, up to a 0 byte.
std::string Take(std::string_view& rest) {
  const size_t end = rest.find('\0');
  std::string piece(rest.substr(0, end));
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return piece;
}

// The fields of each record of a CSV text, quotes undone.
std::vector<std::vector<std::string>> ParseCsv(const std::string& csv) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
      rows.back().back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      rows.back().emplace_back();
    } else if (!quoted && c == '\n') {
      rows.emplace_back(1);
    } else {
      rows.back().back() += c;
    }
  }
  rows.pop_back();
  return rows;
}

// Tags, attributes in double quotes, text between them, and entities only
// of the five XML defines: what every XML reader parses.
bool WellFormed(const std::string& xml) {
  if (orrin::PrintableText(xml) != [&] {
        std::string s;
        for (char c : xml) s += c == '\n' ? std::string("\\x0A") : std::string(1, c);
        return s;
      }())
    return false;
  int depth = 0;
  for (size_t i = 0; i < xml.size(); ++i) {
    if (xml[i] == '&') {
      bool known = false;
      for (const char* e : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"})
        known |= xml.compare(i, std::char_traits<char>::length(e), e) == 0;
      if (!known) return false;
    } else if (xml[i] == '>') {
      return false;  // outside a tag
    } else if (xml[i] == '<') {
      const bool closing = i + 1 < xml.size() && xml[i + 1] == '/';
      const bool declaration = i + 1 < xml.size() && xml[i + 1] == '?';
      bool inValue = false;
      size_t j = i + 1;
      for (; j < xml.size() && (inValue || xml[j] != '>'); ++j) {
        if (xml[j] == '"') inValue = !inValue;
        if (xml[j] == '<') return false;
      }
      if (j >= xml.size()) return false;
      const bool empty = xml[j - 1] == '/';
      if (!declaration) depth += closing ? -1 : empty ? 0 : 1;
      if (depth < 0) return false;
      i = j;
    }
  }
  return depth == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  static const char* kStatuses[] = {"passed", "failed", "error", "timeout"};
  std::vector<orrin::GradeResult> results;
  while (!rest.empty() && results.size() < 8) {
    orrin::GradeResult r;
    r.submission = Take(rest);
    r.status = kStatuses[r.submission.size() % 4];
    r.message = Take(rest);
    r.fileProblem = Take(rest);
    r.failures.push_back("line 1: " + Take(rest));
    r.failed = static_cast<int64_t>(r.message.size());
    results.push_back(std::move(r));
  }
  const auto rows = ParseCsv(orrin::CsvReport(results));
  if (rows.size() != results.size() + 1) __builtin_trap();
  for (size_t i = 0; i < results.size(); ++i) {
    const auto& row = rows[i + 1];
    if (row.size() != 5 || row[0] != orrin::PrintableText(results[i].submission) ||
        row[4] != orrin::PrintableText(results[i].message))
      __builtin_trap();
  }
  const auto expects = orrin::ExpectLines(std::string(reinterpret_cast<const char*>(data), size));
  if (!WellFormed(orrin::JUnitReport(results, expects))) __builtin_trap();
  return 0;
}
