// orrin-grade's reports: the CSV and the JUnit XML, and the texts of both
// and of the terminal made safe whatever a folder is called.
#include <iconv.h>

#include <cstdint>
#include <filesystem>

#include "app/grade.h"

namespace orrin {

namespace {

std::string CsvField(const std::string& v) {
  if (v.find_first_of(",\"") == std::string::npos) return v;
  std::string q = "\"";
  for (char c : v) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

}  // namespace

std::string XmlText(const std::string& v) {
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

std::string FolderName(const std::string& path) {
  std::filesystem::path p = std::filesystem::path(path).lexically_normal();
  if (p.filename().empty()) p = p.parent_path();
  return p.filename().string();
}

namespace {

std::string Xml(const std::string& v) { return XmlText(v); }

// The folder's name as text: UTF-8 as it is, else read as GB18030 (GBK's
// superset, a Windows archive's names); what neither reads is shown escaped.
std::string FolderNameUtf8(const std::string& path) {
  const std::string name = FolderName(path);
  if (files::IsUtf8(name)) return PrintableText(name);
  iconv_t cd = iconv_open("UTF-8", "GB18030");
  if (cd == reinterpret_cast<iconv_t>(-1)) return PrintableText(name);
  std::string in = name, out(name.size() * 4 + 4, '\0');
  char* from = in.data();
  char* to = out.data();
  size_t left = in.size(), room = out.size();
  const bool read = iconv(cd, &from, &left, &to, &room) != static_cast<size_t>(-1) && left == 0;
  iconv_close(cd);
  if (!read) return PrintableText(name);
  out.resize(out.size() - room);
  return PrintableText(out);
}

}  // namespace

std::string CsvReport(const std::vector<GradeResult>& results, bool lab) {
  std::string csv = lab ? "submission,status,passed,failed,message,wrong_answers,points\n"
                        : "submission,status,passed,failed,message,points\n";
  for (const GradeResult& r : results) {
    csv += CsvField(PrintableText(r.submission)) + "," + r.status + "," + std::to_string(r.passed) + "," +
           std::to_string(r.failed) + "," + CsvField(PrintableText(r.message));
    // Appended, not added up: GCC 12 at -O3 sees a false overlap in "," + text.
    if (lab) csv.append(",").append(std::to_string(r.WrongAnswerCount()));
    csv.append(",").append(std::to_string(r.points)).append("/").append(std::to_string(r.maxPoints)).append("\n");
  }
  return csv;
}

std::string GradebookReport(const std::vector<GradeResult>& results) {
  std::string csv = "identifier,points,maximum,status\n";
  for (const GradeResult& r : results)
    csv.append(CsvField(FolderNameUtf8(r.submission)))
        .append(",")
        .append(std::to_string(r.points))
        .append(",")
        .append(std::to_string(r.maxPoints))
        .append(",")
        .append(r.status)
        .append("\n");
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
    // `points`: the case's worth and what it earned, for a case of an
    // expect line or a step (the file's own case has none).
    auto addCase = [&](const std::string& name, std::string inner, int64_t wrong = 0, int64_t points = 0,
                       int64_t earned = 0) {
      ++suiteTests;
      std::string properties;
      if (wrong > 0) properties += "<property name=\"wrong_answers\" value=\"" + std::to_string(wrong) + "\"/>";
      if (points > 0)
        properties += "<property name=\"points\" value=\"" + std::to_string(points) +
                      "\"/><property name=\"points_earned\" value=\"" + std::to_string(earned) + "\"/>";
      if (!properties.empty()) inner = "      <properties>" + properties + "</properties>\n" + inner;
      cases += "    <testcase classname=\"" + suite + "\" name=\"" + Xml(name) + "\"";
      cases += inner.empty() ? "/>\n" : ">\n" + inner + "    </testcase>\n";
    };
    for (const ExpectLine& e : expects) {
      const std::string prefix = e.key.empty() ? "line " + std::to_string(e.number) + ": " : e.key;
      std::string inner;
      // A lab's steps done before a timeout or a crash stay done.
      const bool doneBefore = !e.key.empty() && e.number <= r.passed;
      if (broken && !doneBefore) {
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
      const size_t step = static_cast<size_t>(e.number - 1);
      addCase(e.key.empty() ? prefix + e.text : e.text, inner,
              !e.key.empty() && step < r.wrongAnswers.size() ? r.wrongAnswers[step] : 0, e.points,
              Earned(r, e) ? e.points : 0);
    }
    // The student's file the check could not use gets a case of its own,
    // also when expectations failed too: it is usually why they did. So
    // does a failure no expect line carries.
    const bool lineCarries = broken ? !expects.empty() : !r.failures.empty();
    if (!broken && !r.fileProblem.empty() && !(r.lab && r.status == "passed")) {
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
