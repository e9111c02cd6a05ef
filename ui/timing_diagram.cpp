#include "ui/timing_diagram.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

#include "base/text_files.h"
#include "machine/exporter.h"
#include "machine/trace_diagram.h"
#include "simulator/simulator.h"
#include "ui/translate.h"

namespace orrin::ui {

namespace {

QColor InkColor(Ink ink) { return QColor::fromRgb(InkRgb(ink)); }

}  // namespace

TimingDiagram::TimingDiagram(Simulator& sim, QWidget* parent) : QWidget(parent), sim_(sim) {
  setObjectName("TimingDiagram");
  setMouseTracking(true);
  for (size_t i = 0; i < TraceSignals().size(); ++i) rows.push_back(i);
  setMinimumSize(kLabelWidth + 120, kRulerHeight + kRowHeight * 4);
}

QSize TimingDiagram::sizeHint() const { return {900, kRulerHeight + kRowHeight * static_cast<int>(rows.size()) + 4}; }

int TimingDiagram::VisibleBeats() const { return std::max(1, static_cast<int>((width() - kLabelWidth) / beatWidth)); }

int TimingDiagram::VisibleRows() const { return std::max(1, (height() - kRulerHeight) / kRowHeight); }

DiagramView TimingDiagram::View(int width, int height) const {
  DiagramView v;
  // The rows from the top one, down to one cut by the bottom edge.
  const size_t top = std::min(rows.size(), static_cast<size_t>(std::max(0, topRow)));
  const size_t fit = static_cast<size_t>(std::max(0, height - kRulerHeight + kRowHeight - 1) / kRowHeight);
  v.rows.assign(rows.begin() + static_cast<std::ptrdiff_t>(top),
                rows.begin() + static_cast<std::ptrdiff_t>(std::min(rows.size(), top + fit)));
  v.beatWidth = beatWidth;
  v.firstBeat = firstBeat;
  v.width = width;
  v.height = height;
  v.microAddresses = sim_.console.Microprogram();
  v.microStore = sim_.machine.Micro.Store.data();
  return v;
}

int64_t TimingDiagram::BeatAt(int x) const { return View(width(), height()).BeatAt(x); }

BeatRange TimingDiagram::ShownRange() const { return RecordedRange(sim_.machine.Beat, firstBeat, BeatAt(width() - 1)); }

void TimingDiagram::FitAll() {
  const BeatRange r = RecordedRange(sim_.machine.Beat, 0, INT64_MAX);
  firstBeat = std::max<int64_t>(1, r.first);
  const int64_t beats = std::max<int64_t>(1, r.last - r.first + 1);
  beatWidth = std::max(0.001, static_cast<double>(std::max(1, width() - kLabelWidth)) / static_cast<double>(beats));
  Moved();
}

void TimingDiagram::Moved() {
  topRow = std::clamp(topRow, 0, std::max(0, static_cast<int>(rows.size()) - VisibleRows()));
  firstBeat = std::max<int64_t>(1, firstBeat);
  update();
  if (afterMove) afterMove();
}

void TimingDiagram::Paint(QPainter& p, const DiagramDrawing& d) {
  p.fillRect(0, 0, d.width, d.height, Qt::white);
  for (const DiagramBox& b : d.boxes) p.fillRect(QRectF(b.x, b.y, b.w, b.h), InkColor(b.ink));
  // Lines by ink, each ink in one call.
  constexpr int kInks = static_cast<int>(Ink::Cursor) + 1;
  std::array<QVector<QLineF>, kInks> byInk;
  std::array<qsizetype, kInks> counts{};
  for (const DiagramLine& l : d.lines) ++counts[static_cast<size_t>(l.ink)];
  for (size_t i = 0; i < byInk.size(); ++i) byInk[i].reserve(counts[i]);
  for (const DiagramLine& l : d.lines) byInk[static_cast<size_t>(l.ink)].append(QLineF(l.x0, l.y0, l.x1, l.y1));
  for (int ink = 0; ink < kInks; ++ink) {
    const QVector<QLineF>& lines = byInk[static_cast<size_t>(ink)];
    if (lines.isEmpty()) continue;
    const Ink i = static_cast<Ink>(ink);
    p.setPen(QPen(InkColor(i), i == Ink::Cursor ? 2 : 1, i == Ink::Cycle ? Qt::DotLine : Qt::SolidLine));
    p.drawLines(lines);
  }
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  for (const DiagramText& t : d.texts) {
    p.setPen(InkColor(t.ink));
    p.drawText(QRectF(t.x, t.y, t.w, t.h), Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(t.text));
  }
}

void TimingDiagram::paintEvent(QPaintEvent*) {
  QElapsedTimer cost;
  cost.start();
  QPainter p(this);
  Paint(p, DrawDiagram(sim_.trace, sim_.machine.Beat, View(width(), height())));
  lastPaintNs = cost.nsecsElapsed();
  sincePaint.start();
}

void TimingDiagram::resizeEvent(QResizeEvent*) { Moved(); }

void TimingDiagram::wheelEvent(QWheelEvent* e) {
  const QPoint delta = e->angleDelta();
  const int notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
  if (e->modifiers() & Qt::ControlModifier) {
    // Zoom about the beat under the mouse.
    const int x = static_cast<int>(e->position().x());
    const int64_t anchor = BeatAt(std::max(x, kLabelWidth));
    beatWidth = std::clamp(beatWidth * (delta.y() > 0 ? 1.25 : 0.8), 0.001, 60.0);
    firstBeat = anchor - static_cast<int64_t>((x - kLabelWidth) / beatWidth);
  } else if ((e->modifiers() & Qt::ShiftModifier) || delta.x() != 0) {
    firstBeat -= static_cast<int64_t>(notches) * std::max(1, VisibleBeats() / 8);
  } else {
    topRow -= notches * 3;
  }
  Moved();
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
  const DiagramView v = View(width(), height());
  const int64_t beat = v.BeatAt(static_cast<int>(e->position().x()));
  const int row = v.RowAt(static_cast<int>(e->position().y()));
  const BeatRange r = RecordedRange(sim_.machine.Beat, beat, beat);
  if (beat <= 0 || r.first > r.last || row < 0) {
    QToolTip::hideText();
    return;
  }
  const size_t index = v.rows[static_cast<size_t>(row)];
  const TraceSignal& s = TraceSignals()[index];
  const int32_t raw = TraceValue(sim_.trace.At(beat), index);
  const QString value = s.width == 1 ? QString::number(raw) : QString::fromStdString(DiagramValueText(index, raw));
  QToolTip::showText(e->globalPosition().toPoint(), QString("%1 = %2 @ %3").arg(s.name).arg(value).arg(beat), this);
}

TimingDiagramWindow::TimingDiagramWindow(Simulator& sim, QWidget* parent)
    : QDialog(parent),
      sim_(sim),
      diagram_(new TimingDiagram(sim, this)),
      rowList_(new QListWidget(this)),
      scroll_(new QScrollBar(Qt::Horizontal, this)),
      rowScroll_(new QScrollBar(Qt::Vertical, this)) {
  setObjectName("TimingDiagramWindow");
  setModal(false);
  scroll_->setObjectName("TimingBeatScroll");
  rowScroll_->setObjectName("TimingRowScroll");
  // The rows: checked ones are shown, in the list's order (drag to reorder).
  rowList_->setObjectName("TimingRows");
  rowList_->setDragDropMode(QAbstractItemView::InternalMove);
  rowList_->setMaximumWidth(110);
  // The rows as the user left them last time ("name" shown, "-name" hidden),
  // then any signal that list does not name.
  const QStringList remembered = QSettings().value("timing/rows").toStringList();
  std::vector<bool> listed(TraceSignals().size());
  auto add = [this, &listed](size_t i, bool shown) {
    auto* item = new QListWidgetItem(TraceSignals()[i].name, rowList_);
    item->setData(Qt::UserRole, static_cast<int>(i));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
    item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    listed[i] = true;
  };
  for (const QString& entry : remembered) {
    const bool shown = !entry.startsWith('-');
    const QString name = shown ? entry : entry.mid(1);
    for (size_t i = 0; i < TraceSignals().size(); ++i)
      if (!listed[i] && name == TraceSignals()[i].name) add(i, shown);
  }
  for (size_t i = 0; i < TraceSignals().size(); ++i)
    if (!listed[i]) add(i, true);
  connect(rowList_, &QListWidget::itemChanged, this, [this] { RowsChanged(); });
  connect(rowList_->model(), &QAbstractItemModel::rowsMoved, this, [this] { RowsChanged(); });
  RowsChanged();
  auto* exportButton = new QPushButton(this);
  exportButton->setObjectName("TimingExport");
  connect(exportButton, &QPushButton::clicked, this, [this] { AskExport(); });
  auto* fit = new QPushButton(this);
  fit->setObjectName("TimingFitAll");
  connect(fit, &QPushButton::clicked, this, [this] { diagram_->FitAll(); });
  diagram_->afterMove = [this] { SyncScroll(); };
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
    diagram_->firstBeat = v;
    diagram_->update();
  });
  connect(rowScroll_, &QScrollBar::valueChanged, this, [this](int v) {
    diagram_->topRow = v;
    diagram_->update();
  });
  auto* grid = new QGridLayout;
  grid->setSpacing(0);
  grid->addWidget(diagram_, 0, 0);
  grid->addWidget(rowScroll_, 0, 1);
  grid->addWidget(scroll_, 1, 0);
  auto* side = new QVBoxLayout;
  side->addWidget(rowList_, 1);
  side->addWidget(fit);
  side->addWidget(exportButton);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addLayout(grid, 1);
  // Fits a 1366 x 768 screen with its panel; the rows scroll.
  resize(1100, 640);
  Retranslate();
}

