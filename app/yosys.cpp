#include "app/yosys.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "base/text_files.h"

extern char** environ;

namespace orrin {

namespace {

namespace fs = std::filesystem;

// The design's file in the scratch folder: a fixed name, so no name of the
// student's reaches Yosys's command line; the messages say theirs again.
constexpr const char* kDesign = "design.sv";
constexpr std::size_t kLongestNetlist = 64u << 20;
constexpr int kLongestRunSeconds = 120;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Whether the source declares a module named controller, which is the one
// the board runs when a file has several.
bool NamesController(const std::string& verilog) {
  auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; };
  for (size_t at = verilog.find("module"); at != std::string::npos; at = verilog.find("module", at + 1)) {
    size_t i = at + 6;
    if ((at > 0 && word(verilog[at - 1])) || i >= verilog.size() ||
        !std::isspace(static_cast<unsigned char>(verilog[i])))
      continue;
    while (i < verilog.size() && std::isspace(static_cast<unsigned char>(verilog[i]))) ++i;
    if (verilog.compare(i, 10, "controller") == 0 && (i + 10 == verilog.size() || !word(verilog[i + 10]))) return true;
  }
  return false;
}

}  // namespace

bool SynthesiseWithYosys(const std::string& verilog, const std::string& name, std::string& json,
                         std::string& messages) {
  // A design is one file: with an include or a memory file Yosys would read
  // whatever the user can read (a relative one is not found in the scratch
  // folder anyway), and a grader's copy of a submission would not hold it in.
  for (const char* directive : {"`include", "$readmem"})
    if (verilog.find(directive) != std::string::npos) {
      messages = std::string("Verilog 设计只能是一个文件，不能用 ") + directive + "：" + name;
      return false;
    }
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "orrin-yosys.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    messages = "无法为 Yosys 建立临时文件夹。";
    return false;
  }
  const fs::path dir = pattern;
  struct Cleanup {
    fs::path dir;
    ~Cleanup() {
      std::error_code e;
      fs::remove_all(dir, e);
    }
  } cleanup{dir};
  if (!files::WriteWholeFile((dir / kDesign).string(), verilog)) {
    messages = "无法为 Yosys 写入设计文件。";
    return false;
  }
  const std::string log = (dir / "yosys.log").string();
  // -nordff keeps a case table a plain lookup: merged into a read port it
  // would become flip-flops that CLR sets to 0, not to the table's first
  // entry. dfflegalize turns the enables and synchronous resets synth finds
  // into gates before a plain flip-flop, the only one the board clocks.
  const std::string script = std::string("read_verilog -sv ") + kDesign + "; synth -flatten " +
                             (NamesController(verilog) ? "-top controller" : "-auto-top") +
                             " -nordff; dfflegalize -cell $_DFF_P_ 01; opt_clean; write_json netlist.json";
  std::vector<std::string> args = {"yosys", "-q", "-l", log, "-p", script};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (dir / "stderr.txt").c_str(), O_WRONLY | O_CREAT, 0600);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "yosys", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    messages =
        "没有找到 Yosys，不能综合 Verilog：请安装 Debian 软件包 yosys，或读入设计的网表 .json（Yosys 的 write_json）。";
    return false;
  }
  // A design Yosys never finishes with is stopped, as a grader stops a run.
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kLongestRunSeconds);
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      messages = "Yosys 运行超过 " + std::to_string(kLongestRunSeconds) + " 秒，已停止：" + name;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::string said, err;
    files::ReadWholeFile(log, 1 << 20, said);
    files::ReadWholeFile((dir / "stderr.txt").string(), 1 << 20, err);
    // Yosys's errors with their lines (each once: the log and stderr both
    // carry them), under the student's file name; the first leads, so that
    // a grade's one-line message says what is wrong.
    std::istringstream lines(said + err);
    std::string line;
    std::vector<std::string> kept;
    const std::string located = std::string(kDesign) + ":";
    while (std::getline(lines, line) && kept.size() < 40)
      if (line.find("ERROR") != std::string::npos || line.find("rror:") != std::string::npos ||
          line.find(located) != std::string::npos) {
        line = Replaced(line, kDesign, name);
        if (std::find(kept.begin(), kept.end(), line) == kept.end()) kept.push_back(line);
      }
    if (kept.empty()) {
      messages = "Yosys 综合失败：" + name + "\n" + Replaced(err, kDesign, name);
      return false;
    }
    const std::string& first = kept.front();
    messages = "Yosys 综合失败：" + (first.find(name) == std::string::npos ? name + ": " + first : first);
    for (size_t i = 1; i < kept.size(); ++i) messages += "\n" + kept[i];
    return false;
  }
  if (files::ReadWholeFile((dir / "netlist.json").string(), kLongestNetlist, json) != files::ReadResult::Ok) {
    messages = "Yosys 没有写出网表：" + name;
    return false;
  }
  return true;
}

}  // namespace orrin
