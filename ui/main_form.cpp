#include "ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>

#include "ui/board_canvas.h"
#include "ui/disassembly_window.h"
#include "ui/fonts.h"
#include "ui/lab_panel.h"
#include "ui/layout.h"
#include "ui/qt_host.h"
#include "ui/timing_diagram.h"
#include "ui/translate.h"

namespace orrin::ui {

namespace {
// During a run the board is repainted 25 times a second: the lamps change
// faster than anyone follows at 1400 small beats a second, and each frame
// costs a repaint of every label that changed.
int FrameMs() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal hz = screen ? screen->refreshRate() : 60.0;
  return std::max(40, static_cast<int>(1000.0 / (hz > 1 ? hz : 60.0)));
}
}  // namespace

TMainForm::TMainForm(Host* host) {
  InstallFontSubstitutes();
  setObjectName("MainForm");
  setWindowTitle(Tr(QT_TRANSLATE_NOOP("orrin", "Orrin 仿真软件")));
  setFont(WindowFont());
  if (!host) {
    ownHost_ = std::make_unique<QtHost>(this);
    host = ownHost_.get();
  }
  sim_ = std::make_unique<Simulator>(*host);
  art_ = std::make_unique<Artwork>(BoardPrints());
  setWindowIcon(QIcon(art_->Icon()));

  BuildWidgets();
  BindEvents();
  BindTimers();
  SetUpDesktop();
  frame_.setSingleShot(true);
  frame_.setInterval(FrameMs());
  connect(&frame_, &QTimer::timeout, this, [this] { ApplyView(); });

  BoardPixels(art_->Board(), sim_->cleanBoard);
  sim_->Startup();
  sim_->session.Start(true);
  ApplyAll();
  AdaptToLanguage();
  SyncTimers();

  FitScreen(QSize(kClientRect.width(), kClientRect.height() + menuBar()->sizeHint().height()), QPoint(20, 16));
}

// The first window, and one restored from another screen, fits in the
// screen's free area with room for the window manager's frame: at a scale
// of 1.5 or 2 a laptop's screen is smaller than the board.
void TMainForm::FitScreen(QSize size, QPoint at) {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (s == nullptr) {
    move(at);
    resize(size);
    return;
  }
  const QRect free = s->availableGeometry();
  const QSize frame(16, 40);  // at most what a frame adds around a window
  size = size.boundedTo(free.size() - frame);
  at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() + 1 - size.width() - frame.width())));
  at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() + 1 - size.height() - frame.height())));
  move(at);
  resize(size);
}

TMainForm::~TMainForm() {
  // The application outlives the window: its focus changes during our own
  // teardown (a child dialog hiding) must not reach a half-destroyed form.
  disconnect(qApp, nullptr, this, nullptr);
}

QWidget* TMainForm::Widget(WidgetId id) const { return qobject_cast<QWidget*>(Object(id)); }

void TMainForm::AfterAction() {
  SyncTimers();
  ApplyView();
  if (sim_->quitRequested) close();
}

void TMainForm::ApplyView() {
  frame_.stop();
  // The ticks since the last frame repaint the board once, here.
  if (runHold_) {
    runHold_ = false;
    sim_->ReleaseView();
  }
  for (WidgetId id : sim_->view.TakeDirty()) Apply(id);
  board_->Sync();
  if (disassembly_ != nullptr && disassembly_->isVisible()) disassembly_->Follow(*sim_);
  if (timing_ != nullptr && timing_->isVisible()) timing_->Follow();
  if (sim_->view.pointLabelsDirty) {
    sim_->view.pointLabelsDirty = false;
    ApplyPointLabels();
  }
  // Each look at the board ends the run timer's line of ticks, so a replay
  // looks (and a lab checks its step) at the same points.
  sim_->session.Break();
  if (labPanel_ != nullptr && labPanel_->Active()) labPanel_->Check(*sim_);
}

}  // namespace orrin::ui

namespace orrin::ui {

// The console keys and the two windows' own keys work while such a window
// has the focus: one action, shared by both windows.
void TMainForm::ShareShortcuts(QWidget* window) {
  window->addActions(actions());
  for (WidgetId id : {WidgetId::N_Disassembly, WidgetId::N_TimingDiagram})
    window->addAction(static_cast<QAction*>(Object(id)));
}

void TMainForm::ShowTimingDiagram() {
  if (timing_ == nullptr) {
    timing_ = new TimingDiagramWindow(*sim_, this);
    timing_->Diagram()->afterClick = [this] { AfterAction(); };
    ShareShortcuts(timing_);
    PlaceBesideConsole(timing_);
  }
  timing_->show();
  timing_->raise();
  timing_->Follow();
}

// A companion window opens where it covers neither the console (the
// playback counter above all: a click on the diagram moves it) nor the
// window's controls: in the largest free part of the screen below the
// window, beside it, or above the console, at the size it asks for or less.
void TMainForm::PlaceBesideConsole(QWidget* window) {
  const QScreen* s = screen();
  if (s == nullptr) return;
  const QRect free = s->availableGeometry(), main = frameGeometry();
  const int consoleTop = Widget(WidgetId::Panel_KEY)->mapToGlobal(QPoint(0, 0)).y();
  const QRect parts[] = {
      QRect(QPoint(free.left(), main.bottom() + 1), free.bottomRight()),
      QRect(QPoint(main.right() + 1, free.top()), free.bottomRight()),
      QRect(free.topLeft(), QPoint(free.right(), consoleTop - 1)),
  };
  const QSize frame(16, 40);
  QRect best;
  for (const QRect& p : parts) {
    const QSize room = (p.size() - frame).boundedTo(window->size());
    if (room.width() > 0 && room.height() > 0 && room.width() * room.height() > best.width() * best.height())
      best = QRect(p.topLeft(), room);
  }
  if (best.width() < 320 || best.height() < 150) return;  // nowhere better than the default
  window->resize(best.size());
  window->move(best.topLeft());
}

void TMainForm::ShowDisassembly() {
  if (disassembly_ == nullptr) {
    disassembly_ = new DisassemblyWindow(this);
    ShareShortcuts(disassembly_);
  }
  disassembly_->show();
  disassembly_->raise();
  disassembly_->Follow(*sim_);
}

}  // namespace orrin::ui
