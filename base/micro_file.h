#pragma once
// The microprogram text file: lines of twelve hex digits (address, then the
// ten-digit word) with ";" comments; the backup writes "AA:WWWWWWWWWW" lines.
#include <string>
#include <string_view>
#include <vector>

#include "base/machine_state.h"

namespace orrin::files {

// Files longer than this are not read.
inline constexpr std::size_t kLongestMicroFile = 139264;

// Sets a control-store entry for every line of exactly twelve digits; the
// store is not cleared first. Returns the numbers of the lines that had
// digits but not twelve: they set nothing.
std::vector<int64_t> ReadMicroprogram(MachineState& machine, std::string_view text);
// How many lines of the text set an entry (twelve digits each).
std::size_t CountMicrowords(std::string_view text);
// One "AA:WWWWWWWWWW" CR LF line per set entry, in address order.
std::string MicroprogramBackup(const MachineState& machine);

}  // namespace orrin::files
