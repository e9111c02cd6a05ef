// orrin-grade [-j N] [--timeout S] [--csv FILE] [--junit FILE] CHECK SUBMISSION...
// Runs the console script CHECK in every SUBMISSION folder and reports.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "app/grade.h"
#include "app/runner.h"

namespace {

bool WriteReport(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  std::cerr << "orrin-grade: cannot write " << path << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orrin;
  GradeOptions options;
  std::string error;
  if (!ParseGradeArgs(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::cerr << "orrin-grade: " << error << "\n";
    return 2;
  }
  std::ifstream file(options.check, std::ios::binary);
  std::stringstream check;
  check << file.rdbuf();
  if (!file) {
    std::cerr << "orrin-grade: cannot read the check script " << options.check << "\n";
    return 2;
  }

  const bool terminal = isatty(STDOUT_FILENO) == 1;
  const size_t total = options.submissions.size();
  const auto results = GradeAll(options, check.str(), [&](size_t done) {
    if (terminal) std::cout << "\rgraded " << done << "/" << total << std::flush;
  });
  if (terminal) std::cout << "\r\033[K";

  std::map<std::string, long> counts;
  for (const GradeResult& r : results) {
    ++counts[r.status];
    std::cout << r.submission << ": " << r.status;
    if (r.passed + r.failed > 0) std::cout << " (" << r.passed << " passed, " << r.failed << " failed)";
    if (!r.message.empty()) std::cout << ": " << r.message;
    std::cout << "\n";
  }
  std::cout << total << " submissions: " << counts["passed"] << " passed, " << counts["failed"] << " failed, "
            << counts["error"] << " error, " << counts["timeout"] << " timeout\n";

  bool written = true;
  if (!options.csv.empty()) written &= WriteReport(options.csv, CsvReport(results));
  if (!options.junit.empty()) written &= WriteReport(options.junit, JUnitReport(results, ExpectLines(check.str())));
  return counts["passed"] == static_cast<long>(total) && written ? 0 : 1;
}
