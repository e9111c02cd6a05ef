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
//   forbid: edit R1 uAR                  (shortcuts the lab does not allow: typing into
//   forbid: mem-cell                      register fields, all or some, or into the tables;
//                                         before the first step for the whole lab, else
//                                         while that step is the one to do)
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/runner.h"

namespace orrin {

struct LabText {
  std::string zh, en;
};

// A shortcut a lab forbids: "edit" (every register field), "edit R1" (one),
// "mem-cell" or "micro-cell" (typing into the memory or control-store table).
using Shortcuts = std::vector<std::string>;

struct LabStep {
  int line = 0;  // of its `step N:` line
  LabText instruction, hint;
  std::vector<Expectation> checks;
  std::vector<LabText> choices;
  Shortcuts forbid;    // while this step is the one to do
  int64_t points = 1;  // what the step is worth in a grade (`points: N`)
};

struct Lab {
  std::string path, folder;  // the file, and the folder its set-up's file names are in
  LabText title, goal;
  std::vector<std::pair<int, std::string>> setup;  // line number, console line
  std::vector<LabStep> steps;
  Shortcuts forbid;  // for the whole lab
};

// A lab file is a page of text; a longer file is not read.
inline constexpr std::size_t kLongestLab = 256 * 1024;

// Reads a lab from its text; false with every error, "PATH:LINE: message".
// The labs shipped with the board, in the course's order.
inline constexpr const char* kCourseLabs[] = {"alu.lab",        "memory.lab",     "datapath.lab",  "fetch.lab",
                                              "program.lab",    "microcode.lab",  "hardwired.lab", "interrupt.lab",
                                              "stuck_jack.lab", "broken_wire.lab"};

bool ReadLab(std::string_view text, const std::string& path, Lab& lab, std::vector<std::string>& errors);
// Reads the file at `path` (through the host, as every file); false with the
// errors, "PATH: cannot read" when it cannot be read.
bool LoadLab(Host& host, const std::string& path, Lab& lab, std::vector<std::string>& errors);

// Runs the lab's set-up lines on the context's board, file names taken
// relative to the lab's folder; false with "PATH:LINE: message" lines (one
// per file the set-up could not use, or the first bad line).
bool RunLabSetup(RunnerContext& ctx, const Lab& lab, std::string& error);
// A lab opened in the window or the page: a fresh board (as orrin-run starts
// with), the set-up run with its questions and dialogs answered by its lines
// (the boxes it raises go to the context's host), and the student's session
// recorded from there. False with the set-up's errors; the board is a fresh
// one then too.
bool BeginLab(RunnerContext& ctx, const Lab& lab, std::string& error);

// Whether every check of a step holds on the board now; `choice` is the
// student's answer so far ("" for none).
bool StepHolds(const LabStep& step, const Simulator& sim, const std::string& choice);
// Why the step does not hold: its first failing check, "R1 expected 4A, got 00".
std::string FirstFailingCheck(const LabStep& step, const Simulator& sim, const std::string& choice);

// A forbidden shortcut the student took: `edit R1` at line 12.
struct LabShortcut {
  std::string action;
  int64_t line = 0;
};

// Where a student is in a lab: the steps done, in order, the shortcuts taken
// and the wrong answers given.
class LabProgress {
 public:
  explicit LabProgress(const Lab& lab) : lab_(&lab), wrong_(lab.steps.size(), 0) {}

  // What an action of the student means to the lab.
  enum class Verdict { Fine, Forbidden, WrongAnswer };
  // An action of the student, as its console line (line `number` of the
  // session), told before the board is looked at. A forbidden shortcut
  // (acting: with the power on where the power decides) spoils every step
  // after it; a `choose` that is not the current question's answer counts as
  // a wrong try of that step.
  Verdict Saw(const std::string& line, bool powerOn, int64_t number);
  // After an action: the step to do now and those after it whose checks
  // hold, in order, are done; returns them (indexes into the lab's steps).
  // After a forbidden shortcut no step is done: the first that holds is
  // remembered as reached after it.
  // `elapsedMs`: the front end's clock since the lab began, kept as the
  // time each step was done.
  std::vector<size_t> Check(const Simulator& sim, const std::string& choice, int64_t elapsedMs = 0);
  size_t DoneCount() const { return done_; }
  bool Finished() const { return done_ == lab_->steps.size(); }
  // The first forbidden shortcut taken, and the step whose checks held after it.
  const std::optional<LabShortcut>& Shortcut() const { return shortcut_; }
  const std::optional<LabShortcut>& LastForbidden() const { return last_; }
  std::optional<size_t> ReachedAfterShortcut() const { return reachedAfter_; }
  // Wrong answers per step, and in all.
  const std::vector<int64_t>& WrongAnswers() const { return wrong_; }
  int64_t WrongAnswerCount() const;
  // The current step's hint was shown; whether step `i`'s was, and in all.
  void UseHint();
  bool HintUsed(size_t step) const { return hints_[step]; }
  int64_t HintCount() const;
  // When each step done so far was done (ms since the lab began).
  const std::vector<int64_t>& DoneAt() const { return doneAt_; }
  // The time the lab has taken: up to its last step once finished.
  int64_t Elapsed(int64_t nowMs) const { return Finished() && !doneAt_.empty() ? doneAt_.back() : nowMs; }
  // What the window's and the page's panels show when the lab is done (and
  // a saved session keeps as comments): the lab, each step's time, hints and
  // wrong tries, the totals and a shortcut taken; in Chinese, or in English
  // through `english`.
  std::vector<std::string> Summary(int64_t nowMs, const Catalog* english) const;
  // The same for a grader to read, as two lines a saved session keeps as
  // comments: "lab-done-ms: 12000 30500 -" (when each step was done, - when
  // not) and "lab-hints: 0 1 0" (whether its hint was shown).
  std::vector<std::string> Record() const;

 private:
  bool Forbids(const Shortcuts& forbid, const std::string& action) const;
  const Lab* lab_;
  size_t done_ = 0;
  std::optional<LabShortcut> shortcut_, last_;
  std::optional<size_t> reachedAfter_;
  std::vector<int64_t> wrong_;
  std::vector<bool> hints_ = std::vector<bool>(lab_->steps.size(), false);
  std::vector<int64_t> doneAt_;
};

// A lab's clock, "mm:ss".
std::string LabClock(int64_t ms);

// What a session's Record lines say, for a lab of `steps` steps; nothing
// when the session has none (an older one, the page's) or they do not fit.
struct LabRecord {
  std::vector<int64_t> doneMs;  // -1: not done
  std::vector<bool> hints;
};
std::optional<LabRecord> ReadLabRecord(std::string_view session, size_t steps);
// A text of the catalogue in Chinese or, through `english`, in English, with
// its %1, %2 … replaced by `args`.
std::string CatalogueText(const Catalog* english, std::string_view text, const std::vector<std::string>& args = {});

// A recorded session to be saved in `folder`: the files its lines name
// inside that folder are named relative to it ("load-memory prog.txt"), so
// the session replays from a copy of the folder (as a grader makes one);
// other names stay as the dialogs returned them.
std::string NamesRelativeTo(const std::string& session, const std::string& folder);

// The field names a lab may forbid with `forbid: edit NAME`.
bool IsEditField(const std::string& name);

}  // namespace orrin
