#pragma once
// orrin-grade: one check script run against many students' folders, each in
// a private copy and a process of its own, with a report a course's grading
// system can read.
#include <csignal>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/run_facts.h"
#include "base/text_files.h"

namespace orrin {

struct Lab;

struct GradeOptions {
  int jobs = 0;                               // 0: one per core
  double timeout = 60;                        // seconds a submission may run
  std::string csv, junit, gradebook, report;  // report files, empty for none
  bool english = false;                       // --lang en
  std::string check;
  // --lab LAB: each submission's recorded session (session.orrin) is followed
  // through the lab instead of running a check; `labFile` is the lab read.
  std::string lab;
  const Lab* labFile = nullptr;
  // --compare-controller SCRIPT: each submission's design (controller.v) is
  // checked against the microprogram over SCRIPT instead of running a check.
  std::string compare;
  std::vector<std::string> submissions;
};

// The file a submission hands in for a lab: the session the window saved.
inline constexpr const char* kSessionFile = "session.orrin";
// The file a submission hands in for --compare-controller: its design.
inline constexpr const char* kDesignFile = "controller.v";
// A session of hours of mouse moves stays far below this.
inline constexpr std::size_t kLongestSession = 16 << 20;
// What a check's process may write to any file, its output included: past
// this it is stopped (a session printing in a loop cannot fill the disk).
inline constexpr std::size_t kLongestOutput = 256u << 20;

// Reads the command line; false with a message for bad arguments.
bool ParseGradeArgs(const std::vector<std::string>& args, GradeOptions& options, std::string& error);

// Why an entry of a submission folder was not copied, by its path inside the
// folder ("sub/micro.txt"): "`micro.txt` is a link, not a file".
using FileReasons = std::map<std::string, std::string>;

// Copies the submission folder `from` into the new folder `to`: regular
// files (cut one byte past the largest file any reader takes, so a reader
// still sees "too large") and folders, within limits of depth, count and
// size. Links, FIFOs, devices and sockets are never followed or opened; they
// and whatever the limits leave out come back with their reasons. False when
// `to` could not be made or `from` not opened (`reasons[""]` says why).
bool CopySubmission(const std::string& from, const std::string& to, FileReasons& reasons);

struct GradeResult {
  std::string submission;  // as given on the command line
  std::string status;      // passed, failed, error, timeout
  int64_t passed = 0, failed = 0;
  std::string message;
  // "line N: expected NAME=TEXT, got OTHER" lines, as the runner printed them.
  std::vector<std::string> failures;
  // A file of the submission the check could not use, and why; kept beside
  // failed expectations, which it usually explains.
  std::string fileProblem;
  // A lab's session: the wrong answers given, per step (step N at N-1).
  bool lab = false;
  std::vector<int64_t> wrongAnswers{};
  int64_t WrongAnswerCount() const;
  // The expect lines the run performed and those that failed (a check's),
  // also before a timeout or a crash.
  std::vector<int64_t> checkedLines{}, failedLines{};
  // Points earned of the possible, once Score has counted them.
  int64_t points = 0, maxPoints = 0;
  // How long its run took the grader, in seconds.
  double seconds = 0;
  // A lab's session as the window saved it: when each step was done (ms
  // since the lab began, -1 not done) and whose hint was shown; empty when
  // the session does not say.
  std::vector<int64_t> stepDoneMs{};
  std::vector<bool> hintsUsed{};
};

// What one finished run of the check says: its exit status (as waitpid gives
// it), whether it was killed for running too long, the facts it told as it
// went, and why entries of the submission were not copied.
// `labSteps`: the lab's number of steps when a session was followed through
// one (-1 for a check): its steps count, whatever ended the run.
GradeResult Classify(int waitStatus, bool timedOut, const std::vector<RunFact>& facts, const FileReasons& reasons = {},
                     int64_t labSteps = -1);

// What a whole run came to: the results in the order given, or an error
// before any submission ran (no scratch folder), or the signal that ended it.
struct GradeRun {
  std::vector<GradeResult> results;
  std::string error;    // nonempty: nothing was graded
  int interrupted = 0;  // SIGINT or SIGTERM arrived: every child ended, the scratch removed
};

// Runs the check in a private copy of every submission folder, `jobs` at a
// time, inside a scratch folder of its own under TMPDIR that it removes at
// the end; `progress` is called after each one finishes with the count done.
GradeRun GradeAll(const GradeOptions& options, const std::string& checkScript,
                  const std::function<void(size_t)>& progress);

// The expect lines of a check script: their line numbers and texts; the
// failures of a line are those starting "line N: ". A lab's steps are cases
// too, their failures starting with `key` ("step N: ").
// Each is worth `points` (`points: N` on the line or the step, default 1).
// `whole`: the one case of a run that passes or fails as a whole (a
// controller compared with the microprogram).
struct ExpectLine {
  int64_t number;
  std::string text;
  std::string key{};
  int64_t points = 1;
  bool whole = false;
};
std::vector<ExpectLine> ExpectLines(const std::string& checkScript);
// The first expect line that cannot be checked, as "line N: why" (empty when
// every one can): a check is refused before any submission runs.
std::string CheckScriptProblem(const std::string& checkScript);
// Whether a case earned its points: an expect line performed without a
// failure, a lab's step done, a whole run passed; Score counts them all.
bool Earned(const GradeResult& r, const ExpectLine& e);
void Score(GradeResult& r, const std::vector<ExpectLine>& expects);

using files::PrintableText;

// With a lab, the CSV has a column wrong_answers; the last is the points,
// earned/possible.
std::string CsvReport(const std::vector<GradeResult>& results, bool lab = false);
// One row per submission for a course's gradebook: the folder's name (read
// as GBK where it is not UTF-8, as a Windows archive names it), the points,
// the maximum, the status; UTF-8.
std::string GradebookReport(const std::vector<GradeResult>& results);

// The page of --report: where it is written (its links are relative to
// it), the check script or lab it grades, in which language.
struct HtmlReportPlace {
  std::string report, check;
  bool lab = false, english = false;
};
// One self-contained page: the summary, each case's share passed (and a
// lab's times, hints and wrong answers), the slowest, the never-finished
// and every submission in a table that sorts by any column.
std::string HtmlReport(const std::vector<GradeResult>& results, const std::vector<ExpectLine>& cases,
                       const HtmlReportPlace& place);

// Printable text with XML's five special characters as entities.
std::string XmlText(const std::string& text);
// A submission's folder name: "class/anna/" and "class/anna" are both anna.
std::string FolderName(const std::string& path);
std::string JUnitReport(const std::vector<GradeResult>& results, const std::vector<ExpectLine>& expects);

}  // namespace orrin
