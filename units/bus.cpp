#include "units/units.h"

namespace orrin {

void DriveBus(BusRecord& bus, const std::array<int32_t, 4>& sources) {
  bus.Value = 0;
  for (size_t i = 0; i < 4; ++i) {
    bus.Drive[i] = 0;
    bus.Considered[i] = 1;
    if (sources[i] != Released && sources[i] != NoValue) {
      bus.Value |= sources[i] & 0xFF;
      bus.Drive[i] = 1;
    }
  }
}

}  // namespace orrin
