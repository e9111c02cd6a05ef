#include "app/grade.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "app/compare.h"
#include "app/lab.h"
#include "app/runner.h"
#include "base/line_ends.h"
#include "base/text_files.h"

namespace orrin {

namespace fs = std::filesystem;

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

bool ParseGradeArgs(const std::vector<std::string>& args, GradeOptions& o, std::string& error) {
  std::vector<std::string> positional;
  bool options = true;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!options || a.empty() || a[0] != '-' || a == "-") {
      positional.push_back(a);
      continue;
    }
    if (a == "--") {
      options = false;
      continue;
    }
    const bool takesValue = a == "-j" || a == "--timeout" || a == "--csv" || a == "--junit" || a == "--gradebook" ||
                            a == "--report" || a == "--lang" || a == "--lab" || a == "--compare-controller";
    if (!takesValue) {
      error = "unknown option " + a;
      return false;
    }
    if (i + 1 >= args.size()) {
      error = a + " needs a value";
      return false;
    }
    const std::string& v = args[++i];
    if (a == "-j") {
      int64_t n = 0;
      if (!ParseNumber(v, 1, 1024, n)) {
        error = "-j needs a number of jobs 1-1024";
        return false;
      }
      o.jobs = static_cast<int>(n);
    } else if (a == "--timeout") {
      char* end = nullptr;
      o.timeout = std::strtod(v.c_str(), &end);
      if (v.empty() || *end != '\0' || !std::isfinite(o.timeout) || o.timeout <= 0 || o.timeout > 86400) {
        error = "--timeout needs a number of seconds above 0";
        return false;
      }
    } else if (a == "--lang") {
      if (v != "en" && v != "zh") {
        error = "--lang takes en or zh";
        return false;
      }
      o.english = v == "en";
    } else {
      (a == "--csv"         ? o.csv
       : a == "--junit"     ? o.junit
       : a == "--gradebook" ? o.gradebook
       : a == "--report"    ? o.report
       : a == "--lab"       ? o.lab
                            : o.compare) = v;
    }
  }
  if (!o.lab.empty() && !o.compare.empty()) {
    error = "--lab and --compare-controller cannot be used together";
    return false;
  }
  // With a lab or a comparison, every folder is a submission: the option names the check.
  const std::string& given = !o.lab.empty() ? o.lab : o.compare;
  const size_t checks = given.empty() ? 1 : 0;
  if (positional.size() < checks + 1) {
    error =
        "usage: orrin-grade [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] CHECK SUBMISSION...\n"
        "       orrin-grade --lab LAB [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] SUBMISSION...\n"
        "       orrin-grade --compare-controller SCRIPT [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] "
        "SUBMISSION...";
    return false;
  }
  o.check = given.empty() ? positional[0] : given;
  o.submissions.assign(positional.begin() + static_cast<std::ptrdiff_t>(checks), positional.end());
  std::error_code ec;
  const char* what = !o.lab.empty() ? "the lab " : "the check script ";
  if (!fs::is_regular_file(o.check, ec)) {
    error = std::string("cannot read ") + what + o.check;
    return false;
  }
  for (const std::string* report : {&o.csv, &o.junit, &o.gradebook, &o.report}) {
    if (report->empty()) continue;
    if (SameFile(*report, o.check)) {
      error = "the report " + *report + " would overwrite " + (o.lab.empty() ? "the check" : "the lab");
      return false;
    }
    if (fs::is_directory(*report, ec)) {
      error = "the report " + *report + " is a folder";
      return false;
    }
    // A FIFO or a device would hold the grader at the end of all its work.
    if (fs::exists(*report, ec) && !fs::is_regular_file(*report, ec)) {
      error = "the report " + *report + " is not a file";
      return false;
    }
  }
  const std::pair<const std::string*, const char*> reports[] = {
      {&o.csv, "--csv"}, {&o.junit, "--junit"}, {&o.gradebook, "--gradebook"}, {&o.report, "--report"}};
  for (size_t i = 0; i < 4; ++i)
    for (size_t k = i + 1; k < 4; ++k)
      if (!reports[i].first->empty() &&
          (*reports[i].first == *reports[k].first || SameFile(*reports[i].first, *reports[k].first))) {
        error = std::string(reports[i].second) + " and " + reports[k].second + " name the same file";
        return false;
      }
  for (const std::string& s : o.submissions) {
    if (!fs::is_directory(s, ec)) {
      error = "not a submission folder: " + s;
      return false;
    }
  }
  if (o.jobs == 0) o.jobs = static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
  return true;
}

