#pragma once
// The simulator: the one façade every user action goes through. The window,
// orrin-run and the tests call the same methods, named after the widget and
// event they answer (or the operation of a family: ToggleLevelSwitch(n));
// each ends a playback, asks the components, and has the board evaluated and
// repainted. The logic lives in the components:
//   machine  the units, the combinational pass and the clock step (Core)
//   wires    the jacks and the wires between them (WireStore)
//   console  power, run mode, operating mode, controller mode, run timer
//   trace    the recorded small beats and playback
//   editor   drawing wires, the wiring check, the wire colour
//   panels   the display refresh into the view
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "asm/isa.h"
#include "base/board_view.h"
#include "base/canvas.h"
#include "base/hex_text.h"
#include "base/host.h"
#include "machine/console.h"
#include "machine/core.h"
#include "machine/panels.h"
#include "machine/trace.h"
#include "machine/wire_editor.h"
#include "machine/wire_store.h"
#include "simulator/session.h"

namespace orrin {

class Simulator {
 public:
  explicit Simulator(Host& host);
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // What the board shows: the window and the page paint it; a field's text
  // is typed into it before its Enter (EditKeyPress) or a grid's "保存".
  BoardView view;

 private:
  // The components: written only through the actions below (the tests and
  // the teacher's faults reach them through SimulatorAccess).
  Core machine_;
  WireStore wires_;
  Console console_;
  Controllers controllers_;  // one per controller mode; the console's mode picks
  Trace trace_;
  Canvas canvas_;
  WireEditor editor_{wires_, canvas_, view};
  Panels panels_{view};
  friend struct SimulatorAccess;

 public:
  // ... and read by everyone.
  const Core& machine = machine_;
  const WireStore& wires = wires_;
  const Console& console = console_;
  const Controllers& controllers = controllers_;
  const Trace& trace = trace_;
  const Canvas& canvas = canvas_;
  const WireEditor& editor = editor_;
  // What the user did, as a script (recorded when session.recording).
  Session session;
  // Every box and dialog goes through here to the program's host.
  HostRelay hostRelay;
  Host& host;
  InstructionSet isa = StandardInstructionSet();  // what the assembler and the listing use
  // The clean board picture; the window paints it and hands it over before
  // Startup (an all-white picture stands in for it headless).
  std::vector<uint32_t> cleanBoard;
  bool quitRequested = false;  // set by "退出"

  // Another board picture under the wires (the language changed): the wires
  // stay drawn over it.
  void ReplaceBoardPicture(std::vector<uint32_t> picture);
  // The wire colour the window remembered from last time (0x00BBGGRR).
  void RestoreWireColour(uint32_t stored);

  // Post-construction set-up of the window, in its order.
  void Startup();
  // Everything back to how the constructor left it (then Startup again),
  // without giving back the trace rings: a new board at a fraction of the
  // cost, for the fuzzer's every input and a lab's fresh start.
  void Reset();

  // ---- evaluation, display, the small beat
  // Everything that follows from the state, then the repaint.
  void BoardEvaluation();
  // The ordered refresh (while the view is held it only marks it stale);
  // `fromRecording`: a recorded position is shown, the switches keep theirs.
  void Refresh(bool fromRecording = false);
  void HoldView() { panels_.Hold(); }
  void ReleaseView() { panels_.Release(Parts()); }
  void StepSmallBeat();  // one small beat with the power on, its repaint and trace entry

  // ---- console
  void SpeedButtonPOWERClick();
  void SpeedButtonCLRClick();
  void SpeedButtonQDClick();
  void SpeedButton_PULSEClick();
  void Button_PAUSEClick();
  void Button_OneLittleStepClick();
  void Image_DPClick();
  void Image_SWCClick();
  void Image_SWBClick();
  void Image_SWAClick();
  void RadioButtonHdLineClick();
  // Whether a controller mode's button takes a click.
  bool ModeAvailable(ControllerMode mode) const { return controllers_.Of(mode).Available(); }
  void RadioButtonHandLineClick();
  void RadioButtonMicroProgramClick();
  void Button_CloseNowHandClick();
  void Button_CloseNowMicroClick();
  void N_QuitClick() { quitRequested = true; }
  // A lab's question answered with choice n (its button, `choose N`): what a
  // lab's check `choice=N` compares with, until a lab starts again.
  void ChooseAnswer(int n);
  const std::string& Choice() const { return choice_; }
  void ForgetChoice() { choice_.clear(); }
  void ToggleLevelSwitch(int n);
  void ToggleDataSwitch(int n);
  void Timer_RUNTimer();

