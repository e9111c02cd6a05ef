#include <fstream>
#include <iostream>

#include "app/runner.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: orrin-run [SCRIPT]\n";
    return 2;
  }
  if (argc == 2) {
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
      std::cerr << "line 0: cannot read script " << argv[1] << "\n";
      return 2;
    }
    return orrin::RunScript(file, std::cout, std::cerr);
  }
  return orrin::RunScript(std::cin, std::cout, std::cerr);
}