namespace {

// The reason a file the run could not read was left out of the copy, when
// the grader knows one: a name inside the submission ("sub/micro.txt").
std::string CopyReason(const std::string& file, const FileReasons& reasons) {
  const fs::path name = fs::path(file).lexically_normal();
  if (file.empty() || name.is_absolute()) return {};
  const auto it = reasons.find(name.generic_string());
  return it == reasons.end() ? std::string() : it->second;
}

// What the grade says of a warning about a file: its first line, and for a
// box of several lines (the assembler's errors) the line after it too, which
// says what is wrong.
std::string FileProblemText(const std::string& text) {
  const size_t end = text.find('\n');
  if (end == std::string::npos) return text;
  std::string first = text.substr(0, end);
  if (first.ends_with("：")) first += text.substr(end + 1, text.find('\n', end + 1) - end - 1);
  return first;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

int64_t GradeResult::WrongAnswerCount() const {
  int64_t n = 0;
  for (int64_t w : wrongAnswers) n += w;
  return n;
}

namespace {

using Kind = RunFact::Kind;

std::string StepText(const RunFact& f) {
  return "step " + std::to_string(f.step) +
         (f.kind == Kind::ReachedAfter ? " was reached after `" + f.text + "` at line " + std::to_string(f.line)
                                       : " not done: " + f.text);
}

// What a session followed through a lab did, as it went: the steps done
// (also those before a timeout or a crash), why the next is not, the wrong
// answers and the shortcuts the lab forbids.
void ClassifyLab(GradeResult& r, int64_t steps, const std::vector<RunFact>& facts) {
  r.lab = true;
  r.wrongAnswers.assign(static_cast<size_t>(steps), 0);
  const RunFact *notDone = nullptr, *shortcut = nullptr;
  for (const RunFact& f : facts) {
    if (f.kind == Kind::StepDone && f.step == r.passed + 1 && f.step <= steps) r.passed = f.step;
    if (f.kind == Kind::ReachedAfter && shortcut == nullptr) shortcut = &f;
    if (f.kind == Kind::NotDone) notDone = &f;
    if (f.kind == Kind::WrongAnswer && f.step >= 1 && f.step <= steps)
      ++r.wrongAnswers[static_cast<size_t>(f.step - 1)];
  }
  r.failed = steps - r.passed;
  for (int64_t n = r.passed + 1; n <= steps; ++n) r.failures.push_back("step " + std::to_string(n) + ": not done");
  if (r.failures.empty()) return;
  // The step to do now says why it is not done.
  const int64_t now = r.passed + 1;
  if (shortcut != nullptr && shortcut->step != now) shortcut = nullptr;
  if (notDone != nullptr && notDone->step != now) notDone = nullptr;
  const RunFact* why = shortcut != nullptr ? shortcut : notDone;
  if (why == nullptr) return;
  r.message = StepText(*why);
  r.failures.front() = "step " + std::to_string(now) + ": " + r.message.substr(r.message.find(' ', 5) + 1);
}

std::string StepsDone(const GradeResult& r) {
  return std::to_string(r.passed) + " of " + std::to_string(r.passed + r.failed) + " steps";
}

}  // namespace

GradeResult Classify(int waitStatus, bool timedOut, const std::vector<RunFact>& facts, const FileReasons& reasons,
                     int64_t labSteps) {
  GradeResult r;
  if (labSteps >= 0) ClassifyLab(r, labSteps, facts);
  // What ran before a timeout, a crash or a bad line earns its points too.
  for (const RunFact& f : facts) {
    if (f.kind == Kind::Checked) r.checkedLines.push_back(f.line);
    if (f.kind == Kind::ExpectFailed) r.failedLines.push_back(f.line);
  }
  const std::string doneSoFar = r.lab ? " (" + StepsDone(r) + " done)" : "";
  if (timedOut) {
    r.status = "timeout";
    r.message = "ran past its time limit" + doneSoFar;
    return r;
  }
  if (WIFSIGNALED(waitStatus)) {
    r.status = "error";
    r.message = WTERMSIG(waitStatus) == SIGXFSZ
                    ? "stopped: it wrote more than " + std::to_string(kLongestOutput >> 20) + " MiB" + doneSoFar
                    : "crashed (signal " + std::to_string(WTERMSIG(waitStatus)) + ")" + doneSoFar;
    return r;
  }
  const RunFact* stopped = nullptr;
  for (const RunFact& f : facts)
    if (f.kind == Kind::Stopped && stopped == nullptr) stopped = &f;
  const int code = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
  if (code != 0 && code != 1) {
    r.status = "error";
    r.message =
        (stopped ? FirstLine(stopped->text) : "the check stopped with status " + std::to_string(code)) + doneSoFar;
    return r;
  }
  for (const RunFact& f : facts) {
    if (!r.lab && f.kind == Kind::ExpectFailed) r.failures.push_back(f.text);
    // A name the session may not use (outside its folder, a link) is its file problem too.
    if (r.fileProblem.empty() && f.kind == Kind::Refused)
      r.fileProblem = "line " + std::to_string(f.line) + ": refused: " + f.text;
    if (r.fileProblem.empty() && f.kind == Kind::FileProblem) {
      r.fileProblem = CopyReason(f.name, reasons);
      if (r.fileProblem.empty()) r.fileProblem = FileProblemText(f.text);
    }
    if (!r.lab && f.kind == Kind::Tally) {
      r.passed = f.step;
      r.failed = f.line;
    }
  }
  // Why a session could not be followed (none handed in, say).
  if (code == 1 && r.fileProblem.empty() && stopped) {
    const auto copied = reasons.find(kSessionFile);  // a link, say, left out of the copy
    r.fileProblem = copied != reasons.end() ? copied->second : FirstLine(stopped->text);
  }
  if (r.lab) {
    // A lab's session passes when every step was done, whatever it tried on
    // the way (an expect of its own included: the lab's steps are the grade).
    r.status = r.failed == 0 ? "passed" : "failed";
    if (r.status == "passed") {
      r.message.clear();
    } else if (!r.fileProblem.empty() && r.message.find(" was reached after ") == std::string::npos) {
      r.message = r.fileProblem;
    } else if (r.message.empty()) {
      r.message = r.failures.empty() ? "the lab was not finished" : r.failures.front();
    }
    return r;
  }
  if (!r.fileProblem.empty()) {
    r.status = "failed";
    r.message = r.fileProblem;
  } else if (code == 1 || r.failed > 0) {
    r.status = "failed";
    r.message = r.failures.empty() ? "an expectation failed" : r.failures.front();
  } else {
    r.status = "passed";
  }
  return r;
}

namespace {

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Set by SIGINT or SIGTERM; the grading loop ends every child and cleans up.
volatile std::sig_atomic_t gSignal = 0;
extern "C" void OnSignal(int sig) { gSignal = sig; }

// The files of the grader's scratch folder a child writes: what it printed,
// and what it found, as facts.
struct ChildFiles {
  fs::path out, err, facts;
};

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

// The child: runs the check in the submission's copy, its output into files
// of the grader's scratch folder. It dies with the grader.
// `setupOnly`: the lab's set-up alone, checked once before the class.
[[noreturn]] void RunChild(pid_t grader, const fs::path& folder, const GradeOptions& o, const std::string& check,
                           const ChildFiles& files, bool setupOnly = false) {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGXFSZ, SIG_DFL);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != grader) _exit(3);  // the grader is already gone
  // A group of its own, so that a time limit also ends what it started (Yosys),
  // and temporary files in the grader's scratch folder, which goes at the end
  // also when the child is killed before it could remove them.
  setpgid(0, 0);
  setenv("TMPDIR", files.out.parent_path().c_str(), 1);
  const struct rlimit written = {kLongestOutput, kLongestOutput};
  setrlimit(RLIMIT_FSIZE, &written);
  const int outFd = open(files.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = open(files.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int factsFd = open(files.facts.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (outFd < 0 || errFd < 0 || factsFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) _exit(3);
  const int nullFd = open("/dev/null", O_RDONLY);
  if (nullFd >= 0) dup2(nullFd, 0);
  if (chdir(folder.c_str()) != 0) {
    std::cerr << "cannot enter the copy of the submission\n";
    _exit(3);
  }
  RunOptions options;
  if (o.english) options.english = &EnglishCatalog();
  // Each fact is written at once: a run killed later keeps it.
  options.facts = [factsFd](const RunFact& f) { WriteAll(factsFd, EncodeFact(f)); };
  std::string text = check;
  if (setupOnly) {
    options.lab = o.labFile;  // and no script: `check` is empty
  } else if (o.labFile != nullptr) {
    // A lab grades the session the student recorded, read as every file.
    options.lab = o.labFile;
    options.confineTo = ".";  // the session is the student's: it stays in the copy
    if (files::ReadWholeFile(kSessionFile, kLongestSession, text) != files::ReadResult::Ok) {
      std::cout << "lab: 0 of " << o.labFile->steps.size() << " steps done\n";
      const std::string why = "`" + std::string(kSessionFile) + "` is missing or cannot be read";
      std::cerr << why << "\n";
      options.facts({RunFact::Kind::Stopped, 0, 0, why});
      std::cout.flush();
      std::cerr.flush();
      _exit(1);
    }
  }
  std::istringstream script(text);
  int status = 0;
  if (!o.compare.empty()) {
    // A design that cannot be loaded is the student's failure, not the check's.
    bool unusable = false;
    status = CompareController(kDesignFile, script, std::cout, std::cerr, [&](const RunFact& f) {
      unusable |= f.kind == RunFact::Kind::FileProblem;
      options.facts(f);
    });
    if (unusable) status = 1;
  } else {
    status = RunScript(script, std::cout, std::cerr, options);
  }
  std::cout.flush();
  std::cerr.flush();
  _exit(status);
}

// A child and whatever it started (its own group): a Yosys it runs ends with it.
void KillGroup(pid_t pid) {
  kill(-pid, SIGKILL);
  kill(pid, SIGKILL);
}

struct Running {
  size_t index;
  pid_t pid;
  std::chrono::steady_clock::time_point started, deadline;
  bool killed = false;
};

// The scratch folder: made under TMPDIR, removed by the path it was made at.
class Scratch {
 public:
  Scratch() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = (tmp != nullptr && *tmp != '\0' ? std::string(tmp) : "/tmp") + "/orrin-grade.XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
    } else {
      error_ = "cannot make a scratch folder in " + pattern.substr(0, pattern.rfind('/')) + ": " + std::strerror(errno);
    }
  }
  ~Scratch() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const fs::path& path() const { return path_; }
  const std::string& error() const { return error_; }

 private:
  fs::path path_;
  std::string error_;
};

// The handlers for SIGINT and SIGTERM while grading, and the old ones after.
class SignalGuard {
 public:
  SignalGuard() {
    gSignal = 0;
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &oldInt_);
    sigaction(SIGTERM, &sa, &oldTerm_);
  }
  ~SignalGuard() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
  }
  SignalGuard(const SignalGuard&) = delete;
  SignalGuard& operator=(const SignalGuard&) = delete;

