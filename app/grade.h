#pragma once
// orrin-grade: one check script run against many students' folders, each in
// a process of its own, with a report a course's grading system can read.
#include <functional>
#include <string>
#include <vector>

namespace orrin {

struct GradeOptions {
  int jobs = 0;            // 0: one per core
  double timeout = 60;     // seconds a submission may run
  std::string csv, junit;  // report files, empty for none
  std::string check;
  std::vector<std::string> submissions;
};

// Reads the command line; false with a message for bad arguments.
bool ParseGradeArgs(const std::vector<std::string>& args, GradeOptions& options, std::string& error);

struct GradeResult {
  std::string submission;  // as given on the command line
  std::string status;      // passed, failed, error, timeout
  long passed = 0, failed = 0;
  std::string message;
  // "line N: expected NAME=TEXT, got OTHER" lines, as the runner printed them.
  std::vector<std::string> failures;
};

// What one finished run of the check says: its exit status (as waitpid gives
// it), whether it was killed for running too long, and what it printed.
GradeResult Classify(int waitStatus, bool timedOut, const std::string& out, const std::string& err);

// Runs the check in every submission folder, `jobs` at a time; `progress`
// is called after each one finishes with the count done.
std::vector<GradeResult> GradeAll(const GradeOptions& options, const std::string& checkScript,
                                  const std::function<void(size_t)>& progress);

// The expect lines of a check script: their line numbers and texts.
struct ExpectLine {
  long number;
  std::string text;
};
std::vector<ExpectLine> ExpectLines(const std::string& checkScript);

std::string CsvReport(const std::vector<GradeResult>& results);
std::string JUnitReport(const std::vector<GradeResult>& results, const std::vector<ExpectLine>& expects);

}  // namespace orrin