  // ---- playback and the trace
  // Returns the view to the newest position, showing the live state again;
  // every action except the playback arrows and reading the board calls it.
  void EndPlayback();
  // Shows recorded position `pos` (clamped to the ring), as the arrows would
  // after enough clicks: the timing diagram's click.
  void ShowPosition(int64_t pos);
  void SpeedButton_BackLeftClick();
  void SpeedButton_BackRightClick();
  // A playback arrow held down (-1 back, +1 forward) repeats until released.
  void PlaybackArrowDown(int direction);
  void PlaybackArrowUp();
  void Timer_TriggerTimer();
  void Timer_RecotdBackPlayTimer();
  // Writes the recorded small beats FROM..TO (clamped to the ring) in the
  // format the path's extension names; a file that cannot be written is
  // warned about as every file is. A read: a shown position stays shown.
  enum class ExportResult { Written, NotWritten, UnknownFormat };
  ExportResult ExportTrace(const std::string& path, int64_t from, int64_t to);

  // ---- wiring board
  void Image_WireDrawMouseMove(int x, int y);
  void Image_WireDrawMouseUp(MouseButton button, int x, int y);
  void Image_WireDrawMouseLeave();
  void PointLabelMouseMove();
  void Button_delLineClick();
  void ClearAllWires();
  void Button_SetColorClick();
  void Image_KMouseMove(int n, int x, int y);
  void Panel_KEYMouseMove();
  void Timer_WrongLineTimer();
  void N_ReadLineFileClick();
  void N_SaveLineFileClick();

  // ---- panels: memory grid and files, control-store grid and files, register edits
  void Button_GridToMEMClick();
  void N_MEM2FileClick();
  // --isa FILE: the instruction set of a changed microprogram for the
  // assembler and the listing; a file that cannot be read or has errors is
  // warned about and the standard set stays.
  void UseInstructionSetFile(const std::string& path);
  void N_File2MEMClick();
  // "汇编文件->内存": a source in mnemonics, assembled into the memory.
  void N_Asm2MEMClick();
  void Button_GridToMicroClick();
  void N_ReadMicroFileClick();
  void LoadMicroFile(const std::string& name);  // "defaultfile": ask with the dialog
  void N_BakMicro2FileClick();
  void N_ReadMicroSourceClick();  // a microprogram source (.mc): words by name
  void N_SaveMicroSourceClick();  // the store as a source
  void N_ReadControllerClick();   // a hard-wired controller: a Yosys netlist (.json) or Verilog
  // Text typed into a cell of the memory or control-store table: like every
  // action it shows the newest position first, so the cell is typed over the
  // live contents. Nothing is stored until the table's "保存".
  void TypeGridCell(WidgetId grid, int col, int row, const std::string& text);
  // Text typed into a register field, kept until its Enter; a read-only
  // field (power off) takes none.
  void TypeField(WidgetId field, const std::string& text);
  // A key typed into one of the twelve register fields; returns true when the
  // key was swallowed (Enter with the power on).
  bool EditKeyPress(WidgetId field, int key);

 private:
  std::string choice_;
  BoardParts Parts() const { return {machine_, console_, wires_}; }
  // The recording of one action: `line()` makes its console line when the
  // action ends, if it is the outermost one and a session is recording.
  template <typename Line>
  struct Recorder {
    Session& session;
    Line line;
    Recorder(Session& s, Line l) : session(s), line(std::move(l)) {}
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    ~Recorder() { session.End(session.recording && session.Outermost() ? std::string(line()) : std::string()); }
  };
  template <typename Line>
  Recorder<Line> Record(Line line) {
    session.Begin();
    return Recorder<Line>(session, std::move(line));
  }
};

// Holds the simulator's view for a scope.
class ViewHold {
 public:
  explicit ViewHold(Simulator& sim) : sim_(sim) { sim_.HoldView(); }
  ~ViewHold() { sim_.ReleaseView(); }
  ViewHold(const ViewHold&) = delete;
  ViewHold& operator=(const ViewHold&) = delete;

 private:
  Simulator& sim_;
};

// The longest text a register field takes (its maximum length in the window);
// 0 for a widget that is not one of the twelve register fields.
int RegisterFieldLength(WidgetId field);

}  // namespace orrin
