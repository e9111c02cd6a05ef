#include "ui/timing_diagram.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "base/text_files.h"
#include "exec/trace_export.h"
#include "simulator/simulator.h"

namespace orrin::ui {

namespace {

QColor RowColor(size_t index) {
  if (index == 0) return QColor(0x60, 0x60, 0x60);   // phase
  if (index <= 10) return QColor(0x10, 0x50, 0xA0);  // registers and the bus
  if (index <= 14) return QColor(0xA0, 0x30, 0x10);  // flags
  return QColor(0x10, 0x80, 0x30);                   // control signals
}

// A cell: one small beat when zoomed in, one pixel column when zoomed out.
struct Cell {
  double x0, x1;
  int64_t b0, b1;
};

}  // namespace

TimingDiagram::TimingDiagram(Simulator& sim, QWidget* parent) : QWidget(parent), sim_(sim) {
  setObjectName("TimingDiagram");
  setMouseTracking(true);
  for (size_t i = 0; i < TraceSignals().size(); ++i) rows.push_back(i);
  setMinimumHeight(kRowHeight * 4);
}

QSize TimingDiagram::sizeHint() const { return {900, kRowHeight * static_cast<int>(rows.size()) + 4}; }

int64_t TimingDiagram::BeatAt(int x) const {
  if (x < kLabelWidth) return 0;
  return firstBeat + static_cast<int64_t>(std::floor((x - kLabelWidth) / beatWidth));
}

void TimingDiagram::FitAll() {
  const BeatRange r = RecordedRange(sim_.machine, 0, INT64_MAX);
  firstBeat = std::max<int64_t>(1, r.first);
  const int64_t beats = std::max<int64_t>(1, r.last - r.first + 1);
  beatWidth = std::max(0.001, static_cast<double>(std::max(1, width() - kLabelWidth)) / static_cast<double>(beats));
  update();
}

void TimingDiagram::Render(QPainter& p, int width, int height) const {
  p.fillRect(0, 0, width, height, Qt::white);
  const auto& signals = TraceSignals();
  const BeatRange recorded = RecordedRange(sim_.machine, 0, INT64_MAX);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  for (size_t r = 0; r < rows.size(); ++r) {
    const int y = static_cast<int>(r) * kRowHeight;
    p.setPen(QColor(0xE8, 0xE8, 0xE8));
    p.drawLine(0, y + kRowHeight - 1, width, y + kRowHeight - 1);
    p.setPen(Qt::black);
    p.drawText(QRect(4, y, kLabelWidth - 6, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft, signals[rows[r]].name);
  }
  p.setPen(QColor(0xC0, 0xC0, 0xC0));
  p.drawLine(kLabelWidth - 1, 0, kLabelWidth - 1, height);
  if (recorded.first > recorded.last) return;

  // The cells across the beat area.
  std::vector<Cell> cells;
  const int64_t lastVisible = std::min(recorded.last, BeatAt(width - 1));
  for (int64_t b = std::max(firstBeat, recorded.first); b <= lastVisible;) {
    const double x0 = kLabelWidth + static_cast<double>(b - firstBeat) * beatWidth;
    int64_t b1 = b;
    if (beatWidth < 1) b1 = std::min(lastVisible, BeatAt(static_cast<int>(x0) + 1) - 1);
    b1 = std::max(b1, b);
    cells.push_back({x0, kLabelWidth + static_cast<double>(b1 + 1 - firstBeat) * beatWidth, b, b1});
    b = b1 + 1;
  }
  if (cells.empty()) return;

  // Each entry is read once; per row and cell: the value at its start and
  // at its end, and whether it changed inside (when zoomed out).
  const size_t n = rows.size();
  std::vector<int32_t> first(n * cells.size()), last(n * cells.size());
  std::vector<uint8_t> mixed(n * cells.size()), cycleStart(cells.size());
  for (size_t c = 0; c < cells.size(); ++c) {
    for (int64_t b = cells[c].b0; b <= cells[c].b1; ++b) {
      const TraceEntry& e = sim_.machine.RingAt(b);
      if (e.beat.BeatPhase == 1) cycleStart[c] = 1;
      for (size_t r = 0; r < n; ++r) {
        const int32_t v = TraceValue(e, rows[r]);
        if (b == cells[c].b0)
          first[c * n + r] = v;
        else if (v != last[c * n + r])
          mixed[c * n + r] = 1;
        last[c * n + r] = v;
      }
    }
  }

  // Machine-cycle boundaries, where the cells are wide enough to show them.
  if (beatWidth >= 3) {
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xD0), 1, Qt::DotLine));
    for (size_t c = 0; c < cells.size(); ++c)
      if (cycleStart[c] && cells[c].b0 == cells[c].b1)
        p.drawLine(QPointF(cells[c].x0, 0), QPointF(cells[c].x0, height));
  }
  for (size_t r = 0; r < n; ++r) {
    const int y = static_cast<int>(r) * kRowHeight;
    const double hi = y + 3, lo = y + kRowHeight - 4;
    const bool bit = signals[rows[r]].width == 1;
    auto label = [&](double x, int32_t v) {
      if (bit || beatWidth < 14) return;
      const QString text = rows[r] == 0 ? QString::number(v) : QString("%1").arg(v, 2, 16, QChar('0')).toUpper();
      p.drawText(QRectF(x + 3, y, 40, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft, text);
    };
    QVector<QLineF> lines;
    p.setPen(QPen(RowColor(rows[r]), 1));
    double runStart = cells[0].x0;
    int32_t runValue = first[r];
    auto closeRun = [&](double x) {
      if (bit) {
        const double level = runValue ? hi : lo;
        lines.append(QLineF(runStart, level, x, level));
      } else {
        lines.append(QLineF(runStart, hi, x, hi));
        lines.append(QLineF(runStart, lo, x, lo));
      }
    };
    label(cells[0].x0, first[r]);
    for (size_t c = 0; c < cells.size(); ++c) {
      const size_t k = c * n + r;
      const bool edge = c > 0 && first[k] != last[k - n];
      if (edge || mixed[k]) {
        closeRun(cells[c].x0);
        if (bit) {
          lines.append(QLineF(cells[c].x0, hi, cells[c].x0, lo));
        } else {
          // A transition mark: the band's lines cross.
          const double w = std::clamp((cells[c].x1 - cells[c].x0) / 2, 1.0, 3.0);
          lines.append(QLineF(cells[c].x0, hi, cells[c].x0 + w, lo));
          lines.append(QLineF(cells[c].x0, lo, cells[c].x0 + w, hi));
        }
        runStart = cells[c].x0;
        if (!mixed[k]) label(cells[c].x0, first[k]);
      }
      runValue = last[k];
    }
    closeRun(cells.back().x1);
    p.drawLines(lines);
  }
  // The playback position.
  const int64_t view = sim_.machine.Beat.ViewPos;
  if (view >= cells.front().b0 && view <= cells.back().b1) {
    const double x = kLabelWidth + (static_cast<double>(view - firstBeat) + 0.5) * beatWidth;
    p.setPen(QPen(QColor(0xE0, 0x20, 0x20), 2));
    p.drawLine(QPointF(x, 0), QPointF(x, height));
  }
}