 private:
  struct sigaction oldInt_ {
  }, oldTerm_{};
};

// A lab whose set-up fails, or never ends, would fail every student: it is
// tried once, alone, within the time limit a submission has.
std::string CheckLabSetup(const GradeOptions& o, const fs::path& scratch, std::chrono::steady_clock::duration limit) {
  const fs::path folder = scratch / "setup";
  const ChildFiles files{scratch / "setup.out", scratch / "setup.err", scratch / "setup.facts"};
  std::error_code ec;
  fs::create_directory(folder, ec);
  std::cout.flush();
  std::cerr.flush();
  const pid_t grader = getpid();
  const pid_t pid = fork();
  if (pid == 0) RunChild(grader, folder, o, "", files, true);
  if (pid < 0) return "could not start a process";
  setpgid(pid, pid);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (gSignal != 0 || std::chrono::steady_clock::now() > deadline) {
      KillGroup(pid);
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      if (gSignal != 0) return {};
      std::ostringstream seconds;
      seconds << o.timeout;
      return o.lab + ": the set-up did not finish within " + seconds.str() + " s (--timeout)";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  // 0 or 1: the set-up ran (no step can be done without a session).
  if (WIFEXITED(status) && WEXITSTATUS(status) <= 1) return {};
  std::string text;
  for (const RunFact& f : DecodeFacts(ReadAll(files.facts)))
    if (f.kind == RunFact::Kind::Stopped) text += (text.empty() ? "" : "\n") + f.text;
  return text.empty() ? o.lab + ": the set-up stopped without finishing" : text;
}

}  // namespace

