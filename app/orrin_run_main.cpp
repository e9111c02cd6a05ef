// orrin-run [--lang en|zh] [--lab LAB] [SCRIPT]: performs a console script (a
// file, or standard input); messages and printed texts in English with
// --lang en; with --lab, the lab's set-up first, then the script followed
// through the lab's steps (exit 0 when every step was done, 1 when not).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <system_error>

#include "app/compare.h"
#include "app/lab.h"
#include "app/runner.h"
#include "base/command_line.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: orrin-run [--lang en|zh] [--lab LAB] [--] [SCRIPT]\n"
    "  or:  orrin-run --compare-controller DESIGN SCRIPT\n"
    "Performs a console script on the simulated board, line by line, as the window's\n"
    "user would, and prints what the board shows: the boxes it raises, print, dump\n"
    "and expect. The script is SCRIPT, or standard input without one.\n"
    "\n"
    "Options:\n"
    "  --lang en|zh  messages and printed texts in English, or as the board shows\n"
    "                them (Chinese, the default)\n"
    "  --lab LAB     run the lab's set-up, then follow the script (a session the\n"
    "                window saved) through the lab's steps; the script's files stay\n"
    "                in its folder\n"
    "  --compare-controller DESIGN\n"
    "                perform SCRIPT on two boards, the second with the hard-wired\n"
    "                controller DESIGN (.json, or .v through Yosys) and every\n"
    "                `mode microprogram` taken as `mode hardwired`; after every\n"
    "                small beat compare the signals, registers, flags and bus (the\n"
    "                memory after every line) and print the first difference\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  the script ran to its end (with --lab: every step was done)\n"
    "  1  an expectation failed (with --lab: a step was not done; with\n"
    "     --compare-controller: the design and the microprogram differ)\n"
    "  2  a bad line, a script or lab that cannot be read, or bad options\n"
    "\n"
    "The commands of a script are described in the README, \"How to use orrin-run\".\n";

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = orrin::AnswerHelpOrVersion(argc, argv, "orrin-run", kHelp)) return *status;
  if (argc >= 2 && std::string_view(argv[1]) == "--compare-controller") {
    if (argc != 4) {
      std::cerr << "usage: orrin-run --compare-controller DESIGN SCRIPT\n";
      return 2;
    }
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(argv[3], ec)) file.open(argv[3], std::ios::binary);
    if (!file.is_open() || !file) {
      std::cerr << "line 0: cannot read script " << orrin::files::PrintableText(argv[3]) << "\n";
      return 2;
    }
    return orrin::CompareController(argv[2], file, std::cout, std::cerr);
  }
  auto usage = [] {
    std::cerr << "usage: orrin-run [--lang en|zh] [--lab LAB] [SCRIPT]\n";
    return 2;
  };
  orrin::RunOptions options;
  orrin::Lab lab;
  std::string labPath;
  for (bool more = true; more && argc >= 2;) {
    const std::string_view option = argv[1];
    if (option == "--lang") {
      const std::string_view lang = argc >= 3 ? argv[2] : "";
      if (lang != "en" && lang != "zh") return usage();
      if (lang == "en") options.english = &orrin::EnglishCatalog();
    } else if (option == "--lab") {
      if (argc < 3 || !labPath.empty()) return usage();
      labPath = argv[2];
    } else if (option == "--") {  // a script whose name starts with "-"
      ++argv;
      --argc;
      break;
    } else {
      more = false;
      continue;
    }
    argv += 2;
    argc -= 2;
  }
  if (argc > 2) return usage();
  if (!labPath.empty()) {
    orrin::SilentHost files;  // reads the file system, shows nothing
    std::vector<std::string> errors;
    if (!orrin::LoadLab(files, labPath, lab, errors)) {
      for (const std::string& e : errors) std::cerr << orrin::files::PrintableText(e) << "\n";
      return 2;
    }
    options.lab = &lab;
  }
  if (argc == 2) {
    // A directory opens as a stream on Linux and reads as empty; refuse it.
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(argv[1], ec)) file.open(argv[1], std::ios::binary);
    if (!file.is_open() || !file) {
      std::cerr << "line 0: cannot read script " << orrin::files::PrintableText(argv[1]) << "\n";
      return 2;
    }
    // A script followed through a lab is a student's: its files stay in its folder.
    if (options.lab) options.confineTo = std::filesystem::path(argv[1]).parent_path().string();
    if (options.lab && options.confineTo.empty()) options.confineTo = ".";
    return orrin::RunScript(file, std::cout, std::cerr, options);
  }
  if (options.lab) options.confineTo = ".";
  return orrin::RunScript(std::cin, std::cout, std::cerr, options);
}
