#pragma once
// What every fuzz target shares: a host that opens one scratch file and says
// Yes to every question, and a way to stop on a broken invariant.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/host.h"
#include "fuzz/invariants.h"

namespace orrin {

class FuzzHost : public Host {
 public:
  std::string file;  // what every file dialog returns
  void Warn(const std::string&) override {}
  Answer Ask(const std::string&) override { return Answer::Yes; }
  std::string OpenFileName() override { return file; }
  std::string SaveFileName() override { return file; }
  std::optional<uint32_t> ChooseColor() override { return std::nullopt; }
};

inline std::string ScratchPath(const char* what) {
  return "/tmp/orrin-fuzz-" + std::to_string(getpid()) + "-" + what + ".txt";
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
}

inline void Require(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "broken invariant: %s\n", what.c_str());
  std::abort();
}

inline void RequireInvariants(const Simulator& sim) {
  const std::string broken = CheckInvariants(sim);
  Require(broken.empty(), broken);
}

}  // namespace orrin
