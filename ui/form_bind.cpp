// Every widget event reaches its simulator handler here, and the four timers
// follow the simulator's timer records.
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QWheelEvent>

#include "base/widget_groups.h"
#include "ui/board_canvas.h"
#include "ui/main_form.h"
#include "ui/panel_box.h"
#include "ui/picture_box.h"
#include "ui/qt_util.h"
#include "ui/translate.h"

namespace orrin::ui {

using enum WidgetId;

namespace {

MouseButton ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return MouseButton::Left;
  }
}
}  // namespace

// The console by keyboard: Tab walks its controls left to right as they
// stand (the mode switches, SD7..SD0, K15..K0 over K31..K16, then the
// buttons), Space flips or presses the one with the focus; then the board's
// fields and buttons follow in their own order.
void TMainForm::BindKeyboard() {
  std::vector<QWidget*> order;
  auto control = [&](WidgetId id, const QString& name) {
    static_cast<PictureBox*>(Widget(id))->MakeKeyControl(name);
    order.push_back(Widget(id));
  };
  control(Image_DP, "DP");
  control(Image_SWC, "SWC");
  control(Image_SWB, "SWB");
  control(Image_SWA, "SWA");
  for (int n = 7; n >= 0; --n) control(kSDLevers[n], QString("SD%1").arg(n));
  for (int n = 15; n >= 0; --n) {
    control(kKLevers[n], QString("K%1").arg(n));
    control(kKLevers[n + 16], QString("K%1").arg(n + 16));
  }
  control(SpeedButton_BackLeft, Tr(QT_TRANSLATE_NOOP("orrin", "后退一拍")));
  control(SpeedButton_BackRight, Tr(QT_TRANSLATE_NOOP("orrin", "前进一拍")));
  control(SpeedButton_PULSE, "PULSE");
  control(SpeedButtonQD, "QD");
  order.push_back(Widget(Button_PAUSE));
  order.push_back(Widget(Button_OneLittleStep));
  control(SpeedButtonCLR, "CLR");
  control(SpeedButtonPOWER, "POWER");
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  // Fields are named by their register; lists and the notes let Tab go on.
  for (WidgetId id : kRegisterFields) Widget(id)->setAccessibleName(QString::fromLatin1(Info(id).name).mid(5));
  for (auto* memo : findChildren<QPlainTextEdit*>()) memo->setTabChangesFocus(true);
}

