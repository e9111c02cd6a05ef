#include "app/runner.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "app/folder_files.h"
#include "app/lab.h"
#ifndef __EMSCRIPTEN__
#include "app/yosys.h"
#endif

namespace orrin {

ScriptHost::ScriptHost(std::ostream& out, const Catalog* english) : out_(out), english_(english) {}
ScriptHost::~ScriptHost() = default;

void ScriptHost::Warn(const std::string& text) {
  ++warnings;
  lastWarning = text;
  // A file's name (a student's, a teacher's) may hold anything: nothing of
  // it may steer the terminal.
  out_ << (english_ ? "Warning: " : "警告: ") << files::PrintableLines(Shown(text)) << "\n";
}

bool ScriptHost::Confine(const std::string& folder, std::size_t writeBudget) {
  confined_ = std::make_unique<FolderFiles>();
  return confined_->Open(folder, writeBudget);
}

void ScriptHost::Unconfine() { confined_.reset(); }

std::optional<std::string> ScriptHost::TakeRefusal() {
  auto r = std::move(refusal_);
  refusal_.reset();
  return r;
}

void ScriptHost::WarnAboutFile(const std::string& name, const std::string& text) {
  Warn(text);
  if (facts && *facts) (*facts)({RunFact::Kind::FileProblem, 0, 0, files::PrintableLines(Shown(text)), name});
}

void RunnerContext::Tell(const RunFact& fact) const {
  if (facts && *facts) (*facts)(fact);
}

Answer ScriptHost::Ask(const std::string& text) {
  const Answer a = nextAnswer.value_or(Answer::Cancel);
  nextAnswer.reset();
  static constexpr const char* kNames[] = {"yes", "no", "cancel"};
  out_ << "? " << Shown(text) << " -> " << kNames[static_cast<int>(a)] << "\n";
  return a;
}

std::string ScriptHost::OpenFileName() {
  std::string name = filesAllowed ? nextFile.value_or("") : "";
  nextFile.reset();
  return name;
}

std::string ScriptHost::SaveFileName() { return OpenFileName(); }

std::optional<uint32_t> ScriptHost::ChooseColor(uint32_t) {
  auto c = nextColor;
  nextColor.reset();
  return c;
}

files::ReadResult ScriptHost::ReadFile(const std::string& name, std::size_t limit, std::string& out) {
  if (!filesAllowed) return files::ReadResult::CannotRead;
  if (!confined_) return Host::ReadFile(name, limit, out);
  std::string why;
  const files::ReadResult r = confined_->Read(name, limit, out, why);
  if (!why.empty()) refusal_ = why;
  return r;
}

bool ScriptHost::WriteFile(const std::string& name, std::string_view data) {
  if (!filesAllowed) return true;
  if (!confined_) return Host::WriteFile(name, data);
  std::string why;
  const bool written = confined_->Write(name, data, why);
  if (!why.empty()) refusal_ = why;
  return written;
}

// The design's text was read through the host (confined as every file);
// Yosys sees only its copy in a scratch folder.
bool ScriptHost::Synthesise(const std::string& verilog, const std::string& name, std::string& json,
                            std::string& messages) {
#ifdef __EMSCRIPTEN__
  return Host::Synthesise(verilog, name, json, messages);
#else
  return SynthesiseWithYosys(verilog, name, json, messages);
#endif
}

bool ParseNumber(const std::string& text, int64_t lo, int64_t hi, int64_t& value) {
  if (text.empty() || text.size() > 12) return false;
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < lo || v > hi) return false;
  value = v;
  return true;
}

// As in a shell, '#' starts a comment only at the start of a word, so that
// a word may contain it: the second VCC and GND jacks are VCC#2 and GND#2.
static size_t CommentStart(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t' || line[i - 1] == '\r')) return i;
  return line.size();
}

std::string LineAfterWords(const std::string& line, size_t n) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
  size_t i = 0;
  for (size_t k = 0; k <= n; ++k) {
    while (i < line.size() && blank(line[i])) ++i;
    if (k == n) break;
    while (i < line.size() && !blank(line[i])) ++i;
  }
  size_t end = line.size();
  while (end > i && blank(line[end - 1])) --end;
  return line.substr(i, end - i);
}

bool RunnerContext::Tick() {
  if (!sim.console.Timer_RUN.enabled || tickBudget == 0) return false;
  if (tickBudget > 0) --tickBudget;
  sim.Timer_RUNTimer();
  return true;
}

