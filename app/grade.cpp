#include "app/grade.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "app/runner.h"

namespace orrin {

namespace fs = std::filesystem;

bool ParseGradeArgs(const std::vector<std::string>& args, GradeOptions& o, std::string& error) {
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "-j" || a == "--timeout" || a == "--csv" || a == "--junit";
    if (takesValue && i + 1 >= args.size()) {
      error = a + " needs a value";
      return false;
    }
    if (a == "-j") {
      long n = 0;
      if (!ParseNumber(args[++i], 1, 1024, n)) {
        error = "-j needs a number of jobs 1-1024";
        return false;
      }
      o.jobs = static_cast<int>(n);
    } else if (a == "--timeout") {
      char* end = nullptr;
      const std::string& v = args[++i];
      o.timeout = std::strtod(v.c_str(), &end);
      if (v.empty() || *end != '\0' || !std::isfinite(o.timeout) || o.timeout <= 0 || o.timeout > 86400) {
        error = "--timeout needs a number of seconds above 0";
        return false;
      }
    } else if (a == "--csv") {
      o.csv = args[++i];
    } else if (a == "--junit") {
      o.junit = args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a;
      return false;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() < 2) {
    error = "usage: orrin-grade [-j N] [--timeout S] [--csv FILE] [--junit FILE] CHECK SUBMISSION...";
    return false;
  }
  o.check = positional[0];
  o.submissions.assign(positional.begin() + 1, positional.end());
  std::error_code ec;
  if (!fs::is_regular_file(o.check, ec)) {
    error = "cannot read the check script " + o.check;
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

// A warning about a file the check loads: the student's file is missing,
// unreadable or not what it should be.
bool IsFileWarning(const std::string& line) {
  if (line.rfind("警告: ", 0) != 0) return false;
  for (const char* what : {"无法读取文件", "文件太大", "文件格式不对"})
    if (line.find(what) != std::string::npos) return true;
  return false;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

}  // namespace

GradeResult Classify(int waitStatus, bool timedOut, const std::string& out, const std::string& err) {
  GradeResult r;
  if (timedOut) {
    r.status = "timeout";
    r.message = "ran past its time limit";
    return r;
  }
  if (WIFSIGNALED(waitStatus)) {
    r.status = "error";
    r.message = "crashed (signal " + std::to_string(WTERMSIG(waitStatus)) + ")";
    return r;
  }
  const int code = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
  if (code != 0 && code != 1) {
    r.status = "error";
    const auto errLines = Lines(err);
    r.message = errLines.empty() ? "the check stopped with status " + std::to_string(code) : errLines.front();
    return r;
  }
  std::string fileWarning;
  for (const std::string& line : Lines(out)) {
    if (line.rfind("line ", 0) == 0 && line.find(": expected ") != std::string::npos) r.failures.push_back(line);
    if (fileWarning.empty() && IsFileWarning(line)) fileWarning = line.substr(std::string("警告: ").size());
    // The runner's closing count.
    long p = 0, f = 0;
    char rest = 0;
    if (std::sscanf(line.c_str(), "%ld passed, %ld failed%c", &p, &f, &rest) == 2) {
      r.passed = p;
      r.failed = f;
    }
  }
  if (!fileWarning.empty()) {
    r.status = "failed";
    r.message = fileWarning;
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

// The child: runs the check in the submission folder, its output into files
// of the grader's own scratch folder.
[[noreturn]] void RunChild(const std::string& folder, const std::string& check, const fs::path& out,
                           const fs::path& err) {
  const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) _exit(3);
  const int nullFd = open("/dev/null", O_RDONLY);
  if (nullFd >= 0) dup2(nullFd, 0);
  if (chdir(folder.c_str()) != 0) {
    std::cerr << "cannot enter " << folder << "\n";
    _exit(3);
  }
  std::istringstream script(check);
  const int status = RunScript(script, std::cout, std::cerr);
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

}  // namespace

std::vector<GradeResult> GradeAll(const GradeOptions& o, const std::string& check,
                                  const std::function<void(size_t)>& progress) {
  std::vector<GradeResult> results(o.submissions.size());
  char pattern[] = "/tmp/orrin-grade.XXXXXX";
  const char* made = mkdtemp(pattern);
  const fs::path scratch = made ? made : fs::temp_directory_path();
  auto outFile = [&](size_t i) { return scratch / ("out." + std::to_string(i)); };
  auto errFile = [&](size_t i) { return scratch / ("err." + std::to_string(i)); };
  const auto limit =
      std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(o.timeout));

  std::vector<Running> running;
  size_t next = 0, done = 0;
  while (done < results.size()) {
    while (running.size() < static_cast<size_t>(o.jobs) && next < results.size()) {
      std::cout.flush();
      std::cerr.flush();
      const pid_t pid = fork();
      if (pid == 0) RunChild(o.submissions[next], check, outFile(next), errFile(next));
      if (pid < 0) {
        results[next] = {o.submissions[next], "error", 0, 0, "could not start a process", {}};
        ++next;
        ++done;
        continue;
      }
      running.push_back({next++, pid, std::chrono::steady_clock::now() + limit});
    }
    bool reaped = false;
    for (size_t k = 0; k < running.size();) {
      Running& r = running[k];
      int status = 0;
      const pid_t got = waitpid(r.pid, &status, WNOHANG);
      if (got == r.pid) {
        GradeResult g = Classify(status, r.killed, ReadAll(outFile(r.index)), ReadAll(errFile(r.index)));
        g.submission = o.submissions[r.index];
        results[r.index] = std::move(g);
        running.erase(running.begin() + static_cast<long>(k));
        ++done;
        reaped = true;
        if (progress) progress(done);
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
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return results;
}

std::vector<ExpectLine> ExpectLines(const std::string& check) {
  std::vector<ExpectLine> lines;
  long number = 0;
  for (const std::string& line : Lines(check)) {
    ++number;
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (first == "expect") {
      std::string text = line;
      while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
      lines.push_back({number, text.substr(text.find("expect"))});
    }
  }
  return lines;
}

namespace {

std::string CsvField(const std::string& v) {
  if (v.find_first_of(",\"\r\n") == std::string::npos) return v;
  std::string q = "\"";
  for (char c : v) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

std::string Xml(const std::string& v) {
  std::string x;
  for (char c : v) {
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
      default:
        // Control characters other than tab and line ends are not allowed in XML 1.0.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
          x += '?';
        else
          x += c;
    }
  }
  return x;
}

// "class/anna/" and "class/anna" are both anna.
std::string FolderName(const std::string& path) {
  fs::path p = fs::path(path).lexically_normal();
  if (p.filename().empty()) p = p.parent_path();
  return p.filename().string();
}

}  // namespace

std::string CsvReport(const std::vector<GradeResult>& results) {
  std::string csv = "submission,status,passed,failed,message\n";
  for (const GradeResult& r : results)
    csv += CsvField(r.submission) + "," + r.status + "," + std::to_string(r.passed) + "," + std::to_string(r.failed) +
           "," + CsvField(r.message) + "\n";
  return csv;
}

std::string JUnitReport(const std::vector<GradeResult>& results, const std::vector<ExpectLine>& expects) {
  std::string body;
  long tests = 0, failures = 0, errors = 0;
  for (const GradeResult& r : results) {
    const std::string suite = Xml(FolderName(r.submission));
    std::string cases;
    long suiteFailures = 0, suiteErrors = 0, suiteTests = 0;
    const bool broken = r.status == "error" || r.status == "timeout";
    auto addCase = [&](const std::string& name, const std::string& inner) {
      ++suiteTests;
      cases += "    <testcase classname=\"" + suite + "\" name=\"" + Xml(name) + "\"";
      cases += inner.empty() ? "/>\n" : ">\n" + inner + "    </testcase>\n";
    };
    for (const ExpectLine& e : expects) {
      const std::string prefix = "line " + std::to_string(e.number) + ": ";
      std::string inner;
      if (broken) {
        inner = "      <error message=\"" + Xml(r.status + ": " + r.message) + "\"/>\n";
        ++suiteErrors;
      } else {
        std::string text;
        for (const std::string& f : r.failures)
          if (f.rfind(prefix, 0) == 0) text += f + "\n";
        if (!text.empty()) {
          inner =
              "      <failure message=\"" + Xml(text.substr(0, text.find('\n'))) + "\">" + Xml(text) + "</failure>\n";
          ++suiteFailures;
        }
      }
      addCase(prefix + e.text, inner);
    }
    // A failure that no expect line carries: a missing or unreadable file,
    // or a check without expectations that could not run.
    const bool lineCarries = broken ? !expects.empty() : !r.failures.empty();
    if (r.status != "passed" && !lineCarries) {
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