void TimingDiagramWindow::Retranslate() {
  setWindowTitle(Tr(QT_TRANSLATE_NOOP("orrin", "时序图")));
  findChild<QPushButton*>("TimingFitAll")->setText(Tr(QT_TRANSLATE_NOOP("orrin", "全部")));
  findChild<QPushButton*>("TimingExport")->setText(Tr(QT_TRANSLATE_NOOP("orrin", "导出…")));
}

QString TimingDiagramWindow::WithFilterExtension(const QString& path, const QString& filter) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  const QRegularExpressionMatch m = QRegularExpression(R"(\*(\.\w+))").match(filter);
  return m.hasMatch() ? path + m.captured(1) : path;
}

void TimingDiagramWindow::AskExport() {
  QSettings settings;
  const QString folder = settings.value("folders/timing", QDir::currentPath()).toString();
  QString filter;
  const QString path = QFileDialog::getSaveFileName(
      this, Tr(QT_TRANSLATE_NOOP("orrin", "导出…")), folder + "/trace.vcd",
      "VCD (*.vcd);;CSV (*.csv);;WaveDrom JSON (*.json);;PNG (*.png);;SVG (*.svg)", &filter);
  if (path.isEmpty()) return;
  settings.setValue("folders/timing", QFileInfo(path).absolutePath());
  ExportTo(WithFilterExtension(path, filter));
}

