#pragma once
// A whole file as bytes, for comparing what the program wrote; empty when
// the file is not there.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orrin {

inline std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace orrin
