#pragma once
// The simulator: the machine, its view, the wire canvas and the host. Every
// user action is one method here; the window and orrin-run call the same ones.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "asm/isa.h"
#include "base/board_view.h"
#include "base/canvas.h"
#include "base/hex_text.h"
#include "base/host.h"
#include "base/machine_state.h"
#include "machine/wire_store.h"

namespace orrin {

struct TimerRecord {
  bool enabled = false;
  int intervalMs = 0;
};

enum class MouseButton { Left, Right, Middle };

class Simulator {
 public:
  explicit Simulator(Host& host);
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  MachineState machine;
  WireStore wires;
  BoardView view;
  Canvas canvas;
  Host& host;

  TimerRecord Timer_RUN{false, 5};
  TimerRecord Timer_WrongLine{false, 100};
  TimerRecord Timer_Trigger{false, 1000};
  TimerRecord Timer_RecotdBackPlay{false, 100};
  bool quitRequested = false;  // set by "退出"

  // The clean board picture; the window paints it and hands it over before
  // Startup (an all-white picture stands in for it headless).
  std::vector<uint32_t> cleanBoard;

  // Post-construction set-up of the window, in its order.
  void Startup();
  // Everything back to how the constructor left it (then Startup again),
  // without giving back the trace rings: a new board at a fraction of the
  // cost, for the fuzzer's every input and a lab's fresh start.
  void Reset();

  // ---- controller mode, read from the radio buttons
  bool HardWiredMode() const { return view[WidgetId::RadioButtonHdLine].checked; }
  bool IndependentMode() const { return !HardWiredMode() && view[WidgetId::RadioButtonHandLine].checked; }
  bool MicroprogramMode() const {
    return !HardWiredMode() && !IndependentMode() && view[WidgetId::RadioButtonMicroProgram].checked;
  }

  // ---- evaluation and display
  void BoardEvaluation();
  void OrderedDisplayRefresh(uint8_t power, uint8_t fromRecording);
  // While the view is held (a run of many small beats that nobody watches
  // beat by beat), a refresh only commits the switches' shown copies and
  // marks the view stale; releasing the last hold repaints it once. What is
  // seen afterwards is what a refresh after every beat would have shown.
  void HoldView() { ++viewHolds_; }
  void ReleaseView();
  bool eagerView = false;  // never hold: every refresh repaints (tests compare both)

  // ---- clock, beats and stepping
  void AdvanceBeat();
  void StepSmallBeat(uint8_t power);
  void ExecuteSmallBeat();
  void Timer_RUNTimer();
  void ResetMachine();
  bool AtCycleStart() const;  // phase 1 of a cycle, not the first after a reset
  bool StopWordHeld() const;  // at a cycle start with STOP up for a whole cycle

  // ---- microprogram controller
  // The sequencer in a small beat: first the next address formed from this
  // beat's test inputs, then (after the data path) the micro-address
  // loaded at the falling edge of T3 and the new word decoded.
  void SequencerFormNextAddress();
  void SequencerClockAddress();
  void MicroSignals();
  void ClearSequencer();
  // The next-address logic on the word at MicroAddress, with the given IR and
  // flag outputs and the test jacks, switches and INTQ as they are now.
  void ComputeNextAddress(int32_t ir, int32_t zOut, int32_t cOut);
  // Decodes the word at `address` with `in` into Micro.Decode (panel fields).
  void DecodeForDisplay(int32_t address, const MicroInputs& in);
  void DecodeWordForDisplay(int32_t address, std::string_view word, const MicroInputs& in);
  void LoadDefaultControlStore();

  // ---- console controls
  void SpeedButtonPOWERClick();
  void PowerOnAction();
  void PowerOffAction();
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
  void RadioButtonHandLineClick();
  void RadioButtonMicroProgramClick();
  void Button_CloseNowHandClick();
  void Button_CloseNowMicroClick();
  void N_QuitClick() { quitRequested = true; }

  // ---- switch banks
  void ToggleLevelSwitch(int n);
  void ToggleDataSwitch(int n);
  void LevelSwitchesPowerOff();
  void LevelSwitchesPowerOn();
  void DataSwitchesPowerOn();

  // ---- trace
  void RecordTrace(int64_t n);
  void ShowTrace();
  // Returns the view to the newest position, showing the live state again;
  // every action except the playback arrows, print and dump calls it first.
  void EndPlayback();
  // Shows recorded position `pos` (clamped to the ring), as the arrows would
  // after enough clicks: the timing diagram's click.
  void ShowPosition(int64_t pos);
  // Before the memory or the control store changes between beats: keeps
  // what they held, for playback to show older positions as they were.
  void RecordMemoryEdit();
  void RecordStoreEdit();
  void ForgetEdits();  // positions restart at 0: no change before belongs to one
  void SpeedButton_BackLeftClick();
  void SpeedButton_BackLeftMouseDown();
  void SpeedButton_BackLeftMouseUp();
  void SpeedButton_BackRightClick();
  void SpeedButton_BackRightMouseDown();
  void SpeedButton_BackRightMouseUp();
  void Timer_TriggerTimer();
  void Timer_RecotdBackPlayTimer();

