// The playback arrows and what they show, and the trace's exports. Playback
// rewrites only the shown records, and every other action first ends it
// (EndPlayback), so nothing done while an older position is shown ever
// computes with played-back values.
#include <algorithm>

#include "base/text_files.h"
#include "machine/exporter.h"
#include "simulator/access.h"
#include "simulator/commands.h"
#include "simulator/simulator.h"

namespace orrin {

namespace {

// Shows the position Beat.ViewPos of the ring.
void ShowTrace(Simulator& sim) {
  // The first step away from the newest position keeps what it showed.
  if (!Access(sim).trace.PlaybackShown) Access(sim).trace.KeepNewest(Access(sim).machine, Access(sim).wires);
  Access(sim).trace.Show(Access(sim).machine, Access(sim).wires, Access(sim).machine.Beat.ViewPos);
  Access(sim).trace.PlaybackShown = true;
  Access(sim).panels.MemoryGridDirty = true;
  sim.Refresh(true);
}

// The newest position is the live board, with whatever changed since its
// beat; every older one is the recorded past.
void ShowViewPos(Simulator& sim) {
  if (Access(sim).machine.Beat.ViewPos == Access(sim).machine.Beat.StepCount)
    sim.EndPlayback();
  else
    ShowTrace(sim);
}

}  // namespace

void Simulator::EndPlayback() {
  if (!trace_.PlaybackShown) return;
  trace_.RestoreNewest(machine_, wires_);
  machine_.Beat.ViewPos = machine_.Beat.StepCount;
  trace_.PlaybackShown = false;
  panels_.MemoryGridDirty = true;
  Refresh();
}

void Simulator::ShowPosition(int64_t pos) {
  const auto recorded = Record([pos] { return CommandLine(Cmd::Show, pos); });
  BeatGen& b = machine_.Beat;
  if (!console_.PowerOn || b.StepCount == 0) return;
  pos = std::clamp<int64_t>(pos, std::max<int64_t>(1, b.StepCount - (HistoryDepth - 1)), b.StepCount);
  if (pos == b.ViewPos) return;
  b.ViewPos = pos;
  ShowViewPos(*this);
}

void Simulator::SpeedButton_BackLeftClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Back); });
  BeatGen& b = machine_.Beat;
  if (b.ViewPos > 0 && b.ViewPos > b.StepCount - (HistoryDepth - 1)) {
    --b.ViewPos;
    ShowTrace(*this);
  }
}

void Simulator::SpeedButton_BackRightClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Forward); });
  BeatGen& b = machine_.Beat;
  if (b.ViewPos < b.StepCount) {
    ++b.ViewPos;
    ShowViewPos(*this);
  }
}

void Simulator::PlaybackArrowDown(int direction) {
  trace_.PlaybackDirection = direction;
  trace_.Timer_Trigger.enabled = true;
}

void Simulator::PlaybackArrowUp() {
  trace_.PlaybackDirection = 0;
  trace_.Timer_Trigger.enabled = false;
  trace_.Timer_RecotdBackPlay.enabled = false;
}

void Simulator::Timer_TriggerTimer() {
  trace_.Timer_RecotdBackPlay.enabled = true;
  trace_.Timer_Trigger.enabled = false;
}

void Simulator::Timer_RecotdBackPlayTimer() {
  if (trace_.PlaybackDirection < 0) SpeedButton_BackLeftClick();
  if (trace_.PlaybackDirection > 0) SpeedButton_BackRightClick();
}

Simulator::ExportResult Simulator::ExportTrace(const std::string& path, int64_t from, int64_t to) {
  const auto recorded = Record([&] { return CommandLine(Cmd::ExportTrace, path, from, to); });
  const std::optional<std::string> text = ExportText(machine_, trace_, path, from, to, console_.Microprogram());
  if (!text) return ExportResult::UnknownFormat;
  if (!host.WriteFile(path, *text)) {
    host.Warn(files::CannotWriteWarning(path));
    return ExportResult::NotWritten;
  }
  return ExportResult::Written;
}

}  // namespace orrin