void TimingDiagramWindow::RowsChanged() {
  QStringList remembered;
  for (int i = 0; i < rowList_->count(); ++i)
    remembered << (rowList_->item(i)->checkState() == Qt::Checked ? "" : "-") + rowList_->item(i)->text();
  QSettings().setValue("timing/rows", remembered);
  diagram_->rows.clear();
  for (int i = 0; i < rowList_->count(); ++i)
    if (rowList_->item(i)->checkState() == Qt::Checked)
      diagram_->rows.push_back(static_cast<size_t>(rowList_->item(i)->data(Qt::UserRole).toInt()));
  diagram_->update();
  SyncScroll();
}

void TimingDiagramWindow::SyncScroll() {
  const BeatRange r = RecordedRange(sim_.machine.Beat, 0, INT64_MAX);
  const int visible = diagram_->VisibleBeats();
  const int64_t first = std::max<int64_t>(1, r.first);
  {
    const QSignalBlocker block(scroll_);
    scroll_->setRange(static_cast<int>(std::min(first, diagram_->firstBeat)),
                      static_cast<int>(std::max({first, r.last - visible + 1, diagram_->firstBeat})));
    scroll_->setPageStep(visible);
    scroll_->setSingleStep(std::max(1, visible / 8));
    scroll_->setValue(static_cast<int>(diagram_->firstBeat));
  }
  const QSignalBlocker block(rowScroll_);
  const int rows = static_cast<int>(diagram_->rows.size()), shown = diagram_->VisibleRows();
  rowScroll_->setRange(0, std::max(0, rows - shown));
  rowScroll_->setPageStep(shown);
  rowScroll_->setValue(diagram_->topRow);
}

