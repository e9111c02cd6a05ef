#pragma once
// A host that answers from a queue and records every box it was asked to show.
#include <deque>
#include <string>
#include <vector>

#include "base/host.h"
#include "simulator/access.h"
#include "simulator/simulator.h"

namespace orrin {

class RecordingHost : public Host {
 public:
  std::vector<std::string> warnings;
  std::vector<std::string> questions;
  std::deque<Answer> answers;
  std::deque<std::string> openNames, saveNames;
  std::optional<uint32_t> color;
  uint32_t shownColor = 0;  // the colour the colour dialog opened on

  void Warn(const std::string& text) override { warnings.push_back(text); }
  Answer Ask(const std::string& text) override {
    questions.push_back(text);
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string OpenFileName() override { return Pop(openNames); }
  std::string SaveFileName() override { return Pop(saveNames); }
  std::optional<uint32_t> ChooseColor(uint32_t current) override {
    shownColor = current;
    return color;
  }

 private:
  static std::string Pop(std::deque<std::string>& q) {
    if (q.empty()) return {};
    std::string s = q.front();
    q.pop_front();
    return s;
  }
};

// Joins output `from` to input `to` as the wire editor leaves it: a wire
// with a point at the centre of each jack.
inline int Join(Simulator& sim, int from, int to, uint32_t color = 0xF0CAA6) {
  const int k = Access(sim).wires.Add(from, to, color);
  for (int n : {from, to})
    Access(sim).wires.AppendPoint(k, Access(sim).wires.JackAt(n).X, Access(sim).wires.JackAt(n).Y);
  return k;
}

// A started simulator with its recording host.
struct Board {
  RecordingHost host;
  Simulator sim{host};
  Board() { sim.Startup(); }
};

}  // namespace orrin
