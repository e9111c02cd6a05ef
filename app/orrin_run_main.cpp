// orrin-run [SCRIPT]: performs a console script (a file, or standard input).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "app/runner.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: orrin-run [SCRIPT]\n";
    return 2;
  }
  if (argc == 2) {
    // A directory opens as a stream on Linux and reads as empty; refuse it.
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(argv[1], ec)) file.open(argv[1], std::ios::binary);
    if (!file.is_open() || !file) {
      std::cerr << "line 0: cannot read script " << argv[1] << "\n";
      return 2;
    }
    return orrin::RunScript(file, std::cout, std::cerr);
  }
  return orrin::RunScript(std::cin, std::cout, std::cerr);
}
