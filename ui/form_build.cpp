// Creates one Qt widget per widget of the board's table, in the table's
// order, placed and styled by the layout table.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>

#include "base/widget_groups.h"
#include "ui/board_canvas.h"
#include "ui/faces.h"
#include "ui/fonts.h"
#include "ui/main_form.h"
#include "ui/panel_box.h"
#include "ui/picture_box.h"
#include "ui/text_fit.h"
#include "ui/translate.h"

namespace orrin::ui {

using enum WidgetId;

namespace {

// Texts printed into a painted surface are not widgets.
bool IsPaintedSurface(WidgetId id) { return id == Image2 || id == Image10 || id == Panel_KEY; }

void StyleLabel(QLabel* label, Face face) {
  const FaceStyle& s = StyleOf(face);
  label->setFont(s.font);
  label->setAlignment(s.align);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, s.ink);
  if (s.paper.isValid()) pal.setColor(QPalette::Window, s.paper);
  label->setPalette(pal);
  label->setAutoFillBackground(s.paper.isValid());
  if (face == Face::HintTag) label->setMargin(1);
}

QTableWidget* MakeGrid(QWidget* parent, int colWidth, int rowHeight, int fontPx) {
  auto* grid = new QTableWidget(parent);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setMinimumSectionSize(1);
  grid->verticalHeader()->setMinimumSectionSize(1);
  grid->horizontalHeader()->setDefaultSectionSize(colWidth);
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setFont(GridFont(fontPx));
  grid->setTextElideMode(Qt::ElideNone);
  grid->setFocusPolicy(Qt::ClickFocus);
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
  grid->setWordWrap(false);
  grid->setFrameShape(QFrame::Box);
  return grid;
}

}  // namespace

