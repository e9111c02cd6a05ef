#include "units/units.h"

namespace orrin {

void DriveBus(BusRecord& bus, const std::array<int32_t, 4>& sources) {
  bus.Value = 0;
  for (size_t i = 0; i < 4; ++i) {
    bus.Drivers[i] = DrivesWhen(sources[i] != Released && sources[i] != NoValue);
    if (bus.Drivers[i] == Drive::Drives) bus.Value |= sources[i] & 0xFF;
  }
}

}  // namespace orrin