GradeRun GradeAll(const GradeOptions& o, const std::string& check, const std::function<void(size_t)>& progress) {
  GradeRun run;
  const Scratch scratch;
  if (!scratch.error().empty()) {
    run.error = scratch.error();
    return run;
  }
  const SignalGuard guard;
  run.results.resize(o.submissions.size());
  std::vector<FileReasons> reasons(o.submissions.size());
  auto file = [&](const char* what, size_t i) { return scratch.path() / (what + std::to_string(i)); };
  auto childFiles = [&](size_t i) { return ChildFiles{file("out.", i), file("err.", i), file("facts.", i)}; };
  const auto limit =
      std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(o.timeout));

  const pid_t grader = getpid();
  const int64_t labSteps = o.labFile ? static_cast<int64_t>(o.labFile->steps.size()) : -1;
  if (o.labFile) {
    run.error = CheckLabSetup(o, scratch.path(), limit);
    if (!run.error.empty() || gSignal != 0) {
      run.interrupted = gSignal;
      return run;
    }
  }
  std::vector<Running> running;
  size_t next = 0, done = 0;
  auto finish = [&](size_t i, GradeResult g) {
    g.submission = o.submissions[i];
    run.results[i] = std::move(g);
    ++done;
    if (progress) progress(done);
  };
  while (done < run.results.size() && gSignal == 0) {
    while (running.size() < static_cast<size_t>(o.jobs) && next < run.results.size()) {
      const size_t i = next++;
      if (!CopySubmission(o.submissions[i], file("copy.", i), reasons[i])) {
        finish(i, {{}, "error", 0, 0, reasons[i][""], {}, {}});
        continue;
      }
      std::cout.flush();
      std::cerr.flush();
      const pid_t pid = fork();
      if (pid == 0) RunChild(grader, file("copy.", i), o, check, childFiles(i));
      if (pid < 0) {
        finish(i, {{}, "error", 0, 0, "could not start a process", {}, {}});
        continue;
      }
      setpgid(pid, pid);  // also in the child: whichever runs first
      const auto now = std::chrono::steady_clock::now();
      running.push_back({i, pid, now, now + limit});
    }
    bool reaped = false;
    for (size_t k = 0; k < running.size();) {
      Running& r = running[k];
      int status = 0;
      if (waitpid(r.pid, &status, WNOHANG) == r.pid) {
        kill(-r.pid, SIGKILL);  // anything it left running
        GradeResult g =
            Classify(status, r.killed, DecodeFacts(ReadAll(file("facts.", r.index))), reasons[r.index], labSteps);
        g.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - r.started).count();
        if (o.labFile) {
          // The session's own record of each step's time and hint, read in the copy.
          std::ifstream session(file("copy.", r.index) / kSessionFile, std::ios::binary);
          std::string head(64 * 1024, '\0');
          session.read(head.data(), static_cast<std::streamsize>(head.size()));
          head.resize(static_cast<size_t>(session.gcount()));
          if (const auto record = ReadLabRecord(head, o.labFile->steps.size())) {
            g.stepDoneMs = record->doneMs;
            g.hintsUsed = record->hints;
          }
        }
        finish(r.index, std::move(g));
        running.erase(running.begin() + static_cast<std::ptrdiff_t>(k));
        reaped = true;
        continue;
      }
      if (!r.killed && std::chrono::steady_clock::now() > r.deadline) {
        KillGroup(r.pid);
        r.killed = true;
      }
      ++k;
    }
    if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  // Interrupted: every child still running ends before the scratch goes.
  for (const Running& r : running) KillGroup(r.pid);
  for (const Running& r : running) {
    int status = 0;
    while (waitpid(r.pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  run.interrupted = gSignal;
  return run;
}

namespace {

// Each expect line of a check with its points, and why one cannot be checked.
void ForEachExpect(const std::string& check, const std::function<void(ExpectLine, const std::string&)>& seen) {
  ForEachLine(check, [&](std::string_view line, int64_t number) {
    std::istringstream words{std::string(line)};
    std::string first;
    words >> first;
    if (first != "expect") return;
    std::string text(line);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    text = text.substr(text.find("expect"));
    ExpectLine e{number, text};
    std::vector<Expectation> pairs;
    std::string error;
    if (ParseExpectations(std::string_view(text).substr(6), "expect", pairs, error, &e.points))
      for (const Expectation& p : pairs) {
        if (!KnowsName(p)) error = "unknown name '" + p.name + "'";
        if (error.empty()) error = CheckProblem(p);
        if (!error.empty()) break;
      }
    seen(e, error);
  });
}

}  // namespace

std::vector<ExpectLine> ExpectLines(const std::string& check) {
  std::vector<ExpectLine> lines;
  ForEachExpect(check, [&](ExpectLine e, const std::string&) { lines.push_back(std::move(e)); });
  return lines;
}

std::string CheckScriptProblem(const std::string& check) {
  std::string problem;
  ForEachExpect(check, [&](const ExpectLine& e, const std::string& error) {
    if (problem.empty() && !error.empty()) problem = "line " + std::to_string(e.number) + ": " + error;
  });
  return problem;
}

bool Earned(const GradeResult& r, const ExpectLine& e) {
  if (e.whole) return r.status == "passed";
  if (!e.key.empty()) return e.number <= r.passed;  // a lab's step, done in order
  auto has = [&](const std::vector<int64_t>& lines) {
    return std::find(lines.begin(), lines.end(), e.number) != lines.end();
  };
  return has(r.checkedLines) && !has(r.failedLines);
}

void Score(GradeResult& r, const std::vector<ExpectLine>& expects) {
  r.points = r.maxPoints = 0;
  for (const ExpectLine& e : expects) {
    r.maxPoints += e.points;
    if (Earned(r, e)) r.points += e.points;
  }
}

}  // namespace orrin
