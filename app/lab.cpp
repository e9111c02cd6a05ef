#include "app/lab.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "base/line_ends.h"

namespace orrin {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// "KEY: TEXT" (a full-width colon too, as a Chinese keyboard types it);
// false for a line without one.
bool SplitKey(std::string_view line, std::string& key, std::string& text) {
  const size_t colon = line.find(':');
  const size_t wide = line.find("\xEF\xBC\x9A");  // '：'
  const size_t at = std::min(colon, wide);
  if (at == std::string_view::npos) return false;
  key = Trim(line.substr(0, at));
  text = Trim(line.substr(at + (at == wide ? 3 : 1)));
  return true;
}

void Append(std::string& to, const std::string& text) { to += (to.empty() ? "" : "\n") + text; }

// Reads the lines; what can only be judged at the end is left to Finish.
class LabReader {
 public:
  LabReader(const std::string& path, Lab& lab, std::vector<std::string>& errors)
      : path_(path), lab_(lab), errors_(errors) {}

  void Line(std::string_view raw, int number) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') return;
    std::string key, text;
    if (!SplitKey(line, key, text)) return Error(number, "a line is KEY: TEXT");
    if (key == "title") return Append(lab_.title.zh, text);
    if (key == "title.en") return Append(lab_.title.en, text);
    if (key == "goal") return Append(lab_.goal.zh, text);
    if (key == "goal.en") return Append(lab_.goal.en, text);
    if (key == "setup") return Setup(text, number);
    if (key.starts_with("step ")) return Step(key.substr(5), text, number);
    LabStep* step = lab_.steps.empty() ? nullptr : &lab_.steps.back();
    if (key == "forbid") return Forbid(step ? step->forbid : lab_.forbid, text, number);
    const bool known = key == "step.en" || key == "check" || key == "hint" || key == "hint.en" || key == "choice" ||
                       key == "choice.en" || key == "points";
    if (!known)
      return Error(number, "unknown key '" + key +
                               "' (title, goal, setup, forbid, step N, check, points, hint, choice, each but setup, "
                               "forbid, step N, check and points also as KEY.en)");
    if (step == nullptr) return Error(number, "'" + key + "' before the first step");
    if (key == "step.en") return Append(step->instruction.en, text);
    if (key == "hint") return Append(step->hint.zh, text);
    if (key == "hint.en") return Append(step->hint.en, text);
    if (key == "choice") return Choice(*step, text, false);
    if (key == "choice.en") return Choice(*step, text, true);
    if (key == "points") {
      if (!ParseNumber(text, 1, 1000, step->points)) Error(number, "'points' needs a number of points 1-1000");
      return;
    }
    Check(*step, text, number);
  }

  void Finish() {
    if (lab_.title.zh.empty() || lab_.title.en.empty()) Error(1, "the lab needs a title and a title.en");
    if (lab_.goal.zh.empty() || lab_.goal.en.empty()) Error(1, "the lab needs a goal and a goal.en");
    if (lab_.steps.empty()) Error(1, "the lab has no steps");
    for (size_t i = 0; i < lab_.steps.size(); ++i) {
      const LabStep& s = lab_.steps[i];
      const std::string name = "step " + std::to_string(i + 1);
      if (s.instruction.en.empty()) Error(s.line, name + " has no step.en");
      if (s.checks.empty()) Error(s.line, name + " has no check");
      if (s.hint.zh.empty() != s.hint.en.empty()) Error(s.line, name + " has a hint in one language only");
      if (std::any_of(s.choices.begin(), s.choices.end(),
                      [](const LabText& c) { return c.zh.empty() || c.en.empty(); }))
        Error(s.line, name + " has not as many choice.en as choice lines");
      for (const Expectation& c : s.checks) {
        if (c.name != "choice") continue;
        const int n = std::atoi(c.text.c_str());
        if (n < 1 || n > static_cast<int>(s.choices.size()) || std::to_string(n) != c.text)
          Error(s.line,
                name + " checks choice=" + c.text + " but offers " + std::to_string(s.choices.size()) + " choices");
      }
    }
  }

