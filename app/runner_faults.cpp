// fault ...: the teacher-set faults, as console commands, so that checks,
// labs and orrin-run set them alike.
//   fault jack NAME 0|1      the jack reads stuck at 0 or 1
//   fault wire FROM TO       that wire stays drawn but carries nothing
//   fault lamp WIDGET        that lamp never lights
//   fault reg NAME BIT 0|1   bit BIT of R0-R3, AR, PC, IR or IAR is stuck
//   fault mem HH BIT 0|1     bit BIT of memory cell HH is stuck
//   fault clear              every fault removed
#include <cctype>
#include <iterator>
#include <string>

#include "app/runner.h"
#include "simulator/faults.h"

namespace orrin {

namespace {

bool Level(const std::string& text, int& level) {
  if (text != "0" && text != "1") return false;
  level = text == "1" ? 1 : 0;
  return true;
}

bool Bit(const std::string& text, int& bit) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '7') return false;
  bit = text[0] - '0';
  return true;
}

bool Register(const std::string& text, StuckRegister& r) {
  constexpr const char* kNames[] = {"R0", "R1", "R2", "R3", "AR", "PC", "IR", "IAR"};
  for (size_t i = 0; i < std::size(kNames); ++i)
    if (text == kNames[i]) {
      r = static_cast<StuckRegister>(i);
      return true;
    }
  return false;
}

bool Cell(const std::string& text, int& cell) {
  if (text.size() != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
      !std::isxdigit(static_cast<unsigned char>(text[1])))
    return false;
  cell = std::stoi(text, nullptr, 16);
  return true;
}

bool RunFault(RunnerContext& ctx, const Words& w, std::string& error) {
  Simulator& sim = ctx.sim;
  const std::string kind = w.size() > 1 ? w[1] : "";
  int level = 0, bit = 0, cell = 0;
  StuckRegister reg{};
  if (kind == "clear" && w.size() == 2) {
    ClearFaults(sim);
    return true;
  }
  if (kind == "jack" && w.size() == 4 && Level(w[3], level)) {
    if (StickJack(sim, FindJack(sim, w[2]), level)) return true;
    error = "fault jack: no jack named '" + w[2] + "' (VCC and GND cannot be stuck)";
    return false;
  }
  if (kind == "wire" && w.size() == 4) {
    if (BreakWire(sim, FindJack(sim, w[2]), FindJack(sim, w[3]))) return true;
    error = "fault wire: '" + w[2] + "' is no output jack or '" + w[3] + "' no input jack";
    return false;
  }
  if (kind == "lamp" && w.size() == 3) {
    if (DarkenLamp(sim, FindWidget(w[2]))) return true;
    error = "fault lamp: '" + w[2] + "' is no lamp";
    return false;
  }
  if (kind == "reg" && w.size() == 5 && Register(w[2], reg) && Bit(w[3], bit) && Level(w[4], level)) {
    StickRegisterBit(sim, reg, bit, level);
    return true;
  }
  if (kind == "mem" && w.size() == 5 && Cell(w[2], cell) && Bit(w[3], bit) && Level(w[4], level)) {
    StickCellBit(sim, cell, bit, level);
    return true;
  }
  error =
      "'fault' takes: jack NAME 0|1, wire FROM TO, lamp WIDGET, reg R0-R3|AR|PC|IR|IAR BIT 0|1, mem HH BIT 0|1, "
      "or clear";
  return false;
}

}  // namespace

CommandResult RunFaultCommand(RunnerContext& ctx, Cmd command, const Words& w, std::string& error) {
  if (command != Cmd::Fault) return CommandResult::NotMine;
  return RunFault(ctx, w, error) ? CommandResult::Done : CommandResult::Error;
}

}  // namespace orrin
