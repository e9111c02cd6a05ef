#pragma once
// The panels: the board's display as data. The ordered refresh turns the
// machine core, the console and the wires into the BoardView, module by
// module; while the view is held (a run of many small beats nobody watches
// one by one) a refresh only marks it stale, and the hold's end repaints
// once, so what is seen is what a refresh after every beat would show.
#include <array>

#include "base/board_view.h"
#include "machine/console.h"
#include "machine/core.h"
#include "machine/wire_store.h"

namespace orrin {

// What the panels show.
struct BoardParts {
  const Core& m;
  const Console& c;
  const WireStore& w;
};

class Panels {
 public:
  explicit Panels(BoardView& view) : view_(view) {}
  Panels(const Panels&) = delete;
  Panels& operator=(const Panels&) = delete;

  bool MemoryGridDirty = true;  // the memory table and listing are rebuilt at the next repaint
  bool eagerView = false;       // never hold: every refresh repaints (tests compare both)

  // The ordered refresh; while held it only marks the view stale.
  void Refresh(const BoardParts& b);
  void Hold() { ++holds_; }
  // Ends one hold; at the last, a stale view is repainted.
  void Release(const BoardParts& b);
  void Reset() {
    holds_ = 0;
    stale_ = false;
    MemoryGridDirty = true;
  }

  // Modules an action repaints on its own.
  void RefreshDP(const BoardParts& b);
  void RefreshModeSwitches(const BoardParts& b);
  void RefreshQD(const BoardParts& b);
  // What the power switch changes beside the modules: the memory table
  // takes typing and the register fields take edits only with the power on,
  // and the value labels over the board picture are opaque then.
  void ShowPower(bool on);
  // The controller-mode buttons and the pictures and notes of the mode.
  void ShowControllerMode(ControllerMode mode, const Controllers& controllers);
  // The tables: every cell empty and the address headers written; the
  // control store's words into its table (typed edits are discarded).
  void ClearMemoryGrid();
  void ClearMicroGrid();
  void RefillMicroGrid(const MachineState& m);

 private:
  void Repaint(const BoardParts& b);
  void RefreshPowerButton(const BoardParts& b);
  void RefreshBeatLines(const BoardParts& b);
  void RefreshDataSwitches(const BoardParts& b);
  void RefreshLevelSwitches(const BoardParts& b);
  void RefreshSignalLamps(const BoardParts& b);
  void RefreshSelLamps(const BoardParts& b);
  void RefreshSourceLabels(const BoardParts& b);
  void RefreshAluPanel(const BoardParts& b);
  void RefreshRegisterFile(const BoardParts& b);
  void RefreshMemory(const BoardParts& b);
  void RefreshMemoryViews(const BoardParts& b);
  void RefreshControllerPanel(const BoardParts& b);
  void RefreshControllerTexts(const BoardParts& b);
  void ClearControllerTexts();
  void ShowMicroSource(const MachineState& m, int address);
  void RefreshAr(const BoardParts& b);
  void RefreshPc(const BoardParts& b);
  void RefreshIr(const BoardParts& b);
  void RefreshIar(const BoardParts& b);
  void RefreshDataBus(const BoardParts& b);
  void RefreshInterrupt(const BoardParts& b);
  void RefreshStop(const BoardParts& b);

  BoardView& view_;
  struct ShownSource {
    bool made = false;
    bool set = false;
    uint64_t word = 0;
    std::string comment;
    std::string text;
  };
  std::array<ShownSource, ControlStoreSize> shownSource_;
  int holds_ = 0;
  bool stale_ = false;
};

// The beat-line picture of a level code (the power-off picture without power).
Pic LevelPicture(bool power, int32_t code);
// The console mode named by SWC SWB SWA; nullptr for values other than 0/1.
const char* ModeNote(int32_t swc, int32_t swb, int32_t swa);

}  // namespace orrin
