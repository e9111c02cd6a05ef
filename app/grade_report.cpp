// orrin-grade's reports: the CSV and the JUnit XML, and the texts of both
// and of the terminal made safe whatever a folder is called.
#include <cstdint>
#include <filesystem>

#include "app/grade.h"

namespace orrin {

namespace {

// Length of the valid UTF-8 sequence at `i`, 0 when there is none (a stray
// continuation byte, an overlong form, a surrogate, past U+10FFFF, cut short).
size_t Utf8Length(const std::string& s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t n = 0;
  uint32_t cp = 0;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF) return 0;
  // C1 controls (U+0080-U+009F) steer terminals as the C0 ones do.
  if (cp >= 0x80 && cp <= 0x9F) return 0;
  return n;
}

std::string CsvField(const std::string& v) {
  if (v.find_first_of(",\"") == std::string::npos) return v;
  std::string q = "\"";
  for (char c : v) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

// Printable text with XML's five special characters as entities.
std::string Xml(const std::string& v) {
  std::string x;
  for (char c : PrintableText(v)) {
    switch (c) {
      case '&':
        x += "&amp;";
        break;
      case '<':
        x += "&lt;";
        break;
      case '>':
        x += "&gt;";
        break;
      case '"':
        x += "&quot;";
        break;
      case '\'':
        x += "&apos;";
        break;
      default:
        x += c;
    }
  }
  return x;
}

// "class/anna/" and "class/anna" are both anna.
std::string FolderName(const std::string& path) {
  std::filesystem::path p = std::filesystem::path(path).lexically_normal();
  if (p.filename().empty()) p = p.parent_path();
  return p.filename().string();
}

}  // namespace

std::string PrintableText(const std::string& text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = Utf8Length(text, i);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
      ++i;
    } else {
      out.append(text, i, n);
      i += n;
    }
  }
  return out;
}

std::string CsvReport(const std::vector<GradeResult>& results) {
  std::string csv = "submission,status,passed,failed,message\n";
  for (const GradeResult& r : results)
    csv += CsvField(PrintableText(r.submission)) + "," + r.status + "," + std::to_string(r.passed) + "," +
           std::to_string(r.failed) + "," + CsvField(PrintableText(r.message)) + "\n";
  return csv;
}

std::string JUnitReport(const std::vector<GradeResult>& results, const std::vector<ExpectLine>& expects) {
  std::string body;
  int64_t tests = 0, failures = 0, errors = 0;
  for (const GradeResult& r : results) {
    const std::string suite = Xml(FolderName(r.submission));
    std::string cases;
    int64_t suiteFailures = 0, suiteErrors = 0, suiteTests = 0;
    const bool broken = r.status == "error" || r.status == "timeout";
    auto addCase = [&](const std::string& name, const std::string& inner) {
      ++suiteTests;
      cases += "    <testcase classname=\"" + suite + "\" name=\"" + Xml(name) + "\"";
      cases += inner.empty() ? "/>\n" : ">\n" + inner + "    </testcase>\n";
    };
    for (const ExpectLine& e : expects) {
      const std::string prefix = e.key.empty() ? "line " + std::to_string(e.number) + ": " : e.key;
      std::string inner;
      if (broken) {
        inner = "      <error message=\"" + Xml(r.status + ": " + r.message) + "\"/>\n";
        ++suiteErrors;
      } else {
        std::string text;
        for (const std::string& f : r.failures)
          if (f.starts_with(prefix)) text += Xml(f) + "\n";
        if (!text.empty()) {
          inner = "      <failure message=\"" + text.substr(0, text.find('\n')) + "\">" + text + "</failure>\n";
          ++suiteFailures;
        }
      }
      addCase(e.key.empty() ? prefix + e.text : e.text, inner);
    }
    // The student's file the check could not use gets a case of its own,
    // also when expectations failed too: it is usually why they did. So
    // does a failure no expect line carries.
    const bool lineCarries = broken ? !expects.empty() : !r.failures.empty();
    if (!broken && !r.fileProblem.empty()) {
      addCase("check", "      <failure message=\"" + Xml(r.fileProblem) + "\"/>\n");
      ++suiteFailures;
    } else if (r.status != "passed" && !lineCarries) {
      const char* tag = broken ? "error" : "failure";
      addCase("check", "      <" + std::string(tag) + " message=\"" + Xml(r.message) + "\"/>\n");
      ++(broken ? suiteErrors : suiteFailures);
    }
    tests += suiteTests;
    failures += suiteFailures;
    errors += suiteErrors;
    body += "  <testsuite name=\"" + suite + "\" tests=\"" + std::to_string(suiteTests) + "\" failures=\"" +
            std::to_string(suiteFailures) + "\" errors=\"" + std::to_string(suiteErrors) + "\">\n" + cases +
            "  </testsuite>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"orrin-grade\" tests=\"" +
         std::to_string(tests) + "\" failures=\"" + std::to_string(failures) + "\" errors=\"" + std::to_string(errors) +
         "\">\n" + body + "</testsuites>\n";
}

}  // namespace orrin