 private:
  void Error(int number, const std::string& message) {
    errors_.push_back(path_ + ":" + std::to_string(number) + ": " + message);
  }

  // The set-up is the teacher's, but runs on every student's machine: it
  // may load files, never write one.
  void Setup(const std::string& text, int number) {
    if (text.empty()) return Error(number, "'setup' needs a console line");
    std::istringstream words(text);
    std::string command;
    words >> command;
    if (IsWriteCommand(command)) return Error(number, "a set-up only loads files; '" + command + "' would write one");
    lab_.setup.emplace_back(number, text);
  }

  // forbid: edit [FIELD ...] | mem-cell | micro-cell
  void Forbid(Shortcuts& to, const std::string& text, int number) {
    std::istringstream in(text);
    std::vector<std::string> w;
    for (std::string word; in >> word;) w.push_back(word);
    const bool cell = !w.empty() && (w[0] == Word(Cmd::MemCell) || w[0] == Word(Cmd::MicroCell));
    if (w.empty() || (w[0] != Word(Cmd::Edit) && !cell) || (cell && w.size() > 1))
      return Error(number, "'forbid' takes edit [FIELD ...], mem-cell or micro-cell");
    if (w.size() == 1) {
      to.push_back(w[0]);
      return;
    }
    for (size_t i = 1; i < w.size(); ++i) {
      if (!IsEditField(w[i]))
        return Error(number,
                     "'forbid: edit' takes fields of R0 R1 R2 R3 AR PC IR IAR C Z EN_INT uAR, not '" + w[i] + "'");
      to.push_back("edit " + w[i]);
    }
  }

  void Step(const std::string& numberText, const std::string& text, int number) {
    const int n = std::atoi(numberText.c_str());
    if (std::to_string(n) != numberText || n != static_cast<int>(lab_.steps.size()) + 1)
      return Error(number, "'step " + numberText + "' where step " + std::to_string(lab_.steps.size() + 1) +
                               " comes (steps are numbered 1, 2, 3 …)");
    if (text.empty()) return Error(number, "step " + numberText + " needs its instruction");
    LabStep s;
    s.line = number;
    s.instruction.zh = text;
    lab_.steps.push_back(std::move(s));
  }

  // The n-th choice line of one language pairs with the n-th of the other.
  static void Choice(LabStep& step, const std::string& text, bool english) {
    size_t filled = 0;
    while (filled < step.choices.size() && !(english ? step.choices[filled].en : step.choices[filled].zh).empty())
      ++filled;
    if (filled == step.choices.size()) step.choices.emplace_back();
    (english ? step.choices[filled].en : step.choices[filled].zh) = text;
  }

  void Check(LabStep& step, const std::string& text, int number) {
    std::vector<Expectation> pairs;
    std::string error;
    if (!ParseExpectations(text, "check", pairs, error)) return Error(number, error);
    for (const Expectation& e : pairs) {
      if (e.name == "choice") {
        if (e.op != Expectation::Op::Eq || e.at != Expectation::At::Now)
          return Error(number, "a step's answer is checked as choice=N");
        continue;
      }
      if (!KnowsName(e)) return Error(number, "unknown name '" + e.name + "' in check");
      if (const std::string problem = CheckProblem(e); !problem.empty()) return Error(number, problem);
      // A check that can never hold would leave every student stuck on it.
      if (const std::string problem = NeverHoldsProblem(e); !problem.empty())
        Error(number, "check " + e.Written() + " can never hold: " + problem);
    }
    step.checks.insert(step.checks.end(), pairs.begin(), pairs.end());
  }

  const std::string& path_;
  Lab& lab_;
  std::vector<std::string>& errors_;
};

}  // namespace

