#pragma once
// orrin-run: performs a console script line by line through the simulator's
// action methods, as the user would in the window.
#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/run_facts.h"
#include "base/host.h"
#include "base/translation.h"
#include "simulator/commands.h"
#include "simulator/simulator.h"

namespace orrin {

struct Lab;
class FolderFiles;

// The host of a script: prints every box as it would be shown and answers
// from what the script said before.
class ScriptHost : public Host {
 public:
  ScriptHost(std::ostream& out, const Catalog* english);
  ~ScriptHost() override;
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;
  void Warn(const std::string& text) override;
  void WarnAboutFile(const std::string& name, const std::string& text) override;
  Answer Ask(const std::string& text) override;
  std::string OpenFileName() override;
  std::string SaveFileName() override;
  std::optional<uint32_t> ChooseColor(uint32_t current) override;
  // Without files, nothing is read and nothing is written (an export is
  // formatted and dropped).
  files::ReadResult ReadFile(const std::string& name, std::size_t limit, std::string& out) override;
  bool WriteFile(const std::string& name, std::string_view data) override;
  bool Synthesise(const std::string& verilog, const std::string& name, std::string& json,
                  std::string& messages) override;

  // From now on every file is one inside `folder`, the folder of a student's
  // script: a name is taken relative to it, and one that is absolute, leaves
  // it (..) or passes through a link is refused, as is writing more than
  // `writeBudget` bytes in all. False when the folder cannot be opened.
  bool Confine(const std::string& folder, std::size_t writeBudget = kSessionWriteBudget);
  void Unconfine();
  // Why the last file was refused by the confinement, once; nothing when it was not.
  std::optional<std::string> TakeRefusal();
  static constexpr std::size_t kSessionWriteBudget = 64u << 20;

  std::optional<Answer> nextAnswer;     // `answer`; Cancel when none
  std::optional<std::string> nextFile;  // the name the next file dialog returns
  std::optional<uint32_t> nextColor;    // the colour the next colour dialog returns
  bool filesAllowed = true;             // false: every file dialog is cancelled, no file is touched
  int64_t warnings = 0;                 // boxes shown so far, and the text of the last
  std::string lastWarning;
  const FactSink* facts = nullptr;  // told of every warning about a file