void TMainForm::BindEvents() {
  // Runs a handler as a user action.
  auto act = [this](auto handler) {
    return [this, handler] {
      handler(*sim_);
      AfterAction();
    };
  };
  auto picture = [this](WidgetId id) { return static_cast<PictureBox*>(Widget(id)); };
  // Switch pictures and speed buttons: a double click acts a second time.
  auto clickTwice = [&](WidgetId id, auto handler) {
    picture(id)->onClick = act(handler);
    picture(id)->onDoubleClick = act(handler);
  };

  for (int n = 0; n < 32; ++n) {
    clickTwice(kKLevers[n], [n](Simulator& s) { s.ToggleLevelSwitch(n); });
    picture(kKLevers[n])->onMove = [this, n](QPoint p) {
      sim_->Image_KMouseMove(n, p.x(), p.y());
      AfterAction();
    };
  }
  for (int n = 0; n < 8; ++n) clickTwice(kSDLevers[n], [n](Simulator& s) { s.ToggleDataSwitch(n); });
  clickTwice(Image_DP, [](Simulator& s) { s.Image_DPClick(); });
  clickTwice(Image_SWC, [](Simulator& s) { s.Image_SWCClick(); });
  clickTwice(Image_SWB, [](Simulator& s) { s.Image_SWBClick(); });
  clickTwice(Image_SWA, [](Simulator& s) { s.Image_SWAClick(); });
  clickTwice(Image_colorset, [](Simulator& s) { s.Button_SetColorClick(); });
  clickTwice(SpeedButtonPOWER, [](Simulator& s) { s.SpeedButtonPOWERClick(); });
  clickTwice(SpeedButtonCLR, [](Simulator& s) { s.SpeedButtonCLRClick(); });
  clickTwice(SpeedButtonQD, [](Simulator& s) { s.SpeedButtonQDClick(); });
  clickTwice(SpeedButton_PULSE, [](Simulator& s) { s.SpeedButton_PULSEClick(); });

  // The playback arrows: a click moves one position, holding repeats.
  picture(SpeedButton_BackLeft)->onClick = act([](Simulator& s) { s.SpeedButton_BackLeftClick(); });
  picture(SpeedButton_BackLeft)->onPress = [this](Qt::MouseButton, QPoint) {
    sim_->PlaybackArrowDown(-1);
    AfterAction();
  };
  picture(SpeedButton_BackLeft)->onRelease = [this](Qt::MouseButton, QPoint) {
    sim_->PlaybackArrowUp();
    AfterAction();
  };
  picture(SpeedButton_BackRight)->onClick = act([](Simulator& s) { s.SpeedButton_BackRightClick(); });
  picture(SpeedButton_BackRight)->onPress = [this](Qt::MouseButton, QPoint) {
    sim_->PlaybackArrowDown(+1);
    AfterAction();
  };
  picture(SpeedButton_BackRight)->onRelease = [this](Qt::MouseButton, QPoint) {
    sim_->PlaybackArrowUp();
    AfterAction();
  };

  BindKeyboard();

  struct ButtonBinding {
    WidgetId id;
    void (Simulator::*handler)();
  };
  const ButtonBinding buttons[] = {
      {Button_PAUSE, &Simulator::Button_PAUSEClick},
      {Button_OneLittleStep, &Simulator::Button_OneLittleStepClick},
      {Button_CloseNowHand, &Simulator::Button_CloseNowHandClick},
      {Button_CloseNowMicro, &Simulator::Button_CloseNowMicroClick},
      {Button_delLine, &Simulator::Button_delLineClick},
      {Button_SetColor, &Simulator::Button_SetColorClick},
      {Button_GridToMEM, &Simulator::Button_GridToMEMClick},
      {Button_GridToMicro, &Simulator::Button_GridToMicroClick},
  };
  for (const ButtonBinding& b : buttons)
    connect(static_cast<QPushButton*>(Widget(b.id)), &QPushButton::clicked, this,
            act([h = b.handler](Simulator& s) { (s.*h)(); }));

  const ButtonBinding radios[] = {
      {RadioButtonHdLine, &Simulator::RadioButtonHdLineClick},
      {RadioButtonHandLine, &Simulator::RadioButtonHandLineClick},
      {RadioButtonMicroProgram, &Simulator::RadioButtonMicroProgramClick},
  };
  for (const ButtonBinding& b : radios) {
    connect(static_cast<QRadioButton*>(Widget(b.id)), &QRadioButton::clicked, this, [this, h = b.handler] {
      (sim_.get()->*h)();
      // The radio group may have changed its own state; the view decides.
      for (WidgetId r : {RadioButtonHdLine, RadioButtonHandLine, RadioButtonMicroProgram}) sim_->view.MarkDirty(r);
      AfterAction();
    });
  }

  const ButtonBinding menus[] = {
      {N_Quit, &Simulator::N_QuitClick},
      {N_ReadLineFile, &Simulator::N_ReadLineFileClick},
      {N_SaveLineFile, &Simulator::N_SaveLineFileClick},
      {N_File2MEM, &Simulator::N_File2MEMClick},
      {N_MEM2File, &Simulator::N_MEM2FileClick},
      {N_Asm2MEM, &Simulator::N_Asm2MEMClick},
      {N_ReadMicroFile, &Simulator::N_ReadMicroFileClick},
      {N_BakMicro2File, &Simulator::N_BakMicro2FileClick},
      {N_ReadMicroSource, &Simulator::N_ReadMicroSourceClick},
      {N_SaveMicroSource, &Simulator::N_SaveMicroSourceClick},
      {N_ReadController, &Simulator::N_ReadControllerClick},
  };
  for (const ButtonBinding& b : menus)
    connect(static_cast<QAction*>(Object(b.id)), &QAction::triggered, this,
            [this, b] { RunFileCommand(b.id, b.handler); });
  // The listing in mnemonics is the window's own: it only reads the machine.
  connect(static_cast<QAction*>(Object(N_Disassembly)), &QAction::triggered, this, [this] { ShowDisassembly(); });
  auto* timing = static_cast<QAction*>(Object(N_TimingDiagram));
  timing->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  connect(timing, &QAction::triggered, this, [this] { ShowTimingDiagram(); });

  // The board picture: moves give hints and the rubber band, releases draw.
  board_->onMove = [this](QPoint p) {
    sim_->Image_WireDrawMouseMove(p.x(), p.y());
    AfterAction();
  };
  board_->onRelease = [this](Qt::MouseButton b, QPoint p) {
    sim_->Image_WireDrawMouseUp(ButtonOf(b), p.x(), p.y());
    AfterAction();
  };
  board_->onLeave = [this] {
    sim_->Image_WireDrawMouseLeave();
    AfterAction();
  };
  Widget(Panel_KEY)->installEventFilter(this);
  QScrollBar* sideways = scroll_->horizontalScrollBar();
  connect(sideways, &QScrollBar::valueChanged, this, [this] { PlaceAnchored(); });
  connect(sideways, &QScrollBar::rangeChanged, this, [this] { PlaceAnchored(); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { RevealConsoleControl(now); });

  // Register fields: typing flows into the view; Enter commits.
  for (WidgetId id : kRegisterFields) {
    auto* edit = static_cast<QLineEdit*>(Widget(id));
    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) { sim_->TypeField(id, S(text)); });
    edit->installEventFilter(this);
  }
  // Grids: a typed cell is an action (as `mem-cell` is in a script): it ends
  // a playback first; the view's own writes are not typing.
  for (WidgetId id : {StringGrid_MEM, StringGrid_MicroMem}) {
    auto* grid = static_cast<QTableWidget*>(Widget(id));
    connect(grid, &QTableWidget::itemChanged, this, [this, id](QTableWidgetItem* item) {
      if (applying_) return;
      sim_->TypeGridCell(id, item->column(), item->row(), S(item->text()));
      AfterAction();
    });
  }
  qApp->installEventFilter(this);
}

