// Arbitrary cell texts typed into both grids and saved: the memory and the
// control store stay well-formed and both grids show them back in full.
#include <string_view>

#include "fuzz/fuzz_support.h"

using namespace orrin;
using enum WidgetId;

namespace {
struct Board {
  FuzzHost host;
  Simulator sim{host};
  Board() {
    sim.Startup();
    sim.SpeedButtonPOWERClick();
  }
};

// The input is cut into cell texts at newlines; they fill the cells in turn.
class Cells {
 public:
  Cells(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
  std::string_view Next() {
    const size_t end = rest_.find('\n');
    const std::string_view cell = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    return cell;
  }

 private:
  std::string_view rest_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Board b;
  Simulator& sim = b.sim;
  Cells cells(data, size);
  for (int r = 1; r <= 16; ++r)
    for (int c = 1; c <= 16; ++c)
      sim.view.Writable(StringGrid_MEM).cells[static_cast<size_t>(r * 17 + c)] = cells.Next();
  for (int r = 1; r <= 8; ++r)
    for (int c = 1; c <= 8; ++c)
      sim.view.Writable(StringGrid_MicroMem).cells[static_cast<size_t>(r * 9 + c)] = cells.Next();
  sim.Button_GridToMEMClick();
  sim.Button_GridToMicroClick();
  RequireInvariants(sim);
  for (int a = 0; a < MemorySize; ++a) {
    const std::string& cell = sim.view.Cell(StringGrid_MEM, a % 16 + 1, a / 16 + 1);
    Require(cell == Hex2(sim.machine.Mem.ShownCells[static_cast<size_t>(a)]).view(), "memory grid shows another byte");
  }
  for (int a = 0; a < ControlStoreSize; ++a)
    Require(sim.view.Cell(StringGrid_MicroMem, a % 8 + 1, a / 8 + 1) == FetchMicroword(sim.machine, a),
            "control-store grid shows another word");
  return 0;
}