void TimingDiagram::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Render(p, width(), height());
}

void TimingDiagram::wheelEvent(QWheelEvent* e) {
  if (!(e->modifiers() & Qt::ControlModifier)) {
    e->ignore();
    return;
  }
  // Zoom about the beat under the mouse.
  const int x = static_cast<int>(e->position().x());
  const int64_t anchor = BeatAt(std::max(x, kLabelWidth));
  beatWidth = std::clamp(beatWidth * (e->angleDelta().y() > 0 ? 1.25 : 0.8), 0.001, 60.0);
  firstBeat = std::max<int64_t>(1, anchor - static_cast<int64_t>((x - kLabelWidth) / beatWidth));
  update();
  e->accept();
}

void TimingDiagram::mousePressEvent(QMouseEvent* e) {
  const int64_t beat = BeatAt(static_cast<int>(e->position().x()));
  if (beat <= 0) return;
  sim_.ShowPosition(beat);
  update();
  if (afterClick) afterClick();
}

void TimingDiagram::mouseMoveEvent(QMouseEvent* e) {
  const int64_t beat = BeatAt(static_cast<int>(e->position().x()));
  const int row = static_cast<int>(e->position().y()) / kRowHeight;
  const BeatRange r = RecordedRange(sim_.machine, beat, beat);
  if (beat <= 0 || r.first > r.last || row < 0 || row >= static_cast<int>(rows.size())) {
    QToolTip::hideText();
    return;
  }
  const size_t index = rows[static_cast<size_t>(row)];
  const int32_t v = TraceValue(sim_.machine.RingAt(beat), index);
  const TraceSignal& s = TraceSignals()[index];
  const QString value = s.width >= 6 ? QString("%1").arg(v, 2, 16, QChar('0')).toUpper() : QString::number(v);
  QToolTip::showText(e->globalPosition().toPoint(), QString("%1 = %2 @ %3").arg(s.name).arg(value).arg(beat), this);
}