  // Writes the recorded small beats FROM..TO (clamped to the ring) as .vcd,
  // .csv or .json (WaveDrom), by the path's extension; a file that cannot be
  // written is warned about as every file is.
  enum class ExportResult { Written, NotWritten, UnknownFormat };
  ExportResult ExportTrace(const std::string& path, int64_t from, int64_t to);
  // The text ExportTrace writes; nothing for an extension no format has.
  std::optional<std::string> TraceExport(const std::string& path, int64_t from, int64_t to);

  // ---- wire editor, wiring check, wire file
  void Image_WireDrawMouseMove(int x, int y);
  void Image_WireDrawMouseUp(MouseButton button, int x, int y);
  void PointLabelMouseMove();
  void Button_delLineClick();
  void ClearAllWires();
  void Button_SetColorClick();
  void ShowWireColor();
  void ShowSwitchWires(int n, int left, int top);
  void Image_KMouseMove(int n, int x, int y);
  void Panel_KEYMouseMove();
  void DrawWire(int index);
  void CheckWiring();
  void Timer_WrongLineTimer();
  void N_ReadLineFileClick();
  void N_SaveLineFileClick();

  // ---- panels: memory grid and files, control-store grid and files, register edits
  void RefreshMemoryViews(uint8_t power);
  void Button_GridToMEMClick();
  void N_MEM2FileClick();
  void N_File2MEMClick();
  // "汇编文件->内存": a source in mnemonics, assembled into the memory.
  void N_Asm2MEMClick();
  InstructionSet isa = StandardInstructionSet();  // what the assembler and the listing use
  void Button_GridToMicroClick();
  void N_ReadMicroFileClick();
  void LoadMicroFile(const std::string& name);
  void N_BakMicro2FileClick();
  void RefillMicroGrid();
  // Text typed into a cell of the memory or control-store table: like every
  // action it shows the newest position first, so the cell is typed over the
  // live contents. Nothing is stored until the table's "保存".
  void TypeGridCell(WidgetId grid, int col, int row, const std::string& text);
  void ClearMemoryGrid();  // every cell empty, the address headers written
  void ClearMicroGrid();   // every cell empty, the address headers written
  void SetRegisterFieldsReadOnly(bool readOnly);
  // A key typed into one of the twelve register fields; returns true when the
  // key was swallowed (Enter with the power on).
  bool EditKeyPress(WidgetId field, int key);

 private:
  // display modules, in the order of the refresh
  void RefreshPowerButton();
  void RefreshBeatLines(uint8_t power);
  void RefreshDP(uint8_t power);
  void RefreshModeSwitches(uint8_t power);
  void RefreshDataSwitches(uint8_t power);
  void RefreshLevelSwitches();
  void RefreshQD(uint8_t power);
  void RefreshSignalLamps(uint8_t power);
  void RefreshSelLamps(uint8_t power);
  void RefreshSourceLabels(uint8_t power);
  void RefreshAluPanel(uint8_t power);
  void RefreshRegisterFile(uint8_t power);
  void RefreshMemory(uint8_t power);
  void RefreshControllerPanel(uint8_t power);
  void RefreshAr(uint8_t power);
  void RefreshPc(uint8_t power);
  void RefreshIr(uint8_t power);
  void RefreshIar(uint8_t power);
  void RefreshDataBus(uint8_t power);
  void RefreshInterrupt(uint8_t power);
  void RefreshStop(uint8_t power);

  void SetUpView();
  int viewHolds_ = 0;
  bool viewStale_ = false;
  void CommitSwitchCopies(uint8_t fromRecording);
  void RepaintBoard(uint8_t power);

  // The memory loads' common start (the power, the dialog; empty: the
  // command ends) and end.
  std::string ChooseMemoryInput();
  void LoadIntoMemory(const std::array<uint8_t, MemorySize>& image);

  void CommitShown();                      // every unit's shown record from its working values
  void CaptureShown(TraceEntry& e) const;  // the shown records into a trace entry
  void PutShown(const TraceEntry& e);      // and back
  void FormControlSignals();
  void StyleValueLabels();
  void ShowViewPos();  // the view at Beat.ViewPos: the live board when it is the newest
  void StartPlaybackRepeat(int direction);
  void StopPlaybackRepeat();

  // ---- wiring board: helpers of the wire editor, the check and the wire file
  void StartDrawing(int jackNumber, int x, int y);
  void AddBendPoint(int x, int y);
  void CompleteDrawing(int jackNumber, int x, int y);
  void EraseDrawnLines(int x, int y);  // the lines of the wire being drawn, up to (x, y)
  void EndDrawing();                   // labels gone, drawing flag cleared
  void MoveRubberBand(int x, int y);
  void AddPointLabel(int x, int y);
  void DestroyPointLabels();
  void ShowWiringAlarm(bool alarm);                        // the two wrong-jack labels, normal or alarm look
  bool TakeWireLine(std::string_view digits, int& taken);  // false: the line gave no wire
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

// ---- wiring board
// Left edge of the picture of level switch Kn in the console strip.
int LevelSwitchImageLeft(int n);

// The beat-line picture of a level code (the power-off picture without power).
Pic LevelPicture(uint8_t power, int32_t code);
// The console mode named by SWC SWB SWA; nullptr for values other than 0/1.
const char* ModeNote(int32_t swc, int32_t swb, int32_t swa);

// ---- panels: register edits
// The longest text a register field takes (its maximum length in the window);
// 0 for a widget that is not one of the twelve register fields.
int RegisterFieldLength(WidgetId field);

}  // namespace orrin
