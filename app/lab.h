#pragma once
// Guided labs: a teacher's plain-text file with a title and a goal, set-up
// lines in the console language, and numbered steps, each an instruction, a
// check in the form of `expect` and an optional hint, all in Chinese and
// English. The window shows the steps and ticks each as its check comes to
// hold; orrin-run and orrin-grade follow a script through them.
//
//   title: 运算器实验                    title.en: The ALU experiment
//   goal: …                              goal.en: …
//   setup: mode independent              (any number, run before the student starts;
//   setup: load-wires alu.txt             file names relative to the lab's folder)
//   step 1: 接通电源。                    (steps numbered 1, 2, 3 … in order)
//   step.en: Switch the power on.
//   check: Image_PowerON=...             (NAME=TEXT pairs as for expect; all must hold)
//   hint: …                              hint.en: …   (optional)
//   choice: …                            choice.en: … (an answer step's options, 1, 2 …;
//                                                      its check is choice=N)
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/runner.h"

namespace orrin {

struct LabText {
  std::string zh, en;
};

struct LabStep {
  int line = 0;  // of its `step N:` line
  LabText instruction, hint;
  std::vector<Expectation> checks;
  std::vector<LabText> choices;
};

struct Lab {
  std::string path, folder;  // the file, and the folder its set-up's file names are in
  LabText title, goal;
  std::vector<std::pair<int, std::string>> setup;  // line number, console line
  std::vector<LabStep> steps;
};

// A lab file is a page of text; a longer file is not read.
inline constexpr std::size_t kLongestLab = 256 * 1024;

// Reads a lab from its text; false with every error, "PATH:LINE: message".
bool ReadLab(std::string_view text, const std::string& path, Lab& lab, std::vector<std::string>& errors);
// Reads the file at `path` (through the host, as every file); false with the
// errors, "PATH: cannot read" when it cannot be read.
bool LoadLab(Host& host, const std::string& path, Lab& lab, std::vector<std::string>& errors);

// Runs the lab's set-up lines on the context's board, file names taken
// relative to the lab's folder; false with "PATH:LINE: message" on the
// first bad line.
bool RunLabSetup(RunnerContext& ctx, const Lab& lab, std::string& error);

// Whether every check of a step holds on the board now; `choice` is the
// student's answer so far ("" for none).
bool StepHolds(const LabStep& step, const Simulator& sim, const std::string& choice);

// Where a student is in a lab: the steps done, in order.
class LabProgress {
 public:
  explicit LabProgress(const Lab& lab) : lab_(&lab) {}
  // After an action: the step to do now and those after it whose checks
  // hold, in order, are done; returns them (indexes into the lab's steps).
  std::vector<size_t> Check(const Simulator& sim, const std::string& choice);
  size_t DoneCount() const { return done_; }
  bool Finished() const { return done_ == lab_->steps.size(); }

 private:
  const Lab* lab_;
  size_t done_ = 0;
};

}  // namespace orrin