bool ReadLab(std::string_view text, const std::string& path, Lab& lab, std::vector<std::string>& errors) {
  const size_t before = errors.size();
  lab = Lab{};
  lab.path = path;
  const size_t slash = path.rfind('/');
  lab.folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  LabReader reader(path, lab, errors);
  ForEachLine(text, [&](std::string_view line, int64_t number) { reader.Line(line, static_cast<int>(number)); });
  reader.Finish();
  return errors.size() == before;
}

bool LoadLab(Host& host, const std::string& path, Lab& lab, std::vector<std::string>& errors) {
  std::string text;
  switch (host.ReadFile(path, kLongestLab, text)) {
    case files::ReadResult::CannotRead:
      errors.push_back(path + ": cannot read the lab file");
      return false;
    case files::ReadResult::TooLarge:
      errors.push_back(path + ": the lab file is too large");
      return false;
    case files::ReadResult::Ok:
      break;
  }
  const bool read = ReadLab(text, path, lab, errors);
  // A lab reached through a link finds its set-up files beside the lab
  // itself, where the teacher keeps them.
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::canonical(path, ec);
  if (!ec) lab.folder = real.parent_path().string();
  return read;
}

bool RunLabSetup(RunnerContext& ctx, const Lab& lab, std::string& error) {
  for (const auto& [number, line] : lab.setup) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    const std::string file = LineAfterWords(line, 1);  // a name may contain spaces
    std::string resolved = line;
    if (IsFileCommand(command) && !file.empty() && file != "-" && file.front() != '/')
      resolved = command + " " + lab.folder + "/" + file;
    ctx.lineNumber = number;
    bool acted = false;
    const int64_t warned = ctx.host.warnings;
    std::string lineError;
    if (!RunLine(ctx, resolved, lineError, acted)) {
      error += (error.empty() ? "" : "\n") + lab.path + ":" + std::to_string(number) + ": " + lineError;
      return false;
    }
    // Every student would start without the file: the lab is broken.
    if (IsFileCommand(command) && ctx.host.warnings > warned)
      error += (error.empty() ? "" : "\n") + lab.path + ":" + std::to_string(number) +
               ": the set-up cannot use its file: " + ctx.host.lastWarning;
  }
  return error.empty();
}

bool BeginLab(RunnerContext& ctx, const Lab& lab, std::string& error) {
  Simulator& sim = ctx.sim;
  sim.Reset();
  sim.Startup();
  sim.hostRelay.Divert(ctx.host);
  const bool ok = RunLabSetup(ctx, lab, error);
  sim.hostRelay.Restore();
  sim.session.Start(true);
  return ok;
}

namespace {

bool CheckHolds(const Expectation& c, const std::optional<std::string>& got) {
  return c.name == "choice" ? got == c.text : Holds(c, got);
}

std::optional<std::string> CheckedBy(const Expectation& c, const Simulator& sim, const std::string& choice) {
  if (c.name == "choice") return choice;
  return CheckedText(sim, c);
}

}  // namespace

std::string FirstFailingCheck(const LabStep& step, const Simulator& sim, const std::string& choice) {
  for (const Expectation& c : step.checks) {
    const std::optional<std::string> got = CheckedBy(c, sim, choice);
    if (CheckHolds(c, got)) continue;
    // "R0 expected 35", "R0 expected >=10", "R0@cycle:7 expected 21".
    const std::string op = c.op == Expectation::Op::Eq ? "" : std::string(c.Operator());
    return c.Subject() + " expected " + op + c.text + ", got " + (!got || got->empty() ? "nothing" : *got);
  }
  return {};
}

// Looked at after every action: no message is made here.
bool StepHolds(const LabStep& step, const Simulator& sim, const std::string& choice) {
  return std::all_of(step.checks.begin(), step.checks.end(),
                     [&](const Expectation& c) { return CheckHolds(c, CheckedBy(c, sim, choice)); });
}

