// orrin-run [--lang en|zh] [SCRIPT]: performs a console script (a file, or
// standard input); messages and printed texts in English with --lang en.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <system_error>

#include "app/runner.h"

int main(int argc, char** argv) {
  auto usage = [] {
    std::cerr << "usage: orrin-run [--lang en|zh] [SCRIPT]\n";
    return 2;
  };
  orrin::RunOptions options;
  if (argc >= 2 && std::string_view(argv[1]) == "--lang") {
    const std::string_view lang = argc >= 3 ? argv[2] : "";
    if (lang != "en" && lang != "zh") return usage();
    if (lang == "en") options.english = &orrin::EnglishCatalog();
    argv += 2;
    argc -= 2;
  }
  if (argc > 2) return usage();
  if (argc == 2) {
    // A directory opens as a stream on Linux and reads as empty; refuse it.
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(argv[1], ec)) file.open(argv[1], std::ios::binary);
    if (!file.is_open() || !file) {
      std::cerr << "line 0: cannot read script " << argv[1] << "\n";
      return 2;
    }
    return orrin::RunScript(file, std::cout, std::cerr, options);
  }
  return orrin::RunScript(std::cin, std::cout, std::cerr, options);
}