void TMainForm::BindTimers() {
  struct TimerBinding {
    QTimer* timer;
    const char* name;
    void (Simulator::*tick)();
  };
  const TimerBinding timers[] = {
      {&timerWrongLine_, "Timer_WrongLine", &Simulator::Timer_WrongLineTimer},
      {&timerTrigger_, "Timer_Trigger", &Simulator::Timer_TriggerTimer},
      {&timerPlayback_, "Timer_RecotdBackPlay", &Simulator::Timer_RecotdBackPlayTimer},
  };
  for (const TimerBinding& t : timers) {
    t.timer->setObjectName(t.name);
    t.timer->setParent(this);
    connect(t.timer, &QTimer::timeout, this, [this, tick = t.tick] {
      (sim_.get()->*tick)();
      AfterAction();
    });
  }
  // The run timer paces the machine: 5 ms ticks of seven small beats must
  // not drift, so it is a precise timer; its view is applied once per frame.
  timerRun_.setObjectName("Timer_RUN");
  timerRun_.setParent(this);
  timerRun_.setTimerType(Qt::PreciseTimer);
  connect(&timerRun_, &QTimer::timeout, this, [this] { OnRunTick(); });
}

void TMainForm::OnRunTick() {
  // Nobody sees the board between frames: the ticks until the next frame
  // hold the view, and the frame repaints it once.
  if (!runHold_) {
    sim_->HoldView();
    runHold_ = true;
  }
  sim_->Timer_RUNTimer();
  SyncTimers();
  if (!frame_.isActive()) frame_.start();
}

void TMainForm::SyncTimers() {
  auto sync = [](QTimer& t, const TimerRecord& r) {
    if (!r.enabled) {
      if (t.isActive()) t.stop();
    } else if (!t.isActive() || t.interval() != r.intervalMs) {
      t.start(r.intervalMs);
    }
  };
  sync(timerRun_, sim_->console.Timer_RUN);
  sync(timerWrongLine_, sim_->editor.Timer_WrongLine);
  sync(timerTrigger_, sim_->trace.Timer_Trigger);
  sync(timerPlayback_, sim_->trace.Timer_RecotdBackPlay);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel:
      return HandleWheel(watched, static_cast<QWheelEvent*>(event));
    case QEvent::ShortcutOverride:
      // Keys typed into a grid or a register field are the field's own.
      if (IsTyping(watched)) {
        event->accept();
        return true;
      }
      return false;
    case QEvent::ToolTip:
      return ShowTip(watched, static_cast<QHelpEvent*>(event));
    case QEvent::KeyPress:
      for (WidgetId id : kRegisterFields)
        if (watched == Object(id)) return HandleEditKey(id, static_cast<QKeyEvent*>(event));
      return false;
    case QEvent::MouseMove:
      if (watched == Object(Panel_KEY)) {
        sim_->Panel_KEYMouseMove();
        AfterAction();
      }
      return false;
    case QEvent::Resize:
      if (watched == central_) PlaceAnchored();
      return false;
    default:
      return false;
  }
}

// The wheel anywhere in the window scrolls the work area by fixed steps:
// 100 pixels up or down, or with Ctrl 50 pixels sideways. Over the two grids
// it always scrolls up or down.
bool TMainForm::HandleWheel(QObject* watched, QWheelEvent* e) {
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || w->window() != this) return false;
  const int delta = e->angleDelta().y();
  if (delta == 0) return true;
  bool overGrid = false;
  for (QWidget* p = w; p && !overGrid; p = p->parentWidget())
    overGrid = p == Widget(StringGrid_MEM) || p == Widget(StringGrid_MicroMem);
  const int step = delta < 0 ? 1 : -1;
  if (!overGrid && (e->modifiers() & Qt::ControlModifier)) {
    QScrollBar* bar = scroll_->horizontalScrollBar();
    bar->setValue(bar->value() + 50 * step);
  } else {
    QScrollBar* bar = scroll_->verticalScrollBar();
    bar->setValue(bar->value() + 100 * step);
  }
  return true;
}

bool TMainForm::HandleEditKey(WidgetId id, QKeyEvent* e) {
  int key = 0;
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
    key = 13;
  else if (!e->text().isEmpty())
    key = e->text().front().unicode();
  else
    return false;
  if (!sim_->EditKeyPress(id, key)) return false;
  AfterAction();
  return true;
}

}  // namespace orrin::ui