std::string NamesRelativeTo(const std::string& session, const std::string& folder) {
  const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
  std::string out;
  ForEachLine(session, [&](std::string_view raw, int64_t) {
    std::string line(raw);
    std::istringstream words(line);
    std::string command;
    words >> command;
    const std::string name = LineAfterWords(line, 1);
    if (IsFileCommand(command) && name.starts_with(prefix) && name.size() > prefix.size())
      line = command + " " + name.substr(prefix.size());
    out += line + "\n";
  });
  return out;
}

bool IsEditField(const std::string& name) {
  for (const char* f : {"R0", "R1", "R2", "R3", "AR", "PC", "IR", "IAR", "C", "Z", "EN_INT", "uAR"})
    if (name == f) return true;
  return false;
}

bool LabProgress::Forbids(const Shortcuts& forbid, const std::string& action) const {
  const std::string command = action.substr(0, action.find(' '));
  return std::any_of(forbid.begin(), forbid.end(), [&](const std::string& f) { return f == action || f == command; });
}

LabProgress::Verdict LabProgress::Saw(const std::string& line, bool powerOn, int64_t number) {
  if (Finished()) return Verdict::Fine;
  // Seen after every line of a long session: only four commands matter.
  const std::string_view head = Trim(line);
  if (!head.starts_with(Word(Cmd::Edit)) && !head.starts_with(Word(Cmd::MemCell)) &&
      !head.starts_with(Word(Cmd::MicroCell)) && !head.starts_with(Word(Cmd::Choose)))
    return Verdict::Fine;
  std::istringstream in(line.substr(0, line.find('#')));
  std::string command, argument;
  in >> command >> argument;
  const LabStep& now = lab_->steps[done_];
  if (command == Word(Cmd::Choose)) {
    for (const Expectation& c : now.checks)
      if (c.name == "choice" && c.text != argument) {
        ++wrong_[done_];
        return Verdict::WrongAnswer;
      }
    return Verdict::Fine;
  }
  // Typing into a field or the memory table does nothing with the power off.
  std::string action;
  if (command == "edit" && powerOn) action = "edit " + argument;
  if ((command == "mem-cell" && powerOn) || command == "micro-cell") action = command;
  if (action.empty() || !(Forbids(lab_->forbid, action) || Forbids(now.forbid, action))) return Verdict::Fine;
  last_ = LabShortcut{action, number};
  if (!shortcut_) shortcut_ = last_;
  return Verdict::Forbidden;
}

std::vector<size_t> LabProgress::Check(const Simulator& sim, const std::string& choice, int64_t elapsedMs) {
  std::vector<size_t> done;
  while (done_ < lab_->steps.size() && StepHolds(lab_->steps[done_], sim, choice)) {
    if (shortcut_) {
      if (!reachedAfter_) reachedAfter_ = done_;
      break;
    }
    done.push_back(done_++);
    doneAt_.push_back(elapsedMs);
  }
  return done;
}

void LabProgress::UseHint() {
  if (!Finished()) hints_[done_] = true;
}

int64_t LabProgress::HintCount() const { return std::count(hints_.begin(), hints_.end(), true); }

std::string LabClock(int64_t ms) {
  const int64_t s = std::max<int64_t>(0, ms) / 1000;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lld:%02lld", static_cast<long long>(s / 60), static_cast<long long>(s % 60));
  return buf;
}

std::string CatalogueText(const Catalog* english, std::string_view text, const std::vector<std::string>& args) {
  std::string out = english ? (*english)(text) : std::string(text);
  // %1 … %9, each once, as the window's arg() replaces them.
  for (size_t i = 0; i < args.size() && i < 9; ++i) {
    const std::string mark = "%" + std::to_string(i + 1);
    const size_t at = out.find(mark);
    if (at != std::string::npos) out.replace(at, mark.size(), args[i]);
  }
  return out;
}

