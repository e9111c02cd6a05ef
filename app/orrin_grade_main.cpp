// orrin-grade [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] CHECK SUBMISSION...
// orrin-grade --lab LAB [...] SUBMISSION...
// orrin-grade --compare-controller SCRIPT [...] SUBMISSION...
// Runs the console script CHECK in a private copy of every SUBMISSION folder
// (or follows each one's recorded session through LAB, or checks each one's
// hard-wired controller against the microprogram over SCRIPT) and reports.
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "app/grade.h"
#include "app/lab.h"
#include "app/runner.h"
#include "base/command_line.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: orrin-grade [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] CHECK SUBMISSION...\n"
    "  or:  orrin-grade --lab LAB [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] SUBMISSION...\n"
    "  or:  orrin-grade --compare-controller SCRIPT [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--]\n"
    "                   SUBMISSION...\n"
    "Runs the console script CHECK in a private copy of every SUBMISSION folder,\n"
    "each in a process of its own, or follows the session each folder holds\n"
    "(session.orrin, saved by the window) through LAB, or checks the hard-wired\n"
    "controller each folder holds (controller.v) against the microprogram over\n"
    "SCRIPT, as orrin-run --compare-controller does, and reports every\n"
    "submission as passed, failed, error or timeout.\n"
    "\n"
    "Options:\n"
    "  -j N          grade N submissions at a time (default: one per core)\n"
    "  --timeout S   stop a submission after S seconds (default 60)\n"
    "  --csv FILE    write one row per submission to FILE\n"
    "  --junit FILE  write JUnit XML to FILE, a test case per expectation or step\n"
    "  --report FILE.html\n"
    "                write one page to look at: the summary, each expectation's or\n"
    "                step's share passed (a lab's times, hints, wrong answers), the\n"
    "                slowest, and every submission in a table that sorts\n"
    "  --lang en|zh  the language of the page and of the board's messages\n"
    "  --gradebook FILE\n"
    "                write FILE for a course's gradebook: one row per submission,\n"
    "                its folder's name (UTF-8), points, maximum and status\n"
    "  --lab LAB     grade recorded sessions through the lab LAB\n"
    "  --compare-controller SCRIPT\n"
    "                grade hard-wired controllers (controller.v) against the\n"
    "                microprogram, SCRIPT performed on both\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  every submission passed\n"
    "  1  some did not\n"
    "  2  bad options, a check or lab that cannot be used, or nothing graded\n";

bool WriteReport(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  std::cerr << "orrin-grade: cannot write " << orrin::PrintableText(path) << "\n";
  return false;
}

// Every line of the message (a lab's errors, one per line) on a line of its own.
int Fail(const std::string& message) {
  for (size_t start = 0; start <= message.size();) {
    const size_t end = std::min(message.find('\n', start), message.size());
    std::cerr << "orrin-grade: " << orrin::PrintableText(message.substr(start, end - start)) << "\n";
    start = end + 1;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orrin;
  if (const auto status = AnswerHelpOrVersion(argc, argv, "orrin-grade", kHelp)) return *status;
  GradeOptions options;
  std::string error;
  if (!ParseGradeArgs(std::vector<std::string>(argv + 1, argv + argc), options, error)) return Fail(error);
  std::stringstream check;
  std::vector<ExpectLine> expects;
  Lab lab;
  if (options.lab.empty()) {
    std::ifstream file(options.check, std::ios::binary);
    check << file.rdbuf();
    if (!file) return Fail("cannot read the check script " + options.check);
    if (!options.compare.empty()) {
      // One case: the design agrees with the microprogram to the script's end.
      expects.push_back({1, "compare-controller " + options.compare, "line ", 1, true});
    } else {
      // A check that expects nothing would pass every submission.
      expects = ExpectLines(check.str());
      if (expects.empty()) return Fail("the check has no expectations");
      // A check that cannot be checked would fail every student the same way.
      if (const std::string problem = CheckScriptProblem(check.str()); !problem.empty())
        return Fail(options.check + ": " + problem);
    }
  } else {
    // The lab's set-up files are the teacher's, found beside the lab from
    // inside each submission's copy.
    SilentHost files;  // reads the file system, shows nothing
    std::vector<std::string> errors;
    std::error_code ec;
    if (!LoadLab(files, std::filesystem::absolute(options.lab, ec).string(), lab, errors)) {
      for (const std::string& e : errors) std::cerr << "orrin-grade: " << PrintableText(e) << "\n";
      return 2;
    }
    options.labFile = &lab;
    for (size_t i = 0; i < lab.steps.size(); ++i) {
      const std::string step = "step " + std::to_string(i + 1) + ": ";
      const LabText& instruction = lab.steps[i].instruction;
      expects.push_back({static_cast<int64_t>(i + 1), step + (options.english ? instruction.en : instruction.zh), step,
                         lab.steps[i].points});
    }
  }

  const bool terminal = isatty(STDOUT_FILENO) == 1;
  const size_t total = options.submissions.size();
  const GradeRun run = GradeAll(options, check.str(), [&](size_t done) {
    if (terminal) std::cout << "\rgraded " << done << "/" << total << std::flush;
  });
  if (terminal) std::cout << "\r\033[K" << std::flush;
  if (!run.error.empty()) return Fail(run.error);
  if (run.interrupted != 0) {
    // Every child has ended and the scratch folder is gone; end as the signal would.
    std::signal(run.interrupted, SIG_DFL);
    std::raise(run.interrupted);
    return 2;
  }

  std::vector<GradeResult> results = run.results;
  for (GradeResult& r : results) Score(r, expects);
  std::map<std::string, int64_t> counts;
  for (const GradeResult& r : results) {
    ++counts[r.status];
    std::cout << PrintableText(r.submission) << ": " << r.status;
    if (r.passed + r.failed > 0) std::cout << " (" << r.passed << " passed, " << r.failed << " failed)";
    if (!r.message.empty()) std::cout << ": " << PrintableText(r.message);
    std::cout << "\n";
  }
  std::cout << total << " submissions: " << counts["passed"] << " passed, " << counts["failed"] << " failed, "
            << counts["error"] << " error, " << counts["timeout"] << " timeout\n";

  bool written = true;
  if (!options.csv.empty()) written &= WriteReport(options.csv, CsvReport(results, options.labFile != nullptr));
  if (!options.junit.empty()) written &= WriteReport(options.junit, JUnitReport(results, expects));
  if (!options.gradebook.empty()) written &= WriteReport(options.gradebook, GradebookReport(results));
  if (!options.report.empty())
    written &= WriteReport(
        options.report,
        HtmlReport(results, expects, {options.report, options.check, options.labFile != nullptr, options.english}));
  return counts["passed"] == static_cast<int64_t>(total) && written ? 0 : 1;
}
