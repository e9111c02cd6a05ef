#pragma once
// "时序图": the recorded small beats as a timing diagram, one row a signal,
// the small-beat number across. Values come from the trace's plain values,
// decimated per pixel column when zoomed out, so the whole ring draws at once.
#include <QDialog>
#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "machine/trace_diagram.h"

class QListWidget;
class QScrollBar;

namespace orrin {
class Simulator;
}

namespace orrin::ui {

class TimingDiagram : public QWidget {
 public:
  explicit TimingDiagram(Simulator& sim, QWidget* parent = nullptr);

  // Rows shown, as indexes into TraceSignals(), top to bottom.
  std::vector<size_t> rows;
  double beatWidth = 12;             // pixels a small beat
  int64_t firstBeat = 1;             // the beat at the left edge
  std::function<void()> afterClick;  // a click chose a position: the main window repaints

  void FitAll();
  // The beat under x, or 0 left of the beats.
  int64_t BeatAt(int x) const;
  void Render(QPainter& p, int width, int height) const;  // also for PNG and SVG
  QSize sizeHint() const override;

  static constexpr int kLabelWidth = DiagramView::kLabelWidth, kRowHeight = DiagramView::kRowHeight;
  DiagramView View(int width, int height) const;
  // What the last paint cost, and when it was.
  qint64 lastPaintNs = 0;
  QElapsedTimer sincePaint;

 protected:
  void paintEvent(QPaintEvent*) override;
  void wheelEvent(QWheelEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  Simulator& sim_;
};

class TimingDiagramWindow : public QDialog {
 public:
  TimingDiagramWindow(Simulator& sim, QWidget* parent);
  // Follows the newest beat while it is shown; called once per frame.
  void Follow();
  TimingDiagram* Diagram() const { return diagram_; }
  // Writes the diagram or the history by the path's extension
  // (.png, .svg, .vcd, .csv, .json); false when it could not.
  bool ExportTo(const QString& path);
  void Retranslate();

 private:
  void AskExport();
  void RowsChanged();
  void SyncScroll();
  Simulator& sim_;
  TimingDiagram* diagram_;
  QListWidget* rowList_;
  QScrollBar* scroll_;
  int64_t lastNewest_ = -1, lastView_ = -1;
};

}  // namespace orrin::ui
