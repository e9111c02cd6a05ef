// Script commands of the console, the switches, the clock and the playback,
// plus the commands every area's scripts use: answer, print and dump.
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "app/runner.h"
#include "machine/exporter.h"

namespace orrin {

namespace {

using Handler = bool (*)(RunnerContext&, const Words&, std::string&);

bool NoArguments(const Words& w, std::string& error) {
  if (w.size() == 1) return true;
  error = "'" + w[0] + "' takes no arguments";
  return false;
}

// One click on a button or switch picture.
template <void (Simulator::*Click)()>
bool RunClick(RunnerContext& ctx, const Words& w, std::string& error) {
  if (!NoArguments(w, error)) return false;
  (ctx.sim.*Click)();
  return true;
}

// One click on switch number N of a bank.
template <void (Simulator::*Toggle)(int), int64_t Last>
bool RunToggle(RunnerContext& ctx, const Words& w, std::string& error) {
  int64_t n = 0;
  if (w.size() != 2 || !ParseNumber(w[1], 0, Last, n)) {
    error = "'" + w[0] + "' needs one switch number 0-" + std::to_string(Last);
    return false;
  }
  (ctx.sim.*Toggle)(static_cast<int>(n));
  return true;
}

bool RunMode(RunnerContext& ctx, const Words& w, std::string& error) {
  struct Mode {
    std::string_view name;
    ControllerMode mode;
    void (Simulator::*click)();
  };
  static constexpr Mode kModes[] = {
      {"independent", ControllerMode::Independent, &Simulator::RadioButtonHandLineClick},
      {"microprogram", ControllerMode::Microprogram, &Simulator::RadioButtonMicroProgramClick},
      {"hardwired", ControllerMode::HardWired, &Simulator::RadioButtonHdLineClick},
  };
  if (w.size() == 2) {
    for (const Mode& m : kModes) {
      if (w[1] != m.name) continue;
      // A disabled button takes no click.
      if (ctx.sim.ModeAvailable(m.mode)) (ctx.sim.*m.click)();
      return true;
    }
  }
  error = "'mode' needs independent, microprogram or hardwired";
  return false;
}

constexpr int64_t kMaxTicks = 1000000000;

// An optional count; `fallback` when it is left out.
bool OptionalCount(const Words& w, int64_t fallback, int64_t& n, std::string& error) {
  n = fallback;
  if (w.size() == 1 || (w.size() == 2 && ParseNumber(w[1], 0, kMaxTicks, n))) return true;
  error = "'" + w[0] + "' takes one count 0-" + std::to_string(kMaxTicks);
  return false;
}

// Ticks of console.Timer_RUN happen only while the timer is enabled, as in the window.
bool RunTick(RunnerContext& ctx, const Words& w, std::string& error) {
  int64_t n = 0;
  if (!OptionalCount(w, 1, n, error)) return false;
  const ViewHold hold(ctx.sim);  // nobody looks until the ticks are done
  for (int64_t i = 0; i < n; ++i)
    if (!ctx.Tick()) break;
  return true;
}

bool RunRun(RunnerContext& ctx, const Words& w, std::string& error) {
  int64_t max = 0;
  if (!OptionalCount(w, 1000000, max, error)) return false;
  int64_t ticks = 0;
  {
    const ViewHold hold(ctx.sim);
    while (ticks < max && ctx.Tick()) ++ticks;
  }
  ctx.out << "ran " << ticks << " ticks\n";
  return true;
}

bool RunAnswer(RunnerContext& ctx, const Words& w, std::string& error) {
  static constexpr std::pair<std::string_view, Answer> kAnswers[] = {
      {"yes", Answer::Yes}, {"no", Answer::No}, {"cancel", Answer::Cancel}};
  if (w.size() == 2) {
    for (const auto& [name, answer] : kAnswers) {
      if (w[1] != name) continue;
      ctx.host.nextAnswer = answer;
      return true;
    }
  }
  error = "'answer' needs yes, no or cancel";
  return false;
}

bool RunPrint(RunnerContext& ctx, const Words& w, std::string& error) {
  if (w.size() < 2) {
    error = "'print' needs at least one widget name";
    return false;
  }
  // Every name is checked first, so a bad line prints nothing. A widget, or
  // any other name `expect` takes (a field of dump, MEM[HH], uM[HH]).
  for (size_t i = 1; i < w.size(); ++i) {
    if (FindWidget(w[i]) == WidgetId::Count && !IsBoardName(w[i])) {
      error = "unknown widget '" + w[i] + "'";
      return false;
    }
  }
  for (size_t i = 1; i < w.size(); ++i) {
    const WidgetId id = FindWidget(w[i]);
    ctx.out << w[i] << '=' << (id != WidgetId::Count ? WidgetText(ctx.sim, id, ctx.english) : *BoardText(ctx.sim, w[i]))
            << '\n';
  }
  return true;
}

// One line of the shown state: what the board displays, also during playback.
bool RunDump(RunnerContext& ctx, const Words& w, std::string& error) {
  if (!NoArguments(w, error)) return false;
  const auto fields = DumpFields(ctx.sim);
  for (size_t i = 0; i < fields.size(); ++i) ctx.out << (i ? " " : "") << fields[i].first << '=' << fields[i].second;
  ctx.out << '\n';
  return true;
}

// export-trace PATH [FROM TO]: the recorded history as a file.
bool RunExportTrace(RunnerContext& ctx, const Words& w, std::string& error) {
  int64_t from = 0, to = 0;
  const bool range =
      w.size() == 4 && ParseNumber(w[2], 0, 999999999999LL, from) && ParseNumber(w[3], 0, 999999999999LL, to);
  if (w.size() != 2 && !range) {
    error = "'export-trace' needs a path and, optionally, FROM and TO small beats";
    return false;
  }
  if (range && from > to) {
    error = "'export-trace' needs FROM no later than TO";
    return false;
  }
  if (w.size() == 2) to = std::numeric_limits<int64_t>::max();
  if (ctx.sim.ExportTrace(w[1], from, to) == Simulator::ExportResult::UnknownFormat) {
    error = std::string("'export-trace' writes ") + kExportFormats;
    return false;
  }
  return true;
}

// close-note independent|microprogram: the close button of that mode's note.
bool RunCloseNote(RunnerContext& ctx, const Words& w, std::string& error) {
  if (w.size() == 2 && w[1] == "independent") {
    ctx.sim.Button_CloseNowHandClick();
  } else if (w.size() == 2 && w[1] == "microprogram") {
    ctx.sim.Button_CloseNowMicroClick();
  } else {
    error = "'close-note' needs independent or microprogram";
    return false;
  }
  return true;
}

// show N: the playback position set directly (the diagram's click).
bool RunShow(RunnerContext& ctx, const Words& w, std::string& error) {
  int64_t pos = 0;
  if (w.size() != 2 || !ParseNumber(w[1], 0, 999999999999LL, pos)) {
    error = "'show' needs one small-beat number";
    return false;
  }
  ctx.sim.ShowPosition(pos);
  return true;
}

struct Command {
  Cmd command;
  Handler run;
};

constexpr Command kCommands[] = {
    {Cmd::Power, RunClick<&Simulator::SpeedButtonPOWERClick>},
    {Cmd::Clr, RunClick<&Simulator::SpeedButtonCLRClick>},
    {Cmd::Qd, RunClick<&Simulator::SpeedButtonQDClick>},
    {Cmd::Pulse, RunClick<&Simulator::SpeedButton_PULSEClick>},
    {Cmd::Pause, RunClick<&Simulator::Button_PAUSEClick>},
    {Cmd::Step, RunClick<&Simulator::Button_OneLittleStepClick>},
    {Cmd::Dp, RunClick<&Simulator::Image_DPClick>},
    {Cmd::Swc, RunClick<&Simulator::Image_SWCClick>},
    {Cmd::Swb, RunClick<&Simulator::Image_SWBClick>},
    {Cmd::Swa, RunClick<&Simulator::Image_SWAClick>},
    {Cmd::Back, RunClick<&Simulator::SpeedButton_BackLeftClick>},
    {Cmd::Forward, RunClick<&Simulator::SpeedButton_BackRightClick>},
    {Cmd::K, RunToggle<&Simulator::ToggleLevelSwitch, 31>},
    {Cmd::Sd, RunToggle<&Simulator::ToggleDataSwitch, 7>},
    {Cmd::Mode, RunMode},
    {Cmd::Tick, RunTick},
    {Cmd::Run, RunRun},
    {Cmd::AnswerNext, RunAnswer},
    {Cmd::Print, RunPrint},
    {Cmd::Dump, RunDump},
    {Cmd::ExportTrace, RunExportTrace},
    {Cmd::CloseNote, RunCloseNote},
    {Cmd::Show, RunShow},
};

}  // namespace

// What `print` shows of a widget: the picture role of an image (and of a
// speed button's glyph), the lines of a memo or list box, else the text.
std::string WidgetText(const Simulator& sim, WidgetId id, const Catalog* english) {
  auto shown = [english](const std::string& text) { return english ? (*english)(text) : text; };
  const WidgetState& st = sim.view[id];
  const WidgetKind kind = Info(id).kind;
  if (kind == WidgetKind::Image || (kind == WidgetKind::SpeedButton && st.picture != Pic::None))
    return PicName(st.picture);
  if (kind == WidgetKind::Memo || kind == WidgetKind::List) {
    std::string joined;
    for (size_t i = 0; i < st.lines.size(); ++i) {
      if (i > 0) joined += '|';
      joined += shown(st.lines[i]);
    }
    return joined;
  }
  return shown(st.text);
}

std::vector<std::pair<std::string, std::string>> DumpFields(const Simulator& sim) { return DumpFields(sim.machine); }

std::vector<std::pair<std::string, std::string>> DumpFields(const MachineState& s) {
  auto hex = [](int32_t v) { return std::string(Hex2(v).view()); };
  auto num = [](int64_t v) { return std::to_string(v); };
  return {{"step", num(s.Beat.ViewPos) + "/" + num(s.Beat.StepCount)},
          {"phase", num(s.Beat.Shown.BeatPhase)},
          {"uAR", hex(s.Micro.Shown.MicroAddress)},
          {"PC", hex(s.Pc.Shown.PC)},
          {"AR", hex(s.Ar.Shown.AR)},
          {"IR", hex(s.Ir.Shown.IR)},
          {"IAR", hex(s.Iar.Shown.IAR)},
          {"R0", hex(s.Regs.Shown.R[0])},
          {"R1", hex(s.Regs.Shown.R[1])},
          {"R2", hex(s.Regs.Shown.R[2])},
          {"R3", hex(s.Regs.Shown.R[3])},
          {"C", num(s.Flags.Shown.C)},
          {"Z", num(s.Flags.Shown.Z)},
          {"EN_INT", num(s.Int.Shown.EN_INT)},
          {"INTQ", num(s.Int.Shown.INTQ)},
          {"BUS", hex(s.Bus.Shown.Value)}};
}

CommandResult RunConsoleCommand(RunnerContext& ctx, Cmd command, const Words& w, std::string& error) {
  for (const Command& c : kCommands) {
    if (command == c.command) return c.run(ctx, w, error) ? CommandResult::Done : CommandResult::Error;
  }
  return CommandResult::NotMine;
}

}  // namespace orrin
