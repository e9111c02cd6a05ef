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
    const bool takesValue = a == "-j" || a == "--timeout" || a == "--csv" || a == "--junit" || a == "--lab";
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
    } else {
      (a == "--csv" ? o.csv : a == "--junit" ? o.junit : o.lab) = v;
    }
  }
  // With a lab, every folder is a submission: the lab is the check.
  const size_t checks = o.lab.empty() ? 1 : 0;
  if (positional.size() < checks + 1) {
    error =
        "usage: orrin-grade [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] CHECK SUBMISSION...\n"
        "       orrin-grade --lab LAB [-j N] [--timeout S] [--csv FILE] [--junit FILE] [--] SUBMISSION...";
    return false;
  }
  o.check = o.lab.empty() ? positional[0] : o.lab;
  o.submissions.assign(positional.begin() + static_cast<std::ptrdiff_t>(checks), positional.end());
  std::error_code ec;
  if (!fs::is_regular_file(o.check, ec)) {
    error = (o.lab.empty() ? "cannot read the check script " : "cannot read the lab ") + o.check;
    return false;
  }
  for (const std::string* report : {&o.csv, &o.junit}) {
    if (report->empty()) continue;
    if (SameFile(*report, o.check)) {
      error = "the report " + *report + (o.lab.empty() ? " would overwrite the check" : " would overwrite the lab");
      return false;
    }
    if (fs::is_directory(*report, ec)) {
      error = "the report " + *report + " is a folder";
      return false;
    }
  }
  if (!o.csv.empty() && o.csv == o.junit) {
    error = "--csv and --junit name the same file";
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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line, int64_t) { lines.emplace_back(line); });
  return lines;
}

constexpr std::string_view kWarning = "警告: ";

// A warning about a file the check loads: the student's file is missing,
// unreadable, too large, malformed, has lines that could not be read, or
// does not assemble.
bool IsFileWarning(const std::string& line) {
  if (!line.starts_with(kWarning)) return false;
  for (const char* what :
       {"无法读取文件", "文件太大", "文件格式不对", "行无法读取", "汇编文件有错误", "没有一条能读出"})
    if (line.find(what) != std::string::npos) return true;
  return false;
}

// The file a "无法读取文件：NAME" warning names, as a path inside the
// submission, when the grader knows why it is missing from the copy.
std::string CopyReason(const std::string& warning, const FileReasons& reasons) {
  constexpr std::string_view kCannotRead = "无法读取文件：";
  const size_t at = warning.find(kCannotRead);
  if (at == std::string::npos) return {};
  const fs::path name = fs::path(warning.substr(at + kCannotRead.size())).lexically_normal();
  if (name.is_absolute()) return {};
  const auto it = reasons.find(name.generic_string());
  return it == reasons.end() ? std::string() : it->second;
}

}  // namespace

int64_t GradeResult::WrongAnswerCount() const {
  int64_t n = 0;
  for (int64_t w : wrongAnswers) n += w;
  return n;
}

