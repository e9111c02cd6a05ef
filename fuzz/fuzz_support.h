#pragma once
// What every fuzz target shares: a host that keeps its files in memory (no
// target touches the file system) and says Yes to every question, and a way
// to stop on a broken invariant.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "base/host.h"
#include "fuzz/invariants.h"

namespace orrin {

class FuzzHost : public Host {
 public:
  std::string file = "in";                   // what every file dialog returns
  std::map<std::string, std::string> files;  // the files by name
  void Warn(const std::string&) override {}
  Answer Ask(const std::string&) override { return Answer::Yes; }
  std::string OpenFileName() override { return file; }
  std::string SaveFileName() override { return file; }
  std::optional<uint32_t> ChooseColor(uint32_t) override { return std::nullopt; }
  files::ReadResult ReadFile(const std::string& name, std::size_t limit, std::string& out) override {
    out.clear();
    const auto it = files.find(name);
    if (it == files.end()) return files::ReadResult::CannotRead;
    if (it->second.size() > limit) return files::ReadResult::TooLarge;
    out = it->second;
    return files::ReadResult::Ok;
  }
  bool WriteFile(const std::string& name, std::string_view data) override {
    files[name] = std::string(data);
    return true;
  }
};

inline void Require(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "broken invariant: %s\n", what.c_str());
  std::abort();
}

inline void RequireInvariants(const Simulator& sim) {
  const std::string broken = CheckInvariants(sim);
  Require(broken.empty(), broken);
}

// A board that reads each input as the file "in", and an echo board that
// reads back whatever the first one saves.
struct EchoBoards {
  FuzzHost host, echoHost;
  Simulator sim{host}, echo{echoHost};

  explicit EchoBoards(bool powered) {
    for (Simulator* b : {&sim, &echo}) {
      b->Startup();
      if (powered) b->SpeedButtonPOWERClick();
    }
  }
  void Input(const uint8_t* data, size_t size) { host.files["in"].assign(reinterpret_cast<const char*>(data), size); }
  // Runs a save command of the first board; the echo's "in" is what it wrote.
  template <typename Save>
  void SaveForEcho(Save save) {
    host.file = "out";
    save(sim);
    host.file = "in";
    echoHost.files["in"] = host.files["out"];
  }
};

}  // namespace orrin
