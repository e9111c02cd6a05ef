#pragma once
// What every fuzz target shares: a host that opens one scratch file and says
// Yes to every question, and a way to stop on a broken invariant.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/host.h"
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

inline std::string ScratchPath(const std::string& what) {
  return "/tmp/orrin-fuzz-" + std::to_string(getpid()) + "-" + what + ".txt";
}

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
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

// A board that reads each input from a scratch file, and an echo board that
// reads back whatever the first one saves.
struct EchoBoards {
  FuzzHost host, echoHost;
  Simulator sim{host}, echo{echoHost};
  const std::string inPath;

  EchoBoards(const std::string& what, bool powered) : inPath(ScratchPath(what + "-in")) {
    host.file = inPath;
    echoHost.file = ScratchPath(what + "-out");
    for (Simulator* b : {&sim, &echo}) {
      b->Startup();
      if (powered) b->SpeedButtonPOWERClick();
    }
  }
  // Runs a save command of the first board with its dialog on the echo's file.
  template <typename Save>
  void SaveForEcho(Save save) {
    host.file = echoHost.file;
    save(sim);
    host.file = inPath;
  }
};

}  // namespace orrin