namespace {

// "step N…": N and what follows it; false for any other line.
bool StepLine(std::string_view line, int64_t& n, std::string_view& rest) {
  if (!line.starts_with("step ")) return false;
  size_t i = 5;
  n = 0;
  for (; i < line.size() && i < 17 && line[i] >= '0' && line[i] <= '9'; ++i) n = n * 10 + (line[i] - '0');
  rest = line.substr(i);
  return i > 5;
}

// What a session followed through a lab printed, as it went: the steps done
// (also those before a timeout or a crash), why the next is not, the wrong
// answers and the shortcuts the lab forbids.
void ClassifyLab(GradeResult& r, int64_t steps, const std::vector<std::string>& lines) {
  r.lab = true;
  r.wrongAnswers.assign(static_cast<size_t>(steps), 0);
  std::string notDone, shortcut;
  for (const std::string& line : lines) {
    int64_t n = 0;
    std::string_view rest;
    if (StepLine(line, n, rest)) {
      const std::string_view at = rest.substr(std::min(rest.size(), std::string_view(" done at line ").size()));
      if (rest.starts_with(" done at line ") && !at.empty() && at.find_first_not_of("0123456789") == at.npos &&
          n == r.passed + 1 && n <= steps)
        r.passed = n;
      else if (rest.starts_with(" was reached after ") && shortcut.empty())
        shortcut = line;
      else if (rest.starts_with(" not done: "))
        notDone = line;
      continue;
    }
    long long at = 0, step = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "line %lld: answer %*s to step %lld is wrong%n", &at, &step, &used) == 2 &&
        used == static_cast<int>(line.size()) && step >= 1 && step <= steps)
      ++r.wrongAnswers[static_cast<size_t>(step - 1)];
  }
  r.failed = steps - r.passed;
  for (int64_t n = r.passed + 1; n <= steps; ++n) r.failures.push_back("step " + std::to_string(n) + ": not done");
  if (r.failures.empty()) return;
  // The step to do now says why it is not done.
  const std::string number = std::to_string(r.passed + 1);
  if (!shortcut.starts_with("step " + number + " ")) shortcut.clear();
  if (!notDone.starts_with("step " + number + " ")) notDone.clear();
  const std::string& why = !shortcut.empty() ? shortcut : notDone;
  if (!why.empty()) r.failures.front() = "step " + number + ": " + why.substr(why.find(' ', 5) + 1);
  r.message = shortcut.empty() ? notDone : shortcut;
}

std::string StepsDone(const GradeResult& r) {
  return std::to_string(r.passed) + " of " + std::to_string(r.passed + r.failed) + " steps";
}

}  // namespace

GradeResult Classify(int waitStatus, bool timedOut, const std::string& out, const std::string& err,
                     const FileReasons& reasons, int64_t labSteps) {
  GradeResult r;
  const std::vector<std::string> lines = Lines(out);
  const auto errLines = Lines(err);
  if (labSteps >= 0) ClassifyLab(r, labSteps, lines);
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
  const int code = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
  if (code != 0 && code != 1) {
    r.status = "error";
    r.message =
        (errLines.empty() ? "the check stopped with status " + std::to_string(code) : errLines.front()) + doneSoFar;
    return r;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (!r.lab && line.starts_with("line ") && line.find(": expected ") != std::string::npos)
      r.failures.push_back(line);
    // A name the session may not use (outside its folder, a link) is its file problem too.
    const bool refused = line.starts_with("line ") && line.find(": refused: ") != std::string::npos;
    if (r.fileProblem.empty() && refused) r.fileProblem = line;
    if (r.fileProblem.empty() && IsFileWarning(line)) {
      r.fileProblem = CopyReason(line, reasons);
      if (r.fileProblem.empty()) r.fileProblem = line.substr(kWarning.size());
      // A box of several lines (the assembler's errors) goes on below its
      // first: the first of them says what is wrong.
      if (line.ends_with("：") && i + 1 < lines.size()) r.fileProblem += lines[i + 1];
    }
    // The runner's closing count of expectations.
    long long p = 0, f = 0;
    char rest = 0;
    if (!r.lab && std::sscanf(line.c_str(), "%lld passed, %lld failed%c", &p, &f, &rest) == 2) {
      r.passed = p;
      r.failed = f;
    }
  }
  // Why a session could not be followed (none handed in, say).
  if (code == 1 && r.fileProblem.empty() && !errLines.empty()) {
    const auto copied = reasons.find(kSessionFile);  // a link, say, left out of the copy
    r.fileProblem = copied != reasons.end() ? copied->second : errLines[0];
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

// The child: runs the check in the submission's copy, its output into files
// of the grader's scratch folder. It dies with the grader.
// `setupOnly`: the lab's set-up alone, checked once before the class.
[[noreturn]] void RunChild(pid_t grader, const fs::path& folder, const GradeOptions& o, const std::string& check,
                           const fs::path& out, const fs::path& err, bool setupOnly = false) {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGXFSZ, SIG_DFL);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != grader) _exit(3);  // the grader is already gone
  const struct rlimit written = {kLongestOutput, kLongestOutput};
  setrlimit(RLIMIT_FSIZE, &written);
  const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) _exit(3);
  const int nullFd = open("/dev/null", O_RDONLY);
  if (nullFd >= 0) dup2(nullFd, 0);
  if (chdir(folder.c_str()) != 0) {
    std::cerr << "cannot enter the copy of the submission\n";
    _exit(3);
  }
  RunOptions options;
  std::string text = check;
  if (setupOnly) {
    options.lab = o.labFile;  // and no script: `check` is empty
  } else if (o.labFile != nullptr) {
    // A lab grades the session the student recorded, read as every file.
    options.lab = o.labFile;
    options.confineTo = ".";  // the session is the student's: it stays in the copy
    if (files::ReadWholeFile(kSessionFile, kLongestSession, text) != files::ReadResult::Ok) {
      std::cout << "lab: 0 of " << o.labFile->steps.size() << " steps done\n";
      std::cerr << "`" << kSessionFile << "` is missing or cannot be read\n";
      std::cout.flush();
      std::cerr.flush();
      _exit(1);
    }
  }
  std::istringstream script(text);
  const int status = RunScript(script, std::cout, std::cerr, options);
  std::cout.flush();
  std::cerr.flush();
  _exit(status);
}