void TMainForm::BuildWidgets() {
  central_ = new QWidget(this);
  central_->setObjectName("MainFormClient");
  setCentralWidget(central_);
  menuBar()->setObjectName("MainMenu1");
  for (int i = 0; i < WidgetCount; ++i) objects_[static_cast<size_t>(i)] = CreateWidget(static_cast<WidgetId>(i));
  // The pictures behind the lamps stay at the bottom of their panels.
  for (WidgetId id : {Image_WireDraw, Image2, Image10}) Widget(id)->lower();
  // The notices pop up over their modules, and the hints over everything.
  for (WidgetId id :
       {Panel_NowHand, Panel_NowMicro, Label_NowXY, Label_ThisHoleName, Label_ThisHoleSign, Label_KeyThisHoleName})
    Widget(id)->raise();
  // Nothing on the board picture but the controller-mode panel takes the
  // mouse, so wires can be drawn across lamps and labels.
  for (int i = 0; i < WidgetCount; ++i) {
    const WidgetId id = static_cast<WidgetId>(i);
    if (Info(id).container == Panel0 && id != Image_WireDraw && id != Panel_SetCtl)
      Widget(id)->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  Widget(Label_KeyThisHoleName)->setAttribute(Qt::WA_TransparentForMouseEvents);
  StaticTexts();
  TemplatePanel();
  central_->installEventFilter(this);
  PlaceAnchored();
}

QObject* TMainForm::CreateWidget(WidgetId id) {
  const WidgetInfo& info = Info(id);
  const Slot& slot = TheLayout()[id];
  const QString name = QString::fromLatin1(info.name);

  if (info.kind == WidgetKind::Menu) {
    if (IsTopMenu(id)) {
      QMenu* menu = menuBar()->addMenu(QString());
      menu->setObjectName(name);
      return menu;
    }
    // Items follow the menu they belong to in the table.
    QMenu* owner = nullptr;
    for (int i = static_cast<int>(id); i >= 0 && !owner; --i)
      if (IsTopMenu(static_cast<WidgetId>(i))) owner = static_cast<QMenu*>(objects_[static_cast<size_t>(i)]);
    QAction* action = owner->addAction(QString());
    action->setObjectName(name);
    return action;
  }

  QWidget* parent = central_;
  if (info.container != WidgetId::Count) {
    parent = id == Panel0 || Info(id).container == ScrollBox1 ? scroll_->widget() : Widget(info.container);
  }

  QWidget* w = nullptr;
  switch (info.kind) {
    case WidgetKind::Panel: {
      if (id == ScrollBox1) {
        scroll_ = new QScrollArea(parent);
        auto* content = new QWidget;
        content->setObjectName("ScrollBox1Content");
        content->setFixedSize(Q(kWorkArea));
        scroll_->setWidget(content);
        scroll_->setWidgetResizable(false);
        w = scroll_;
        break;
      }
      auto* panel = new PanelBox(parent);
      if (id == Panel6 || id == Panel7 || id == Panel8) panel->SetFill(Qt::black);
      if (id == Panel3 || id == Panel0) panel->SetFill(Qt::white);
      if (id == Panel_NowHand) panel->SetFill(QColor(0xFF, 0xFF, 0x00));
      if (id == Panel_NowMicro) panel->SetFill(QColor(0x00, 0xC0, 0x00));
      if (id == Panel_TSx) panel->SetFill(QColor(0xC0, 0xC0, 0xC0));
      if (id == Panel_KEY) {
        panel->SetBackground(art_->Console());
        panel->setMouseTracking(true);
      }
      if (id == Panel_NowHand) panel->SetCaptionRect(QRect(6, 6, 425, 40));
      if (id == Panel_NowMicro) panel->SetCaptionRect(QRect(6, 6, 270, 66));
      if (id == Panel_NowHand || id == Panel_NowMicro) panel->setFont(SongFont(15));
      if (id == Panel_SetCtl || id == Panel_LineICtl1 || id == Panel_LineICtl2 || id == Panel2 || id == Panel5)
        panel->setFrameShape(QFrame::StyledPanel);
      // The wire panels stand over the board's right edge: their own ground,
      // not the board's border running through their texts and fields.
      if (id == Panel_LineICtl1 || id == Panel_LineICtl2) panel->setAutoFillBackground(true);
      w = panel;
      break;
    }
    case WidgetKind::Image: {
      if (id == Image_WireDraw) {
        board_ = new BoardCanvas(parent, sim_->canvas);
        w = board_;
        break;
      }
      auto* box = new PictureBox(parent);
      if (id == Image_colorset) box->setCursor(Qt::PointingHandCursor);
      w = box;
      break;
    }
    case WidgetKind::SpeedButton: {
      auto* b = new GlyphButton(parent);
      if (id == SpeedButtonCLR) b->SetPicture(&art_->GlyphOf(Glyph::Clear), Pic::None);
      if (id == SpeedButton_PULSE) b->SetPicture(&art_->GlyphOf(Glyph::Pulse), Pic::None);
      if (id == SpeedButton_BackLeft) b->SetPicture(&art_->GlyphOf(Glyph::BackLeft), Pic::None);
      if (id == SpeedButton_BackRight) b->SetPicture(&art_->GlyphOf(Glyph::BackRight), Pic::None);
      w = b;
      break;
    }
    case WidgetKind::Label: {
      auto* label = new QLabel(parent);
      StyleLabel(label, slot.face);
      label->setTextFormat(Qt::PlainText);
      w = label;
      break;
    }
    case WidgetKind::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setFont(StyleOf(Face::Field).font);
      edit->setAlignment(Qt::AlignCenter);
      edit->setMaxLength(id == Edit_Z || id == Edit_C || id == Edit_EN_INT ? 1 : 2);
      edit->setTextMargins(0, 0, 0, 0);
      edit->setFrame(true);
      edit->setContentsMargins(0, 0, 0, 0);
      edit->setStyleSheet("QLineEdit { padding: 0px; }");
      w = edit;
      break;
    }
    case WidgetKind::Memo: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setLineWrapMode(id == Memo2 ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
      memo->setFont(id == Memo2 ? WindowFont() : SongFont(12));
      // The wiring lists show both scroll bars and the waypoint list its
      // vertical one, so they read as lists even when short.
      if (id == Memo_LineMidWay) {
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      }
      if (id == Memo_WireIn || id == Memo_WireOut) {
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      }
      w = memo;
      break;
    }
    case WidgetKind::List: {
      auto* list = new QListWidget(parent);
      // Ten-pixel digits let "1F:01011010" fit beside the scroll bar.
      list->setFont(GridFont(10));
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setFocusPolicy(Qt::NoFocus);
      list->setUniformItemSizes(true);
      w = list;
      break;
    }
    case WidgetKind::Grid:
      // The mapped font is wider than the board's, so the words of the
      // control store take a pixel less to fit their 66-pixel columns.
      w = id == StringGrid_MEM ? MakeGrid(parent, 20, 13, 12) : MakeGrid(parent, 66, 14, 10);
      break;
    case WidgetKind::Button:
      w = new QPushButton(parent);
      break;
    case WidgetKind::Radio: {
      w = new QRadioButton(parent);
      // A button paints its background in the Button role; the board's
      // colour of a mode (yellow, lime) is the Window role's.
      w->setBackgroundRole(QPalette::Window);
      // Disabled ("硬连线", not built) reads as disabled, yet legibly on the
      // grey of a mode not chosen: the style's own disabled grey is almost
      // that grey.
      QPalette pal = w->palette();
      pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x70));
      pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x70, 0x70));
      w->setPalette(pal);
      break;
    }
    case WidgetKind::Menu:
      break;
  }
  w->setObjectName(name);
  w->setGeometry(Q(slot.r));
  return w;
}