 private:
  std::string Shown(const std::string& text) const { return english_ ? (*english_)(text) : text; }
  std::ostream& out_;
  const Catalog* english_;
  std::unique_ptr<FolderFiles> confined_;
  std::optional<std::string> refusal_;
};

// Limits for scripts nobody has read (the fuzzer's): no file is opened or
// written, and the run timer ticks at most so often in the whole script.
struct RunOptions {
  bool filesAllowed = true;
  int64_t tickBudget = -1;  // -1: no limit
  // Called with the simulator when the script has ended, however it ended.
  std::function<void(const Simulator&)> atEnd;
  // Messages and printed texts in English (--lang en); nullptr: as the board shows them.
  const Catalog* english = nullptr;
  // The folder a student's script lives in: every file it names is kept
  // inside it (see ScriptHost::Confine); empty: names are taken as given.
  std::string confineTo{};
  std::size_t writeBudget = ScriptHost::kSessionWriteBudget;  // what such a script may write in all
  // A lab to follow (--lab): its set-up runs first, then each of its steps
  // is announced ("step N done at line L") when the script's actions have
  // made its check hold, and the script ends with "lab: K of M steps done".
  const Lab* lab = nullptr;
  // Told what a grader needs as it happens (see RunFact); empty: nobody asks.
  FactSink facts{};
};

struct RunnerContext {
  Simulator& sim;
  ScriptHost& host;
  std::ostream& out;
  int64_t tickBudget = -1;
  const Catalog* english = nullptr;
  int64_t lineNumber = 0;
  std::string line{};  // the line being performed, as written (for quoted texts)
  // Expectations checked so far, with their outcome.
  int64_t expectPassed = 0, expectFailed = 0;
  const FactSink* facts = nullptr;
  void Tell(const RunFact& fact) const;
  // One tick of console.Timer_RUN if it is enabled and the budget allows; false when not.
  bool Tick();
};

using Words = std::vector<std::string>;

// The line after its first `n` words, without the blanks around it: a file
// name may contain spaces ("My Documents").
std::string LineAfterWords(const std::string& line, size_t n);

// What a group of commands answers for one line.
enum class CommandResult { NotMine, Done, Error };

// Each group of commands lives with the Part it drives; the runner asks them
// in turn. On Error the group has written the message (without "line N: ").
CommandResult RunConsoleCommand(RunnerContext& ctx, Cmd command, const Words& words, std::string& error);
CommandResult RunWiringCommand(RunnerContext& ctx, Cmd command, const Words& words, std::string& error);
CommandResult RunPanelCommand(RunnerContext& ctx, Cmd command, const Words& words, std::string& error);
CommandResult RunExpectCommand(RunnerContext& ctx, Cmd command, const Words& words, std::string& error);
CommandResult RunFaultCommand(RunnerContext& ctx, Cmd command, const Words& words, std::string& error);
CommandResult RunLabCommand(RunnerContext& ctx, Cmd command, const Words& words, std::string& error);

// Performs one line of a script (its comment is cut off here); false with
// the message on a bad line. `acted`: the line held a command, performed.
bool RunLine(RunnerContext& ctx, std::string line, std::string& error, bool& acted);
// The same for a command already in its words, as a front end that is no
// console hands it over: a word may hold blanks or '#' (a typed value, a
// file's name), which no line could. The line recorded is the words joined.
bool RunCommand(RunnerContext& ctx, const Words& words, std::string& error, bool& acted);

// A check of `expect` (and of a lab's check): NAME=TEXT, the shown text
// itself; unquoted, also R0=35|53 (any of them), R0=0b1x0x_xxxx (bits, x
// for either), R0>=10, PC<20, R1!=00 (hex values compared), and any of them
// at a small beat or machine cycle of the recorded history:
// R0@beat:120=35, uAR@cycle:7=21.
struct Expectation {
  enum class Op : uint8_t { Eq, Ne, Lt, Le, Gt, Ge };
  enum class At : uint8_t { Now, Beat, Cycle };
  std::string name, text;  // NAME without its @, and what follows the operator
  Op op = Op::Eq;
  At at = At::Now;
  int64_t when = 0;     // the beat or cycle of `at`
  bool quoted = false;  // a quoted TEXT is the text itself, whatever it holds
  // "R0@beat:120", ">=", and as written: "R0@beat:120>=10".
  std::string Subject() const;
  std::string_view Operator() const;
  std::string Written() const;
};
// The checks of `text` (what follows `command`), a TEXT with blanks in
// double quotes: Label_181formula="F = A+B". False with a message naming
// the command when there are none, a quote is open or a check is malformed
// (an unknown name, a comparison of a name that shows no hex value, a bad
// pattern or beat). With `points`, a `points: N` item sets it (1 to 1000).
bool ParseExpectations(std::string_view text, std::string_view command, std::vector<Expectation>& pairs,
                       std::string& error, int64_t* points = nullptr);
// What the check looks at: NAME's text now (BoardText) or at its beat or
// cycle of the recorded history; nothing when that is not recorded.
std::optional<std::string> CheckedText(const Simulator& sim, const Expectation& e);
// Whether `got` (CheckedText) satisfies the check.
bool Holds(const Expectation& e, const std::optional<std::string>& got);
// What NAME shows now: a widget's text, a field of `dump`, MEM[HH] or uM[HH];
// nothing for a name nothing has.
std::optional<std::string> BoardText(const Simulator& sim, const std::string& name);
// Whether NAME is one BoardText knows.
bool IsBoardName(const std::string& name);
// Why NAME can never show TEXT ("shows two upper-case hex digits"); empty
// when it can: registers and MEM[HH] show two upper-case hex digits, uM[HH]
// ten hex digits, step N/N, phase 0-6, the flags 0 or 1, an image a picture role.
std::string ShownTextProblem(const std::string& name, const std::string& text);
// Whether the check's name is one it can look at: a board name now, a
// recorded signal or register (uAR, PC, R0 … BUS, C, Z, DRW …) at a time.
bool KnowsName(const Expectation& e);
// Why a check of a known name is malformed: a comparison or pattern of a
// name that shows no hex value, a value of more digits than it shows, a
// pattern of another number of bits; empty when it is sound.
std::string CheckProblem(const Expectation& e);
// Why a lab's check can never hold: an alternative NAME cannot show now
// (ShownTextProblem); empty when each can, and for comparisons and times.
std::string NeverHoldsProblem(const Expectation& e);

// A jack as printed on the board; the second of the two VCC and GND jacks is
// written VCC#2 and GND#2. -1 when there is no such jack.
int FindJack(const Simulator& sim, const std::string& text);

// The fields of `dump` in their order, as NAME and TEXT; also what `expect` compares.
std::vector<std::pair<std::string, std::string>> DumpFields(const Simulator& sim);
std::vector<std::pair<std::string, std::string>> DumpFields(const MachineState& machine);
// What `print` shows of a widget, translated when `english` is given.
std::string WidgetText(const Simulator& sim, WidgetId id, const Catalog* english = nullptr);
// The English of the window's texts, read from the translation built into the program.
const Catalog& EnglishCatalog();

// The lines of a script as they come: CR LF, LF and a lone CR all end a
// line, and a UTF-8 byte-order mark before the first is not part of it.
class ScriptLines {
 public:
  explicit ScriptLines(std::istream& in) : in_(in) {}
  bool Next(std::string& line);  // false at the end of the script

 private:
  std::istream& in_;
  std::deque<std::string> pending_;
  bool first_ = true;
};

// Parses a whole decimal number in [lo, hi]; false when it is not one.
bool ParseNumber(const std::string& text, int64_t lo, int64_t hi, int64_t& value);

// Runs the script; prints to `out`, errors as "line N: MESSAGE" to `err`.
// Returns the process exit status: 0 when the script ran to its end, 2 on a
// bad line (nothing after it runs). A script that checked expectations ends
// with "P passed, F failed" and status 1 when any failed.
int RunScript(std::istream& script, std::ostream& out, std::ostream& err, const RunOptions& options = {});
// The same on a simulator that already exists (started, and printing its
// boxes through `host`): the fuzzer's one board, reset between inputs.
int RunScriptOn(Simulator& sim, ScriptHost& host, std::istream& script, std::ostream& out, std::ostream& err,
                const RunOptions& options = {});

}  // namespace orrin