struct Running {
  size_t index;
  pid_t pid;
  std::chrono::steady_clock::time_point deadline;
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
  const fs::path folder = scratch / "setup", out = scratch / "setup.out", err = scratch / "setup.err";
  std::error_code ec;
  fs::create_directory(folder, ec);
  std::cout.flush();
  std::cerr.flush();
  const pid_t grader = getpid();
  const pid_t pid = fork();
  if (pid == 0) RunChild(grader, folder, o, "", out, err, true);
  if (pid < 0) return "could not start a process";
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (gSignal != 0 || std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
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
  std::string text = ReadAll(err);
  while (!text.empty() && text.back() == '\n') text.pop_back();
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
      if (pid == 0) RunChild(grader, file("copy.", i), o, check, file("out.", i), file("err.", i));
      if (pid < 0) {
        finish(i, {{}, "error", 0, 0, "could not start a process", {}, {}});
        continue;
      }
      running.push_back({i, pid, std::chrono::steady_clock::now() + limit});
    }
    bool reaped = false;
    for (size_t k = 0; k < running.size();) {
      Running& r = running[k];
      int status = 0;
      if (waitpid(r.pid, &status, WNOHANG) == r.pid) {
        finish(r.index, Classify(status, r.killed, ReadAll(file("out.", r.index)), ReadAll(file("err.", r.index)),
                                 reasons[r.index], labSteps));
        running.erase(running.begin() + static_cast<std::ptrdiff_t>(k));
        reaped = true;
        continue;
      }
      if (!r.killed && std::chrono::steady_clock::now() > r.deadline) {
        kill(r.pid, SIGKILL);
        r.killed = true;
      }
      ++k;
    }
    if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  // Interrupted: every child still running ends before the scratch goes.
  for (const Running& r : running) kill(r.pid, SIGKILL);
  for (const Running& r : running) {
    int status = 0;
    while (waitpid(r.pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  run.interrupted = gSignal;
  return run;
}

std::vector<ExpectLine> ExpectLines(const std::string& check) {
  std::vector<ExpectLine> lines;
  ForEachLine(check, [&](std::string_view line, int64_t number) {
    std::istringstream words{std::string(line)};
    std::string first;
    words >> first;
    if (first != "expect") return;
    std::string text(line);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    lines.push_back({number, text.substr(text.find("expect"))});
  });
  return lines;
}

}  // namespace orrin
