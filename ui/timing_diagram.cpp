#include "ui/timing_diagram.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

#include "base/text_files.h"
#include "machine/trace_diagram.h"
#include "machine/trace_export.h"
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
  setMinimumHeight(kRowHeight * 4);
}

QSize TimingDiagram::sizeHint() const { return {900, kRowHeight * static_cast<int>(rows.size()) + 4}; }

DiagramView TimingDiagram::View(int width, int height) const {
  DiagramView v;
  v.rows = rows;
  v.beatWidth = beatWidth;
  v.firstBeat = firstBeat;
  v.width = width;
  v.height = height;
  return v;
}

int64_t TimingDiagram::BeatAt(int x) const { return View(width(), height()).BeatAt(x); }

void TimingDiagram::FitAll() {
  const BeatRange r = RecordedRange(sim_.machine.Beat, 0, INT64_MAX);
  firstBeat = std::max<int64_t>(1, r.first);
  const int64_t beats = std::max<int64_t>(1, r.last - r.first + 1);
  beatWidth = std::max(0.001, static_cast<double>(std::max(1, width() - kLabelWidth)) / static_cast<double>(beats));
  update();
}

void TimingDiagram::Render(QPainter& p, int width, int height) const {
  p.fillRect(0, 0, width, height, Qt::white);
  const DiagramDrawing d = DrawDiagram(sim_.trace, sim_.machine.Beat, View(width, height));
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
  Render(p, width(), height());
  lastPaintNs = cost.nsecsElapsed();
  sincePaint.start();
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
  const BeatRange r = RecordedRange(sim_.machine.Beat, beat, beat);
  if (beat <= 0 || r.first > r.last || row < 0 || row >= static_cast<int>(rows.size())) {
    QToolTip::hideText();
    return;
  }
  const size_t index = rows[static_cast<size_t>(row)];
  const int32_t v = TraceValue(sim_.trace.At(beat), index);
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
  setModal(false);
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
  side->addWidget(exportButton);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addLayout(right, 1);
  resize(1000, 840);
  Retranslate();
}

void TimingDiagramWindow::Retranslate() {
  setWindowTitle(Tr(QT_TRANSLATE_NOOP("orrin", "时序图")));
  findChild<QPushButton*>("TimingFitAll")->setText(Tr(QT_TRANSLATE_NOOP("orrin", "全部")));
  findChild<QPushButton*>("TimingExport")->setText(Tr(QT_TRANSLATE_NOOP("orrin", "导出…")));
}

void TimingDiagramWindow::AskExport() {
  QSettings settings;
  const QString folder = settings.value("folders/timing", QDir::currentPath()).toString();
  const QString path =
      QFileDialog::getSaveFileName(this, Tr(QT_TRANSLATE_NOOP("orrin", "导出…")), folder + "/trace.vcd",
                                   "VCD (*.vcd);;CSV (*.csv);;WaveDrom JSON (*.json);;PNG (*.png);;SVG (*.svg)");
  if (path.isEmpty()) return;
  settings.setValue("folders/timing", QFileInfo(path).absolutePath());
  ExportTo(path);
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
}

void TimingDiagramWindow::SyncScroll() {
  const BeatRange r = RecordedRange(sim_.machine.Beat, 0, INT64_MAX);
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
  // While a run adds beats, a costly picture (the whole ring at "fit all")
  // is redrawn only after sixteen times its cost has passed: a paint holds
  // up the run's ticks, and the run must keep its pace.
  if (newest != lastNewest_ && view == newest && diagram_->sincePaint.isValid() &&
      diagram_->sincePaint.nsecsElapsed() < 16 * diagram_->lastPaintNs)
    return;
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
  if (ext == "svg") {
    const DiagramView v = diagram_->View(diagram_->width(), diagram_->height());
    const std::string svg = DiagramSvg(DrawDiagram(sim_.trace, sim_.machine.Beat, v), v);
    if (files::WriteWholeFile(path.toStdString(), svg)) return true;
    sim_.host.Warn(files::CannotWriteWarning(path.toStdString()));
    return false;
  }
  if (ext == "png") {
    QImage image(diagram_->size(), QImage::Format_RGB32);
    QPainter p(&image);
    diagram_->Render(p, image.width(), image.height());
    p.end();
    if (image.save(path)) return true;
    sim_.host.Warn(files::CannotWriteWarning(path.toStdString()));
    return false;
  }
  const BeatRange r = RecordedRange(sim_.machine.Beat, 0, INT64_MAX);
  return sim_.ExportTrace(path.toStdString(), r.first, r.last) == Simulator::ExportResult::Written;
}

}  // namespace orrin::ui