std::vector<std::string> LabProgress::Summary(int64_t nowMs, const Catalog* english) const {
  auto tr = [english](std::string_view text, const std::vector<std::string>& args = {}) {
    return CatalogueText(english, text, args);
  };
  std::vector<std::string> lines;
  lines.push_back(tr("实验：%1", {english ? lab_->title.en : lab_->title.zh}));
  for (size_t i = 0; i < lab_->steps.size(); ++i) {
    std::string used = hints_[i] ? tr("（用了提示）") : "";
    if (wrong_[i] > 0) used += tr("（答错 %1 次）", {std::to_string(wrong_[i])});
    if (i < doneAt_.size())
      lines.push_back(
          tr("第 %1 步：%2%3", {std::to_string(i + 1), LabClock(doneAt_[i] - (i > 0 ? doneAt_[i - 1] : 0)), used}));
    else
      lines.push_back(tr("第 %1 步：未完成%2", {std::to_string(i + 1), used}));
  }
  lines.push_back(tr("共用时 %1，完成 %2/%3 步，用了 %4 次提示",
                     {LabClock(Elapsed(nowMs)), std::to_string(done_), std::to_string(lab_->steps.size()),
                      std::to_string(HintCount())}));
  if (WrongAnswerCount() > 0) lines.push_back(tr("答错 %1 次", {std::to_string(WrongAnswerCount())}));
  if (shortcut_) lines.push_back(tr("用了本实验不允许的 %1，之后的步骤不算完成", {shortcut_->action}));
  return lines;
}

std::vector<std::string> LabProgress::Record() const {
  std::string done = "lab-done-ms:", hints = "lab-hints:";
  for (size_t i = 0; i < lab_->steps.size(); ++i) {
    done += " " + (i < doneAt_.size() ? std::to_string(doneAt_[i]) : std::string("-"));
    hints += hints_[i] ? " 1" : " 0";
  }
  return {done, hints};
}

std::optional<LabRecord> ReadLabRecord(std::string_view session, size_t steps) {
  LabRecord record;
  bool sawDone = false, sawHints = false;
  // The record is among the comments the window writes before the first action.
  ForEachLine(session.substr(0, std::min<size_t>(session.size(), 64 * 1024)), [&](std::string_view line, int64_t) {
    for (const auto& [key, seen] : {std::pair{"# lab-done-ms:", &sawDone}, {"# lab-hints:", &sawHints}}) {
      if (!line.starts_with(key) || *seen) continue;
      *seen = true;
      std::istringstream words{std::string(line.substr(std::string_view(key).size()))};
      std::string w;
      while (words >> w) {
        int64_t n = 0;
        if (seen == &sawDone)
          record.doneMs.push_back(w == "-" ? -1 : ParseNumber(w, 0, int64_t{1} << 40, n) ? n : -2);
        else
          record.hints.push_back(w == "1");
      }
    }
  });
  const bool fits = record.doneMs.size() == steps && record.hints.size() == steps &&
                    std::none_of(record.doneMs.begin(), record.doneMs.end(), [](int64_t v) { return v < -1; });
  if (!sawDone || !sawHints || !fits) return std::nullopt;
  return record;
}

int64_t LabProgress::WrongAnswerCount() const {
  int64_t n = 0;
  for (int64_t w : wrong_) n += w;
  return n;
}

CommandResult RunLabCommand(RunnerContext& ctx, Cmd command, const Words& w, std::string& error) {
  if (command != Cmd::Choose) return CommandResult::NotMine;
  int64_t n = 0;
  if (w.size() != 2 || !ParseNumber(w[1], 1, 99, n)) {
    error = "'choose' needs the number of a choice, 1-99";
    return CommandResult::Error;
  }
  ctx.sim.ChooseAnswer(static_cast<int>(n));
  return CommandResult::Done;
}

}  // namespace orrin