void TimingDiagramWindow::Follow() {
  const int64_t newest = sim_.machine.Beat.StepCount, view = sim_.machine.Beat.ViewPos;
  if (newest == lastNewest_ && view == lastView_) return;
  // While a run adds beats the diagram is redrawn ten times a second at
  // most (at 1400 small beats a second any zoom is a blur faster than that),
  // and a costly picture (the whole ring at "fit all", 9 ms) only after
  // fifty times its cost has passed, so that the diagram takes at most 2 %
  // of a core; a paint also holds up the run's ticks.
  constexpr qint64 kRunFrameNs = 100'000'000;
  if (newest != lastNewest_ && view == newest && diagram_->sincePaint.isValid() &&
      diagram_->sincePaint.nsecsElapsed() < std::max(kRunFrameNs, 50 * diagram_->lastPaintNs))
    return;
  // New beats: keep the newest in sight; a new position: keep it in sight.
  const int visible = diagram_->VisibleBeats();
  const int64_t focus = newest != lastNewest_ ? newest : view;
  if (focus < diagram_->firstBeat || focus >= diagram_->firstBeat + visible)
    diagram_->firstBeat = std::max<int64_t>(1, focus - visible + 1);
  lastNewest_ = newest;
  lastView_ = view;
  SyncScroll();
  diagram_->update();
}

bool TimingDiagramWindow::ExportTo(const QString& path) {
  const std::string file = path.toStdString();
  const std::string format = ExportFormat(file);
  if (format.empty()) {
    // Composed in Chinese, as every warning; the host translates it.
    sim_.host.Warn(
        QString(QT_TRANSLATE_NOOP("orrin", "无法导出到 %1：文件名须以 .vcd、.csv、.json、.svg 或 .png 结尾。"))
            .arg(path)
            .toStdString());
    return false;
  }
  if (format != "svg" && format != "png") {
    const BeatRange all = RecordedRange(sim_.machine.Beat, 0, INT64_MAX);
    return sim_.ExportTrace(file, all.first, all.last) == Simulator::ExportResult::Written;
  }
  const BeatRange shown = diagram_->ShownRange();
  const DiagramDrawing d = DrawExport(sim_.trace, sim_.machine.Beat, diagram_->rows, shown.first, shown.last,
                                      sim_.console.Microprogram(), sim_.machine.Micro.Store.data());
  bool written = false;
  if (format == "svg") {
    written = sim_.host.WriteFile(file, DiagramSvg(d));
  } else {
    // The window's own fonts, at the export's scale.
    QImage image(d.width, d.height, QImage::Format_RGB32);
    QPainter p(&image);
    TimingDiagram::Paint(p, d);
    p.end();
    written = image.save(path, "PNG");
  }
  if (!written) sim_.host.Warn(files::CannotWriteWarning(file));
  return written;
}

}  // namespace orrin::ui