TimingDiagramWindow::TimingDiagramWindow(Simulator& sim, QWidget* parent)
    : QDialog(parent),
      sim_(sim),
      diagram_(new TimingDiagram(sim, this)),
      rowList_(new QListWidget(this)),
      scroll_(new QScrollBar(Qt::Horizontal, this)) {
  setObjectName("TimingDiagramWindow");
  setWindowTitle(QString::fromUtf8("时序图"));
  setModal(false);
  // The rows: checked ones are shown, in the list's order (drag to reorder).
  rowList_->setObjectName("TimingRows");
  rowList_->setDragDropMode(QAbstractItemView::InternalMove);
  rowList_->setMaximumWidth(110);
  for (size_t i = 0; i < TraceSignals().size(); ++i) {
    auto* item = new QListWidgetItem(TraceSignals()[i].name, rowList_);
    item->setData(Qt::UserRole, static_cast<int>(i));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
    item->setCheckState(Qt::Checked);
  }
  connect(rowList_, &QListWidget::itemChanged, this, [this] { RowsChanged(); });
  connect(rowList_->model(), &QAbstractItemModel::rowsMoved, this, [this] { RowsChanged(); });
  auto* fit = new QPushButton(QString::fromUtf8("全部"), this);
  fit->setObjectName("TimingFitAll");
  connect(fit, &QPushButton::clicked, this, [this] {
    diagram_->FitAll();
    SyncScroll();
  });
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
    diagram_->firstBeat = v;
    diagram_->update();
  });
  auto* right = new QVBoxLayout;
  right->addWidget(diagram_, 1);
  right->addWidget(scroll_);
  auto* side = new QVBoxLayout;
  side->addWidget(rowList_, 1);
  side->addWidget(fit);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addLayout(right, 1);
  resize(1000, 840);
}

void TimingDiagramWindow::RowsChanged() {
  diagram_->rows.clear();
  for (int i = 0; i < rowList_->count(); ++i)
    if (rowList_->item(i)->checkState() == Qt::Checked)
      diagram_->rows.push_back(static_cast<size_t>(rowList_->item(i)->data(Qt::UserRole).toInt()));
  diagram_->update();
}

void TimingDiagramWindow::SyncScroll() {
  const BeatRange r = RecordedRange(sim_.machine, 0, INT64_MAX);
  const int visible = static_cast<int>((diagram_->width() - TimingDiagram::kLabelWidth) / diagram_->beatWidth);
  const QSignalBlocker block(scroll_);
  scroll_->setRange(static_cast<int>(std::max<int64_t>(1, r.first)),
                    static_cast<int>(std::max<int64_t>(1, r.last - visible + 1)));
  scroll_->setPageStep(std::max(1, visible));
  scroll_->setValue(static_cast<int>(diagram_->firstBeat));
}

void TimingDiagramWindow::Follow() {
  const int64_t newest = sim_.machine.Beat.StepCount, view = sim_.machine.Beat.ViewPos;
  if (newest == lastNewest_ && view == lastView_) return;
  // New beats: keep the newest in sight; a new position: keep it in sight.
  const int visible = static_cast<int>((diagram_->width() - TimingDiagram::kLabelWidth) / diagram_->beatWidth);
  const int64_t focus = newest != lastNewest_ ? newest : view;
  if (focus < diagram_->firstBeat || focus >= diagram_->firstBeat + visible)
    diagram_->firstBeat = std::max<int64_t>(1, focus - visible + 1);
  lastNewest_ = newest;
  lastView_ = view;
  SyncScroll();
  diagram_->update();
}

bool TimingDiagramWindow::ExportTo(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == "png") {
    QImage image(diagram_->size(), QImage::Format_RGB32);
    QPainter p(&image);
    diagram_->Render(p, image.width(), image.height());
    p.end();
    if (image.save(path)) return true;
    sim_.host.Warn(files::CannotWriteWarning(path.toStdString()));
    return false;
  }
  const BeatRange r = RecordedRange(sim_.machine, 0, INT64_MAX);
  return sim_.ExportTrace(path.toStdString(), r.first, r.last) == Simulator::ExportResult::Written;
}

}  // namespace orrin::ui
