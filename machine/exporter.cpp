#include "machine/exporter.h"

#include "base/text_files.h"
#include "machine/trace_diagram.h"
#include "machine/trace_export.h"

namespace orrin {

const char* const kExportFormats = ".vcd, .csv, .json, .svg or .png";

std::string ExportFormat(const std::string& path) {
  const std::string ext = files::LowerExtension(path);
  for (const char* known : {"vcd", "csv", "json", "svg", "png"})
    if (ext == known) return ext;
  return "";
}

std::optional<std::string> ExportText(const Core& m, const Trace& t, const std::string& path, int64_t from, int64_t to,
                                      bool microAddresses) {
  const std::string ext = ExportFormat(path);
  const BeatRange r = RecordedRange(m.Beat, from, to);
  if (ext == "csv") return TraceCsv(t, r);
  if (ext == "vcd") return TraceVcd(t, r);
  if (ext == "json") return TraceWaveDrom(t, r);
  if (ext == "svg" || ext == "png") {
    std::vector<size_t> rows(TraceSignals().size());
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    const DiagramDrawing d = DrawExport(t, m.Beat, rows, from, to, microAddresses, m.Micro.Store.data());
    return ext == "svg" ? DiagramSvg(d) : DiagramPng(d);
  }
  return std::nullopt;
}

}  // namespace orrin
