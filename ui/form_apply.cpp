// Applies the simulator's view to the widgets: only what changed, and only
// when it differs from what the widget already shows (the user's typing has
// flowed into the view already and is not written back).
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "ui/board_canvas.h"
#include "ui/faces.h"
#include "ui/fonts.h"
#include "ui/main_form.h"
#include "ui/panel_box.h"
#include "ui/picture_box.h"
#include "ui/qt_util.h"
#include "ui/text_fit.h"
#include "ui/translate.h"

namespace orrin::ui {

using enum WidgetId;

namespace {

void SetVisible(QWidget* w, bool visible) {
  if (w->isHidden() == visible) w->setVisible(visible);
}

void SetPaletteColor(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  if (w->palette().color(role) == c) return;
  QPalette pal = w->palette();
  pal.setColor(role, c);
  w->setPalette(pal);
}

QString Joined(const std::vector<std::string>& lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& l : lines) out << Tr(l);
  return out.join('\n');
}

Qt::CursorShape CursorOf(Cursor c) {
  switch (c) {
    case Cursor::Cross:
      return Qt::CrossCursor;
    case Cursor::PointingHand:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

void ApplyLabel(QLabel* label, const WidgetState& w, Face face) {
  const FaceStyle& s = StyleOf(face);
  const QString text = Tr(w.text);
  const bool autoSize = IsHint(face);
  if (label->text() != text) {
    label->setText(text);
    if (autoSize)
      label->adjustSize();
    else
      FitText(label, text);
  }
  if (w.moved && label->pos() != QPoint(w.x, w.y)) label->move(w.x, w.y);
  const QColor paper = w.transparent ? QColor() : ToQColor(w.color, s.paper);
  if (label->autoFillBackground() != paper.isValid()) label->setAutoFillBackground(paper.isValid());
  if (paper.isValid()) SetPaletteColor(label, QPalette::Window, paper);
  SetPaletteColor(label, QPalette::WindowText, ToQColor(w.fontColor, s.ink));
  SetVisible(label, w.visible);
}

void ApplyGrid(QTableWidget* grid, const WidgetState& w) {
  if (grid->columnCount() != w.cols) grid->setColumnCount(w.cols);
  if (grid->rowCount() != w.rows) grid->setRowCount(w.rows);
  const QColor fixed(0xC0, 0xC0, 0xC0);
  for (int r = 0; r < w.rows; ++r) {
    for (int c = 0; c < w.cols; ++c) {
      const QString text = Tr(w.cells[static_cast<size_t>(r * w.cols + c)]);
      QTableWidgetItem* item = grid->item(r, c);
      if (!item) {
        item = new QTableWidgetItem(text);
        if (r == 0 || c == 0) {
          item->setFlags(Qt::ItemIsEnabled);
          item->setBackground(fixed);
        }
        grid->setItem(r, c, item);
      } else if (item->text() != text) {
        item->setText(text);
      }
    }
  }
  if (grid->currentRow() != w.currentRow || grid->currentColumn() != w.currentCol)
    grid->setCurrentCell(w.currentRow, w.currentCol, QItemSelectionModel::ClearAndSelect);
  grid->setEnabled(w.enabled);
}

}  // namespace

void TMainForm::Apply(WidgetId id) {
  const WidgetState& w = sim_->view[id];
  const WidgetInfo& info = Info(id);
  QObject* object = Object(id);
  const Face face = TheLayout()[id].face;

  if (info.kind == WidgetKind::Menu) {
    if (auto* menu = qobject_cast<QMenu*>(object)) {
      menu->setTitle(Tr(w.text));
      menu->setEnabled(w.enabled);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
      action->setText(Tr(w.text));
      action->setEnabled(w.enabled);
    }
    return;
  }
  QWidget* widget = Widget(id);
  switch (info.kind) {
    case WidgetKind::Panel:
      if (auto* panel = dynamic_cast<PanelBox*>(widget)) {
        panel->SetCaption(Tr(w.text));
        if (w.color != color::Default) panel->SetFill(ToQColor(w.color, Qt::white));
      }
      break;
    case WidgetKind::Image:
      if (widget == board_) {
        board_->setCursor(CursorOf(w.cursor));
      } else if (auto* box = dynamic_cast<PictureBox*>(widget)) {
        box->SetPicture(art_->Picture(w.picture), w.picture);
        if (id == Image_colorset && w.color != color::Default) {
          // The wire colour sample: a line of the colour across the picture.
          QPixmap sample(widget->size());
          sample.fill(Qt::white);
          QPainter p(&sample);
          p.setPen(QPen(ToQColor(w.color, Qt::black), 2));
          p.drawLine(10, 10, 80, 10);
          p.end();
          colorSample_ = sample;
          box->SetPicture(&colorSample_, Pic::None);
          box->update();
        }
      }
      break;
    case WidgetKind::SpeedButton:
      if (w.picture != Pic::None) static_cast<PictureBox*>(widget)->SetPicture(art_->Picture(w.picture), w.picture);
      break;
    case WidgetKind::Label:
      ApplyLabel(static_cast<QLabel*>(widget), w, face);
      return;
    case WidgetKind::Edit: {
      auto* edit = static_cast<QLineEdit*>(widget);
      const QString text = Q(w.text);
      if (edit->text() != text) edit->setText(text);
      edit->setReadOnly(w.readOnly);
      SetPaletteColor(edit, QPalette::Base, ToQColor(w.color, StyleOf(Face::Field).paper));
      SetPaletteColor(edit, QPalette::Text, ToQColor(w.fontColor, Qt::black));
      break;
    }
    case WidgetKind::Memo: {
      auto* memo = static_cast<QPlainTextEdit*>(widget);
      const QString text = Joined(w.lines);
      if (memo->toPlainText() != text) memo->setPlainText(text);
      memo->setReadOnly(w.readOnly);
      SetPaletteColor(memo, QPalette::Text, ToQColor(w.fontColor, Qt::black));
      break;
    }
    case WidgetKind::List: {
      // The lines as last applied are kept beside the list: during a run
      // only the selected line moves, and comparing Qt's items would build
      // a string for each of them every frame.
      auto* list = static_cast<QListWidget*>(widget);
      std::vector<std::string>& applied = appliedLines_[id];
      if (applied != w.lines || list->count() != static_cast<int>(w.lines.size())) {
        applied = w.lines;
        list->clear();
        for (const std::string& line : w.lines) list->addItem(Q(line));
      }
      if (list->currentRow() != w.selectedLine) list->setCurrentRow(w.selectedLine);
      break;
    }
    case WidgetKind::Grid: {
      applying_ = true;
      ApplyGrid(static_cast<QTableWidget*>(widget), w);
      applying_ = false;
      break;
    }
    case WidgetKind::Button: {
      const QString text = Tr(w.text);
      static_cast<QPushButton*>(widget)->setText(text);
      FitText(widget, text);
      break;
    }
    case WidgetKind::Radio: {
      auto* radio = static_cast<QRadioButton*>(widget);
      if (const QString text = Tr(w.text); radio->text() != text) {
        radio->setText(text);
        FitText(radio, text);
      }
      if (radio->isChecked() != w.checked) radio->setChecked(w.checked);
      const QColor c = ToQColor(w.color, QColor());
      radio->setAutoFillBackground(c.isValid());
      if (c.isValid()) SetPaletteColor(radio, QPalette::Window, c);
      break;
    }
    case WidgetKind::Menu:
      break;
  }
  if (widget->isEnabled() != w.enabled) widget->setEnabled(w.enabled);
  SetVisible(widget, w.visible);
}

void TMainForm::ApplyAll() {
  sim_->view.TakeDirty();
  for (int i = 0; i < WidgetCount; ++i) Apply(static_cast<WidgetId>(i));
  board_->Sync();
  ApplyPointLabels();
}

namespace {
// A coordinate label of the wire being drawn; moving over it hides it.
class PointLabel : public QLabel {
 public:
  PointLabel(QWidget* parent, std::function<void()> onMove) : QLabel(parent), onMove_(std::move(onMove)) {
    setMouseTracking(true);
    setFont(SongFont(13));
  }

 protected:
  void mouseMoveEvent(QMouseEvent*) override { onMove_(); }

 private:
  std::function<void()> onMove_;
};
}  // namespace

void TMainForm::ApplyPointLabels() {
  std::vector<orrin::PointLabel>& wanted = sim_->view.pointLabels;
  while (pointLabels_.size() > wanted.size()) {
    delete pointLabels_.back();
    pointLabels_.pop_back();
  }
  QWidget* panel = Widget(Panel0);
  while (pointLabels_.size() < wanted.size()) {
    auto* label = new PointLabel(panel, [this] {
      sim_->PointLabelMouseMove();
      AfterAction();
    });
    pointLabels_.push_back(label);
  }
  for (size_t i = 0; i < wanted.size(); ++i) {
    QLabel* label = pointLabels_[i];
    orrin::PointLabel& want = wanted[i];
    const QString text = Tr(want.text);
    if (label->text() != text) {
      label->setText(text);
      label->adjustSize();
    }
    label->move(want.x, want.y);
    SetPaletteColor(label, QPalette::WindowText, ToQColor(want.fontColor, Qt::blue));
    SetVisible(label, want.visible);
    // The label's measured size decides when the mouse is over it.
    want.width = label->width();
    want.height = label->height();
  }
}

}  // namespace orrin::ui
