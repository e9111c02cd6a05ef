#pragma once
// "时序图": the recorded small beats as a timing diagram, one row a signal,
// the small-beat number across under a ruler of beats and machine cycles.
// Values come from the trace's plain values, decimated per pixel column when
// zoomed out, so the whole ring draws at once.
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

  // Rows chosen, as indexes into TraceSignals(), top to bottom; those from
  // `topRow` on that fit the height are shown.
  std::vector<size_t> rows;
  int topRow = 0;
  double beatWidth = 12;             // pixels a small beat
  int64_t firstBeat = 1;             // the beat at the left edge
  std::function<void()> afterClick;  // a click chose a position: the main window repaints
  std::function<void()> afterMove;   // zoomed, scrolled or resized: the scroll bars follow

  void FitAll();
  // After the fields above were set: clamps them, repaints, moves the scroll bars.
  void Moved();
  // The beat under x, or 0 left of the beats.
  int64_t BeatAt(int x) const;
  // Beats and rows that fit the widget.
  int VisibleBeats() const;
  int VisibleRows() const;
  // The beats shown, clamped to the recorded ones (first > last: none).
  BeatRange ShownRange() const;
  DiagramView View(int width, int height) const;
  QSize sizeHint() const override;

  // Paints a drawing (the widget's, or an export's) with the window's fonts.
  static void Paint(QPainter& p, const DiagramDrawing& d);

  static constexpr int kLabelWidth = DiagramView::kLabelWidth, kRowHeight = DiagramView::kRowHeight,
                       kRulerHeight = DiagramView::kRulerHeight;
  // What the last paint cost, and when it was.
  qint64 lastPaintNs = 0;
  QElapsedTimer sincePaint;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
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
  // Writes the file the path's extension names: the whole history as .vcd,
  // .csv or .json; the beats in view, with the rows chosen, as a .png or
  // .svg picture at a readable scale. An unknown extension or a file that
  // cannot be written is warned about; false then.
  bool ExportTo(const QString& path);
  // The path a save dialog returned, with the chosen filter's extension
  // added when the name has none.
  static QString WithFilterExtension(const QString& path, const QString& filter);
  void Retranslate();

 private:
  void AskExport();
  void RowsChanged();
  void SyncScroll();
  Simulator& sim_;
  TimingDiagram* diagram_;
  QListWidget* rowList_;
  QScrollBar* scroll_;
  QScrollBar* rowScroll_;
  int64_t lastNewest_ = -1, lastView_ = -1;
};

}  // namespace orrin::ui
