#pragma once
// One exporter of the recorded small beats for the window, orrin-run and
// the web page: the path's extension decides the format.
#include <cstdint>
#include <optional>
#include <string>

#include "machine/core.h"
#include "machine/trace.h"

namespace orrin {

// The extensions there are formats for, as a user is told: ".vcd, .csv,
// .json, .svg or .png".
extern const char* const kExportFormats;
// "vcd", "csv", "json", "svg" or "png" when `path` ends in one of them (any
// case), else empty.
std::string ExportFormat(const std::string& path);
// The text (or PNG bytes) of beats FROM..TO, clamped to the ring, in the
// format `path` ends in (any case); nothing for another extension. Pictures
// name each machine cycle's micro-address when `microAddresses`.
std::optional<std::string> ExportText(const Core& m, const Trace& t, const std::string& path, int64_t from, int64_t to,
                                      bool microAddresses);

}  // namespace orrin
