// Script commands of the wiring board: the mouse over the board picture, whole
// wires between named jacks, and the wire commands of the menu and buttons.
#include <string>
#include <utility>
#include <vector>

#include "app/runner.h"

namespace orrin {

namespace {

// A picture coordinate; a release dragged off the picture may be negative.
bool ParseCoordinate(const std::string& text, int& value) {
  if (text.empty() || text.size() > 7) return false;
  size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = static_cast<int>(text[0] == '-' ? -v : v);
  return true;
}

bool ParsePoint(const std::string& text, int& x, int& y) {
  const size_t comma = text.find(',');
  return comma != std::string::npos && ParseCoordinate(text.substr(0, comma), x) &&
         ParseCoordinate(text.substr(comma + 1), y);
}

// A real mouse is over the point it releases at, so the picture first sees
// it move there: the rubber band and the hints follow as in the window.
void ReleaseAt(Simulator& sim, MouseButton button, int x, int y) {
  sim.Image_WireDrawMouseMove(x, y);
  sim.Image_WireDrawMouseUp(button, x, y);
}

// move X Y: the mouse over the picture.
bool RunMove(RunnerContext& ctx, const Words& w, std::string& error) {
  Simulator& sim = ctx.sim;
  int x = 0, y = 0;
  if (w.size() != 3 || !ParseCoordinate(w[1], x) || !ParseCoordinate(w[2], y)) {
    error = "move needs two picture coordinates: move X Y";
    return false;
  }
  sim.Image_WireDrawMouseMove(x, y);
  // Onto a coordinate label: the label, not the picture, gets the move.
  for (const PointLabel& l : sim.view.pointLabels) {
    if (l.visible && x >= l.x && x < l.x + l.width && y >= l.y && y < l.y + l.height) {
      sim.PointLabelMouseMove();
      break;
    }
  }
  return true;
}

// release X Y [left|right|middle]: a click on the picture.
bool RunRelease(RunnerContext& ctx, const Words& w, std::string& error) {
  MouseButton button = MouseButton::Left;
  if (w.size() == 4 && w[3] == "right") {
    button = MouseButton::Right;
  } else if (w.size() == 4 && w[3] == "middle") {
    button = MouseButton::Middle;
  } else if (w.size() == 4 && w[3] != "left") {
    error = "release: the button is left, right or middle, not '" + w[3] + "'";
    return false;
  }
  int x = 0, y = 0;
  if ((w.size() != 3 && w.size() != 4) || !ParseCoordinate(w[1], x) || !ParseCoordinate(w[2], y)) {
    error = "release needs two picture coordinates: release X Y [left|right|middle]";
    return false;
  }
  ReleaseAt(ctx.sim, button, x, y);
  return true;
}

// wire A B [X,Y ...]: the clicks that draw a wire from jack A to jack B.
bool RunWire(RunnerContext& ctx, const Words& w, std::string& error) {
  Simulator& sim = ctx.sim;
  if (w.size() < 3) {
    error = "wire needs two jacks: wire A B [X,Y ...]";
    return false;
  }
  const int a = FindJack(sim, w[1]), b = FindJack(sim, w[2]);
  for (int i : {1, 2}) {
    if ((i == 1 ? a : b) < 0) {
      error = "wire: no jack named '" + w[static_cast<size_t>(i)] + "'";
      return false;
    }
  }
  std::vector<std::pair<int, int>> bends;
  for (size_t i = 3; i < w.size(); ++i) {
    int x = 0, y = 0;
    if (!ParsePoint(w[i], x, y)) {
      error = "wire: a bend point is X,Y, not '" + w[i] + "'";
      return false;
    }
    bends.emplace_back(x, y);
  }
  const Jack& ja = sim.wires.JackAt(a);
  const Jack& jb = sim.wires.JackAt(b);
  ReleaseAt(sim, MouseButton::Left, ja.X, ja.Y);
  for (const auto& [bx, by] : bends) ReleaseAt(sim, MouseButton::Left, bx, by);
  ReleaseAt(sim, MouseButton::Left, jb.X, jb.Y);
  return true;
}

// hover X Y: the mouse moved over the picture, nothing more (a recorded
// session's move; `move` also lets a label under the mouse see it).
bool RunHover(RunnerContext& ctx, const Words& w, std::string& error) {
  int x = 0, y = 0;
  if (w.size() != 3 || !ParseCoordinate(w[1], x) || !ParseCoordinate(w[2], y)) {
    error = "hover needs two picture coordinates: hover X Y";
    return false;
  }
  ctx.sim.Image_WireDrawMouseMove(x, y);
  return true;
}

// hover-k N X Y: the mouse over level switch N, at X Y in its picture.
bool RunHoverSwitch(RunnerContext& ctx, const Words& w, std::string& error) {
  int64_t n = 0;
  int x = 0, y = 0;
  if (w.size() != 4 || !ParseNumber(w[1], 0, 31, n) || !ParseCoordinate(w[2], x) || !ParseCoordinate(w[3], y)) {
    error = "hover-k needs a switch number 0-31 and two coordinates: hover-k N X Y";
    return false;
  }
  ctx.sim.Image_KMouseMove(static_cast<int>(n), x, y);
  return true;
}

// A mouse move or timer with no arguments: the coordinate labels, the
// console panel, the blink of a bad wire.
template <void (Simulator::*Action)()>
bool RunPlain(RunnerContext& ctx, const Words& w, std::string& error) {
  if (w.size() != 1) {
    error = w[0] + " takes no arguments";
    return false;
  }
  (ctx.sim.*Action)();
  return true;
}

// wire-colour RRGGBB|-: the colour button, its dialog answered (- cancels).
bool RunWireColour(RunnerContext& ctx, const Words& w, std::string& error) {
  uint32_t rgb = 0;
  const bool cancel = w.size() == 2 && w[1] == "-";
  bool hex = w.size() == 2 && w[1].size() == 6;
  for (size_t i = 0; hex && i < 6; ++i) {
    const int d = HexDigitValue(w[1][i]);
    hex = d >= 0;
    rgb = rgb << 4 | static_cast<uint32_t>(d & 15);
  }
  if (!cancel && !hex) {
    error = "wire-colour needs a colour RRGGBB, or - for a cancelled dialog";
    return false;
  }
  // The store keeps 0x00BBGGRR, the order the wire files use.
  if (!cancel) ctx.host.nextColor = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
  ctx.sim.Button_SetColorClick();
  ctx.host.nextColor.reset();
  return true;
}

bool RunClearWires(RunnerContext& ctx, const Words& w, std::string& error) {
  if (w.size() != 1) {
    error = "clear-wires takes no arguments (answer its question with 'answer' first)";
    return false;
  }
  ctx.sim.Button_delLineClick();
  return true;
}

// load-wires FILE, save-wires FILE: the wire file's menu commands, the
// dialog answered with FILE (- for a cancelled dialog).
bool RunWireFile(RunnerContext& ctx, const Words& w, std::string& error) {
  if (w.size() < 2) {
    error = w[0] + " needs a file name (- for a cancelled dialog)";
    return false;
  }
  const std::string name = LineAfterWords(ctx.line, 1);
  ctx.host.nextFile = name == "-" ? std::string() : name;
  if (w[0] == Word(Cmd::LoadWires))
    ctx.sim.N_ReadLineFileClick();
  else
    ctx.sim.N_SaveLineFileClick();
  // A refusal before the dialog leaves the name unused; it must not answer
  // a later dialog.
  ctx.host.nextFile.reset();
  return true;
}

struct Command {
  Cmd command;
  bool (*run)(RunnerContext&, const Words&, std::string&);
};

constexpr Command kCommands[] = {
    {Cmd::Move, RunMove},
    {Cmd::Release, RunRelease},
    {Cmd::Wire, RunWire},
    {Cmd::ClearWires, RunClearWires},
    {Cmd::LoadWires, RunWireFile},
    {Cmd::SaveWires, RunWireFile},
    {Cmd::Hover, RunHover},
    {Cmd::HoverK, RunHoverSwitch},
    {Cmd::HoverLabel, RunPlain<&Simulator::PointLabelMouseMove>},
    {Cmd::Leave, RunPlain<&Simulator::Image_WireDrawMouseLeave>},
    {Cmd::HoverConsole, RunPlain<&Simulator::Panel_KEYMouseMove>},
    {Cmd::Blink, RunPlain<&Simulator::Timer_WrongLineTimer>},
    {Cmd::WireColour, RunWireColour},
};

}  // namespace

int FindJack(const Simulator& sim, const std::string& text) {
  std::string name = text;
  int wanted = 1;
  if (const size_t hash = text.find('#'); hash != std::string::npos) {
    name = text.substr(0, hash);
    const std::string n = text.substr(hash + 1);
    if (n != "1" && n != "2") return -1;
    wanted = n == "1" ? 1 : 2;
  }
  int seen = 0;
  for (int j = 0; j < JackCount; ++j) {
    if (sim.wires.IsJack(j) && sim.wires.JackAt(j).Name == name && ++seen == wanted) return j;
  }
  return -1;
}

CommandResult RunWiringCommand(RunnerContext& ctx, Cmd command, const Words& w, std::string& error) {
  for (const Command& c : kCommands) {
    if (command == c.command) return c.run(ctx, w, error) ? CommandResult::Done : CommandResult::Error;
  }
  return CommandResult::NotMine;
}

}  // namespace orrin
