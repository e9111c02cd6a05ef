// orrin-grade --report: the class's results as one page a teacher looks at.
// Everything is in the file (styles, the charts as SVG, the few lines of
// script that sort the table), so it opens from a disk or a course's web
// space without a network, and its numbers are the CSV's.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/grade.h"
#include "app/lab.h"

namespace orrin {

namespace {

namespace fs = std::filesystem;

struct Texts {
  bool english;
  const char* operator()(const char* zh, const char* en) const { return english ? en : zh; }
};

std::string Number(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// A link from the report's folder to a file: relative, each byte that is not
// plainly safe in a URL percent-encoded.
std::string Href(const std::string& target, const fs::path& reportDir) {
  std::error_code ec;
  fs::path rel = fs::relative(fs::absolute(target, ec), reportDir, ec);
  if (ec || rel.empty()) rel = fs::absolute(target, ec);
  std::string out;
  for (unsigned char c : rel.generic_string()) {
    if (std::isalnum(c) || std::string_view("-._~/").find(static_cast<char>(c)) != std::string_view::npos) {
      out += static_cast<char>(c);
    } else {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%%%02X", c);
      out += buf;
    }
  }
  return out;
}

// Median and quartiles, interpolated between the values on either side.
struct Spread {
  double q1, median, q3, low, high;
};
Spread SpreadOf(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  auto at = [&](double q) {
    const double pos = q * static_cast<double>(v.size() - 1);
    const size_t i = static_cast<size_t>(pos);
    const double frac = pos - static_cast<double>(i);
    return i + 1 < v.size() ? v[i] * (1 - frac) + v[i + 1] * frac : v[i];
  };
  return {at(0.25), at(0.5), at(0.75), v.front(), v.back()};
}

// How long a lab's step took each student who did it (from the step before).
std::vector<double> StepSeconds(const std::vector<GradeResult>& results, size_t step) {
  std::vector<double> out;
  for (const GradeResult& r : results) {
    if (step >= r.stepDoneMs.size() || r.stepDoneMs[step] < 0) continue;
    const int64_t before = step == 0 ? 0 : r.stepDoneMs[step - 1];
    if (before < 0 || r.stepDoneMs[step] < before) continue;
    out.push_back(static_cast<double>(r.stepDoneMs[step] - before) / 1000.0);
  }
  return out;
}

// The whole lab's time when every step was done, else -1.
int64_t LabMs(const GradeResult& r) {
  if (r.stepDoneMs.empty() || std::any_of(r.stepDoneMs.begin(), r.stepDoneMs.end(), [](int64_t v) { return v < 0; }))
    return -1;
  return r.stepDoneMs.back();
}

// A row's time and its text: a lab's own time, where the session recorded
// it all (-1 and a dash where it did not), or the check's run.
double TimeKey(const GradeResult& r, bool lab) {
  if (!lab) return r.seconds;
  return LabMs(r) >= 0 ? static_cast<double>(LabMs(r)) / 1000.0 : -1;
}
std::string TimeText(const GradeResult& r, bool lab) {
  if (!lab) return Number(r.seconds, 2) + " s";
  return LabMs(r) >= 0 ? LabClock(LabMs(r)) : "—";
}

const char* const kStatuses[] = {"passed", "failed", "error", "timeout"};
const char* const kStatusColours[] = {"#2e8b57", "#d9822b", "#c0392b", "#7d3c98"};

const char* StatusText(const std::string& status, const Texts& t) {
  if (status == "passed") return t("通过", "passed");
  if (status == "failed") return t("未通过", "failed");
  if (status == "error") return t("出错", "error");
  return t("超时", "timeout");
}

// A bar of `share` (0..1) of the width, with its percentage beside it.
std::string ShareBar(double share) {
  const double w = 160 * share;
  return "<svg class=\"bar\" width=\"200\" height=\"14\" role=\"img\"><rect width=\"160\" height=\"14\" fill=\"#eee\"/>"
         "<rect width=\"" +
         Number(w, 1) + "\" height=\"14\" fill=\"#2e8b57\"/><text x=\"166\" y=\"11\">" + Number(100 * share, 0) +
         "%</text></svg>";
}

// The spread of a step's times on a scale of `longest` seconds: a line from
// the quickest to the slowest, the box from quartile to quartile, the median.
std::string SpreadBox(const Spread& s, double longest) {
  auto x = [&](double v) { return Number(4 + 232 * (longest > 0 ? v / longest : 0), 1); };
  return "<svg class=\"box\" width=\"240\" height=\"16\" role=\"img\"><line x1=\"" + x(s.low) + "\" x2=\"" + x(s.high) +
         "\" y1=\"8\" y2=\"8\" stroke=\"#888\"/><rect x=\"" + x(s.q1) + "\" y=\"2\" width=\"" +
         Number(232 * (longest > 0 ? (s.q3 - s.q1) / longest : 0), 1) +
         "\" height=\"12\" fill=\"#9cc3e6\" stroke=\"#2f6fa7\"/><line x1=\"" + x(s.median) + "\" x2=\"" + x(s.median) +
         "\" y1=\"1\" y2=\"15\" stroke=\"#12375b\" stroke-width=\"2\"/></svg>";
}

constexpr const char* kStyle = R"(
body{font:14px/1.45 "Noto Sans CJK SC","WenQuanYi Micro Hei",system-ui,sans-serif;margin:24px;color:#222}
h1{font-size:22px;margin:0 0 4px}h2{font-size:17px;margin:28px 0 8px}
table{border-collapse:collapse}th,td{padding:4px 8px;border-bottom:1px solid #ddd;text-align:left;vertical-align:middle}
th button{font:inherit;font-weight:bold;border:0;background:none;cursor:pointer;padding:0}
th button::after{content:" \2195";color:#999}td.n{text-align:right;font-variant-numeric:tabular-nums}
.legend span{display:inline-block;margin-right:16px}.legend i{display:inline-block;width:12px;height:12px;margin-right:4px;vertical-align:-1px}
svg text{font-size:11px;fill:#333}.muted{color:#777}td.spread{white-space:nowrap}svg.box,svg.bar{vertical-align:middle}
.passed{color:#2e8b57}.failed{color:#b35c00}.error{color:#c0392b}.timeout{color:#7d3c98}
)";

constexpr const char* kScript = R"(
for (const b of document.querySelectorAll('#submissions th button')) {
  b.addEventListener('click', () => {
    const table = b.closest('table'), body = table.tBodies[0], col = b.parentElement.cellIndex;
    const up = b.dataset.dir !== 'up';
    for (const o of table.querySelectorAll('th button')) delete o.dataset.dir;
    b.dataset.dir = up ? 'up' : 'down';
    const key = r => r.cells[col].dataset.sort ?? r.cells[col].textContent;
    const rows = [...body.rows];
    const numeric = rows.every(r => key(r) !== '' && !isNaN(key(r)));
    rows.sort((a, c) => {
      const x = key(a), y = key(c);
      const d = numeric ? x - y : x.localeCompare(y);
      return up ? d : -d;
    });
    body.append(...rows);
  });
}
)";

}  // namespace

std::string HtmlReport(const std::vector<GradeResult>& results, const std::vector<ExpectLine>& cases,
                       const HtmlReportPlace& place) {
  const Texts t{place.english};
  const bool lab = place.lab;
  const fs::path reportDir = fs::absolute(place.report).parent_path();
  const double total = static_cast<double>(results.size());
  std::string h;
  h.reserve(4096 + results.size() * 400);
  h += std::string("<!DOCTYPE html>\n<html lang=\"") + t("zh-CN", "en") +
       "\">\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"viewport\" content=\"width=device-width\">\n"
       "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
       "script-src 'unsafe-inline'\">\n<title>" +
       XmlText(FolderName(place.check)) + " — orrin-grade</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
  h += std::string("<h1>") + t("班级成绩：", "Class results: ") + "<a href=\"" + Href(place.check, reportDir) + "\">" +
       XmlText(FolderName(place.check)) + "</a></h1>\n<p class=\"muted\">" +
       (lab ? t("实验记录，", "lab sessions, ") : t("检查脚本，", "check script, ")) + std::to_string(results.size()) +
       t(" 份提交，由 orrin-grade 评出", " submissions, graded by orrin-grade") + "</p>\n";

  // The summary: a count per status and one bar of them all.
  h += std::string("<section id=\"summary\">\n<h2>") + t("总览", "Summary") + "</h2>\n<p class=\"legend\">";
  std::string bar;
  double x = 0;
  for (size_t s = 0; s < 4; ++s) {
    const auto n =
        std::count_if(results.begin(), results.end(), [&](const GradeResult& r) { return r.status == kStatuses[s]; });
    h += std::string("<span><i style=\"background:") + kStatusColours[s] + "\"></i>" + StatusText(kStatuses[s], t) +
         " <b class=\"count\" data-status=\"" + kStatuses[s] + "\">" + std::to_string(n) + "</b></span>";
    const double w = total > 0 ? 600.0 * static_cast<double>(n) / total : 0;
    if (w > 0)
      bar += "<rect x=\"" + Number(x, 1) + "\" width=\"" + Number(w, 1) + "\" height=\"22\" fill=\"" +
             kStatusColours[s] + "\"><title>" + StatusText(kStatuses[s], t) + " " + std::to_string(n) +
             "</title></rect>";
    x += w;
  }
  h += "</p>\n<svg id=\"summary-bar\" width=\"600\" height=\"22\" role=\"img\"><rect width=\"600\" height=\"22\" "
       "fill=\"#eee\"/>" +
       bar + "</svg>\n</section>\n";

  // Each expectation or step: who passed it, how long it took, hints, wrong answers.
  std::vector<std::vector<double>> times(cases.size());
  double longest = 0;
  if (lab)
    for (size_t i = 0; i < cases.size(); ++i) {
      times[i] = StepSeconds(results, i);
      for (double v : times[i]) longest = std::max(longest, v);
    }
  h += std::string("<section id=\"cases\">\n<h2>") + (lab ? t("每一步", "Each step") : t("每项检查", "Each check")) +
       "</h2>\n<table>\n<thead><tr><th>" + (lab ? t("步骤", "Step") : t("检查", "Check")) + "</th><th>" +
       t("通过的比例", "Share passed") + "</th><th>" + t("分值", "Points") + "</th>" +
       (lab ? std::string("<th>") + t("用时（中位数，四分位）", "Time (median, quartiles)") + "</th><th>" +
                  t("用了提示", "Hints used") + "</th><th>" + t("答错", "Wrong answers") + "</th>"
            : "") +
       "</tr></thead>\n<tbody>\n";
  for (size_t i = 0; i < cases.size(); ++i) {
    const ExpectLine& e = cases[i];
    const auto passed =
        std::count_if(results.begin(), results.end(), [&](const GradeResult& r) { return Earned(r, e); });
    h += "<tr class=\"case\"><td>" + XmlText(e.text) + "</td><td data-passed=\"" + std::to_string(passed) + "\">" +
         ShareBar(total > 0 ? static_cast<double>(passed) / total : 0) + "</td><td class=\"n\">" +
         std::to_string(e.points) + "</td>";
    if (lab) {
      if (times[i].empty()) {
        h += "<td class=\"muted\">—</td>";
      } else {
        const Spread s = SpreadOf(times[i]);
        h += "<td class=\"spread\">" + SpreadBox(s, longest) + " " + LabClock(static_cast<int64_t>(s.median * 1000)) +
             " <span class=\"muted\">(" + LabClock(static_cast<int64_t>(s.q1 * 1000)) + "–" +
             LabClock(static_cast<int64_t>(s.q3 * 1000)) + ")</span></td>";
      }
      int64_t hints = 0, wrong = 0;
      for (const GradeResult& r : results) {
        if (i < r.hintsUsed.size() && r.hintsUsed[i]) ++hints;
        if (i < r.wrongAnswers.size()) wrong += r.wrongAnswers[i];
      }
      h += "<td class=\"n\">" + std::to_string(hints) + "</td><td class=\"n\">" + std::to_string(wrong) + "</td>";
    }
    h += "</tr>\n";
  }
  h += "</tbody>\n</table>\n";
  if (lab)
    h += std::string("<p class=\"muted\">") +
         t("用时和提示来自窗口保存的实验记录；没有记录的不计入。",
           "Times and hints come from the sessions the window saved; sessions without them are not counted.") +
         "</p>\n";
  h += "</section>\n";

  // The slowest, and those who never finished.
  std::vector<const GradeResult*> order;
  for (const GradeResult& r : results) order.push_back(&r);
  std::stable_sort(order.begin(), order.end(),
                   [&](const GradeResult* a, const GradeResult* b) { return TimeKey(*a, lab) > TimeKey(*b, lab); });
  h += std::string("<section id=\"slowest\">\n<h2>") + t("最慢的", "The slowest") + "</h2>\n<ol>\n";
  for (size_t i = 0; i < std::min<size_t>(10, order.size()) && TimeKey(*order[i], lab) >= 0; ++i)
    h += "<li>" + XmlText(PrintableText(order[i]->submission)) + " — " + TimeText(*order[i], lab) + "</li>\n";
  h += std::string("</ol>\n</section>\n<section id=\"unfinished\">\n<h2>") + t("没有做完的", "Never finished") +
       "</h2>\n<ul>\n";
  size_t unfinished = 0;
  for (const GradeResult& r : results)
    if (r.status == "timeout" || (lab && r.failed > 0)) {
      h += "<li>" + XmlText(PrintableText(r.submission)) + " — " + StatusText(r.status, t) +
           (lab ? ", " + std::to_string(r.passed) + "/" + std::to_string(r.passed + r.failed) : std::string()) +
           "</li>\n";
      ++unfinished;
    }
  if (unfinished == 0) h += std::string("<li class=\"muted\">") + t("没有", "none") + "</li>\n";
  h += "</ul>\n</section>\n";

  // Every submission, sortable by any column.
  h += std::string("<section id=\"submissions\">\n<h2>") + t("每份提交", "Every submission") +
       "</h2>\n<table>\n<thead><tr>";
  for (const char* head : {t("提交", "Submission"), t("结果", "Status"), t("通过", "Passed"), t("未通过", "Failed"),
                           t("得分", "Points"), t("用时", "Time"), t("第一个问题", "First failure")})
    h += std::string("<th><button type=\"button\">") + head + "</button></th>";
  h += "</tr></thead>\n<tbody>\n";
  for (const GradeResult& r : results) {
    // Where to look: the session a lab graded, or the check's failing line.
    std::string where;
    std::error_code ec;
    if (lab && fs::is_regular_file(fs::path(r.submission) / kSessionFile, ec)) {
      where = (fs::path(r.submission) / kSessionFile).string();
    } else if (!lab && r.message.starts_with("line ")) {
      where = place.check;
    }
    std::string first = XmlText(PrintableText(r.message));
    if (!where.empty() && !r.message.empty())
      first += " <a href=\"" + Href(where, reportDir) + "\">" +
               XmlText(PrintableText(lab ? std::string(kSessionFile) : FolderName(place.check))) + "</a>";
    h += "<tr><td>" + XmlText(PrintableText(r.submission)) + "</td><td class=\"" + r.status + "\" data-sort=\"" +
         r.status + "\">" + StatusText(r.status, t) + "</td><td class=\"n\">" + std::to_string(r.passed) +
         "</td><td class=\"n\">" + std::to_string(r.failed) + "</td><td class=\"n\" data-sort=\"" +
         std::to_string(r.points) + "\">" + std::to_string(r.points) + "/" + std::to_string(r.maxPoints) +
         "</td><td class=\"n\" data-sort=\"" + Number(TimeKey(r, lab), 3) + "\">" + TimeText(r, lab) + "</td><td>" +
         first + "</td></tr>\n";
  }
  h += std::string("</tbody>\n</table>\n</section>\n<script>") + kScript + "</script>\n</body>\n</html>\n";
  return h;
}

}  // namespace orrin