bool ScriptLines::Next(std::string& line) {
  while (pending_.empty()) {
    std::string chunk;
    if (!std::getline(in_, chunk)) return false;
    if (first_ && chunk.starts_with("\xEF\xBB\xBF")) chunk.erase(0, 3);
    first_ = false;
    // A lone CR ends a line too; the CR of a CR LF pair ends the chunk.
    size_t start = 0;
    for (size_t cr; (cr = chunk.find('\r', start)) != std::string::npos; start = cr + 1)
      pending_.push_back(chunk.substr(start, cr - start));
    if (start < chunk.size() || start == 0) pending_.push_back(chunk.substr(start));
  }
  line = std::move(pending_.front());
  pending_.pop_front();
  return true;
}

namespace {
bool IsDisabledClick(const Simulator& sim, const Words& w) {
  return w.size() == 2 && w[0] == Word(Cmd::Mode) && w[1] == "hardwired" &&
         !sim.ModeAvailable(ControllerMode::HardWired);
}

bool RunWords(RunnerContext& ctx, const Words& words, std::string& error, bool& acted) {
  // Every action shows the newest position first (an unknown word too, as
  // it always has); reading the board (print, dump, expect, an export, a
  // hover), the arrows and a click on a disabled button (which does nothing)
  // do not.
  const std::optional<Cmd> command = FindCommand(words[0]);
  if ((!command || Info(*command).kind == CommandKind::Act) && !IsDisabledClick(ctx.sim, words)) ctx.sim.EndPlayback();
  CommandResult r = CommandResult::NotMine;
  if (command) {
    for (auto group :
         {RunConsoleCommand, RunWiringCommand, RunPanelCommand, RunExpectCommand, RunFaultCommand, RunLabCommand}) {
      r = group(ctx, *command, words, error);
      if (r != CommandResult::NotMine) break;
    }
  }
  if (r == CommandResult::NotMine) error = "unknown command '" + words[0] + "'";
  acted = r == CommandResult::Done;
  return acted;
}
}  // namespace

bool RunLine(RunnerContext& ctx, std::string line, std::string& error, bool& acted) {
  line.erase(CommentStart(line));
  std::istringstream in(line);
  Words words;
  for (std::string w; in >> w;) words.push_back(w);
  acted = false;
  if (words.empty()) return true;
  ctx.line = line;
  return RunWords(ctx, words, error, acted);
}

bool RunCommand(RunnerContext& ctx, const Words& words, std::string& error, bool& acted) {
  acted = false;
  if (words.empty() || words[0].empty()) return true;
  ctx.line = words[0];
  for (size_t i = 1; i < words.size(); ++i) AppendArgument(ctx.line, words[i]);
  return RunWords(ctx, words, error, acted);
}