void TMainForm::StaticTexts() {
  for (const StaticText& t : TheLayout().Texts()) {
    if (IsPaintedSurface(t.container)) continue;
    auto* label = new QLabel(Tr(t.text), Widget(t.container));
    StyleLabel(label, t.face);
    label->setGeometry(Q(t.r));
    FitText(label, label->text());
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    staticLabels_.emplace_back(label, t.text);
  }
}

// The hidden panel holds one picture per template role, as the board's
// pictures are copied from it; the window itself draws from the artwork.
void TMainForm::TemplatePanel() {
  QWidget* panel = Widget(Panel_KeyLedModel);
  for (int i = 1; i < static_cast<int>(Pic::Count); ++i) {
    const Pic p = static_cast<Pic>(i);
    const QString role = QString::fromLatin1(PicName(p));
    auto* box = new PictureBox(panel);
    const bool ownName = role.startsWith("Image") || role.startsWith("SpeedButton");
    box->setObjectName(ownName ? role : "Image_" + role);
    box->SetPicture(art_->Picture(p), p);
    box->resize(art_->Picture(p)->size());
  }
}

// ScrollBox1 grows with the window; the console strip keeps to the bottom-left.
// The console is nearly as wide as the work area: in a window too narrow
// for it (a HiDPI laptop, a small window) it moves sideways with the work
// area's horizontal scroll bar, so one bar reaches every control of both.
int TMainForm::ConsoleShift() const {
  const QRect key = Q(TheLayout().Rect(Panel_KEY));
  const int overhang = key.x() + key.width() + key.x() - central_->width();
  return std::clamp(scroll_->horizontalScrollBar()->value(), 0, std::max(0, overhang));
}

void TMainForm::PlaceAnchored() {
  const QRect box = Q(TheLayout().Rect(ScrollBox1)), key = Q(TheLayout().Rect(Panel_KEY));
  const int bottomGap = kClientRect.height() - box.bottom() - 1;
  const int w = central_->width(), h = central_->height();
  scroll_->setGeometry(box.x(), box.y(), std::max(0, w - 2 * box.x()), std::max(0, h - box.y() - bottomGap));
  Widget(Panel_KEY)->move(key.x() - ConsoleShift(), h - (kClientRect.height() - key.y()));
}

// A console control that gets the focus (Tab) is brought into view.
void TMainForm::RevealConsoleControl(QWidget* control) {
  QWidget* console = Widget(Panel_KEY);
  if (control == nullptr || !console->isAncestorOf(control)) return;
  const QRect key = Q(TheLayout().Rect(Panel_KEY));
  const QRect r(control->mapTo(console, QPoint(0, 0)), control->size());
  const int w = central_->width();
  int shift = ConsoleShift();
  if (key.x() + r.right() + 1 - shift > w) shift = key.x() + r.right() + 1 - w + key.x();
  if (key.x() + r.left() - shift < 0) shift = r.left();
  scroll_->horizontalScrollBar()->setValue(std::max(0, shift));
}

}  // namespace orrin::ui
