#include "machine/exporter.h"

#include "machine/trace_diagram.h"
#include "machine/trace_export.h"

namespace orrin {

const char* const kExportFormats = ".vcd, .csv, .json, .svg or .png";

std::optional<std::string> ExportText(const Core& m, const Trace& t, const std::string& path, int64_t from,
                                      int64_t to) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  std::string ext = dot == std::string::npos || (slash != std::string::npos && slash > dot) ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  const BeatRange r = RecordedRange(m.Beat, from, to);
  if (ext == "csv") return TraceCsv(t, r);
  if (ext == "vcd") return TraceVcd(t, r);
  if (ext == "json") return TraceWaveDrom(t, r);
  if (ext == "svg" || ext == "png") {
    const DiagramView v = WholeHistoryView(m.Beat, from, to);
    const DiagramDrawing d = DrawDiagram(t, m.Beat, v);
    return ext == "svg" ? DiagramSvg(d, v) : DiagramPng(d, v);
  }
  return std::nullopt;
}

}  // namespace orrin