namespace {

// What a lab makes of the line just performed, printed as it happens (and
// written out at once: a grader that must stop a run keeps what was done).
void FollowLab(RunnerContext& ctx, LabProgress& lab, const std::string& line, int64_t number) {
  const LabProgress::Verdict verdict = lab.Saw(line, ctx.sim.console.PowerOn, number);
  if (verdict == LabProgress::Verdict::Forbidden)
    ctx.out << "line " << number << ": `" << lab.LastForbidden()->action << "` is not allowed in this lab\n";
  if (verdict == LabProgress::Verdict::WrongAnswer) {
    const int64_t step = static_cast<int64_t>(lab.DoneCount()) + 1;
    ctx.out << "line " << number << ": answer " << ctx.sim.Choice() << " to step " << step << " is wrong\n";
    ctx.Tell({RunFact::Kind::WrongAnswer, step, number});
  }
  const bool reached = lab.ReachedAfterShortcut().has_value();
  const std::vector<size_t> done = lab.Check(ctx.sim, ctx.sim.Choice());
  for (size_t step : done) {
    ctx.out << "step " << step + 1 << " done at line " << number << "\n";
    ctx.Tell({RunFact::Kind::StepDone, static_cast<int64_t>(step) + 1, number});
  }
  const bool newlyReached = !reached && lab.ReachedAfterShortcut();
  if (newlyReached) {
    const int64_t step = static_cast<int64_t>(*lab.ReachedAfterShortcut()) + 1;
    ctx.out << "step " << step << " was reached after `" << lab.Shortcut()->action << "` at line "
            << lab.Shortcut()->line << "\n";
    ctx.Tell({RunFact::Kind::ReachedAfter, step, lab.Shortcut()->line, lab.Shortcut()->action});
  }
  if (verdict != LabProgress::Verdict::Fine || !done.empty() || newlyReached) ctx.out.flush();
}

// The end of a lab followed: why the step to do is not done, the count, the wrong answers.
void ReportLab(const RunnerContext& ctx, const Lab& l, const LabProgress& lab) {
  std::ostream& out = ctx.out;
  if (!lab.Finished()) {
    const std::string why = FirstFailingCheck(l.steps[lab.DoneCount()], ctx.sim, ctx.sim.Choice());
    const int64_t step = static_cast<int64_t>(lab.DoneCount()) + 1;
    if (!why.empty()) out << "step " << step << " not done: " << why << "\n";
    if (!why.empty()) ctx.Tell({RunFact::Kind::NotDone, step, 0, why});
  }
  out << "lab: " << lab.DoneCount() << " of " << l.steps.size() << " steps done\n";
  if (lab.WrongAnswerCount() == 0) return;
  out << "lab: " << lab.WrongAnswerCount() << (lab.WrongAnswerCount() == 1 ? " wrong answer (" : " wrong answers (");
  const char* sep = "";
  for (size_t i = 0; i < lab.WrongAnswers().size(); ++i) {
    if (lab.WrongAnswers()[i] == 0) continue;
    out << sep << "step " << i + 1 << ": " << lab.WrongAnswers()[i];
    sep = ", ";
  }
  out << ")\n";
}

// A run that cannot go on: why, on `err`; status 2.
int Stop(const RunnerContext& ctx, std::ostream& err, const std::string& why) {
  err << why << "\n";
  ctx.Tell({RunFact::Kind::Stopped, 0, 0, why});
  return 2;
}

int RunLines(RunnerContext& ctx, std::istream& script, std::ostream& err, LabProgress* lab) {
  std::string line;
  int64_t number = 1;
  for (ScriptLines lines(script); lines.Next(line); ++number) {
    ctx.lineNumber = number;
    std::string error;
    bool acted = false;
    const bool ran = RunLine(ctx, line, error, acted);
    if (const auto refused = ctx.host.TakeRefusal()) {
      ctx.out << "line " << number << ": refused: " << files::PrintableText(*refused) << "\n";
      ctx.Tell({RunFact::Kind::Refused, 0, number, files::PrintableText(*refused)});
    }
    if (!ran) {
      return Stop(ctx, err, "line " + std::to_string(number) + ": " + files::PrintableText(error));
    }
    // A lab's steps are done by the student's actions, checked after each.
    if (lab && acted) FollowLab(ctx, *lab, line, number);
    if (ctx.sim.quitRequested) return 0;
  }
  if (script.bad()) return Stop(ctx, err, "line " + std::to_string(number) + ": cannot read the script");
  return 0;
}
}  // namespace

int RunScript(std::istream& script, std::ostream& out, std::ostream& err, const RunOptions& options) {
  ScriptHost host(out, options.english);
  Simulator sim(host);
  sim.Startup();
  return RunScriptOn(sim, host, script, out, err, options);
}

int RunScriptOn(Simulator& sim, ScriptHost& host, std::istream& script, std::ostream& out, std::ostream& err,
                const RunOptions& options) {
  host.filesAllowed = options.filesAllowed;
  host.nextAnswer.reset();
  host.nextFile.reset();
  host.nextColor.reset();
  host.Unconfine();
  host.facts = &options.facts;
  struct Untell {  // the host may outlive these options (the fuzzer's does)
    ScriptHost& host;
    ~Untell() { host.facts = nullptr; }
  } untell{host};
  RunnerContext ctx{sim, host, out, options.tickBudget, options.english};
  ctx.facts = &options.facts;
  std::optional<LabProgress> lab;
  if (options.lab) {
    std::string error;
    if (!RunLabSetup(ctx, *options.lab, error)) {
      Stop(ctx, err, files::PrintableLines(error));
      if (options.atEnd) options.atEnd(sim);
      return 2;
    }
    lab.emplace(*options.lab);
  }
  // The set-up is the teacher's; from here on the script is the student's.
  if (!options.confineTo.empty() && !host.Confine(options.confineTo, options.writeBudget))
    return Stop(ctx, err, "line 0: cannot open the script's folder " + files::PrintableText(options.confineTo));
  int status = RunLines(ctx, script, err, lab ? &*lab : nullptr);
  if (options.atEnd) options.atEnd(sim);
  if (ctx.expectPassed + ctx.expectFailed > 0) {
    out << ctx.expectPassed << " passed, " << ctx.expectFailed << " failed\n";
    ctx.Tell({RunFact::Kind::Tally, ctx.expectPassed, ctx.expectFailed});
    if (status == 0 && ctx.expectFailed > 0) status = 1;
  }
  if (lab) ReportLab(ctx, *options.lab, *lab);
  if (lab && status == 0 && !lab->Finished()) status = 1;
  return status;
}

}  // namespace orrin
