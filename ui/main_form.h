#pragma once
// TMainForm, the window "MainForm": owns the simulator and one Qt widget per
// widget of the board's table, named as the table names it. Every event of a
// widget calls the simulator's handler for it; after every action and timer
// tick the changed part of the simulator's view is applied to the widgets.
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

#include "simulator/simulator.h"
#include "ui/artwork.h"

class QLabel;
class QScrollArea;

namespace orrin::ui {

class QtHost;

class TMainForm : public QMainWindow {
 public:
  // With no host, modal services are Qt's dialogs; tests pass their own.
  explicit TMainForm(Host* host = nullptr);
  ~TMainForm() override;

  Simulator& Sim() { return *sim_; }
  // The Qt object of a widget of the table (a QAction for menu items).
  QObject* Object(WidgetId id) const { return objects_[static_cast<size_t>(id)]; }
  QWidget* Widget(WidgetId id) const;
  QScrollArea* ScrollBox() const { return scroll_; }

  // Runs after every action: timers follow the simulator's timer records and
  // the view is applied.
  void AfterAction();
  // Applies what changed in the view since the last call.
  void ApplyView();
  // Opens (or raises) the memory listing in mnemonics.
  void ShowDisassembly();
  class DisassemblyWindow* Disassembly() const {
    return disassembly_;
  }
  // Opens (or raises) the timing diagram of the recorded history.
  void ShowTimingDiagram();
  class TimingDiagramWindow* TimingDiagram() const {
    return timing_;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // form_build.cpp
  void BuildWidgets();
  QObject* CreateWidget(WidgetId id);
  void StaticTexts();
  void TemplatePanel();
  void PlaceAnchored();
  // form_bind.cpp
  void BindEvents();
  void BindTimers();
  void SyncTimers();
  void OnRunTick();
  bool HandleWheel(QObject* watched, class QWheelEvent* e);
  bool HandleEditKey(WidgetId id, class QKeyEvent* e);
  // form_apply.cpp
  void Apply(WidgetId id);
  void ApplyAll();
  void ApplyPointLabels();

  std::unique_ptr<QtHost> ownHost_;
  std::unique_ptr<Simulator> sim_;
  std::unique_ptr<Artwork> art_;
  std::array<QObject*, WidgetCount> objects_{};
  QWidget* central_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  class BoardCanvas* board_ = nullptr;
  class DisassemblyWindow* disassembly_ = nullptr;
  class TimingDiagramWindow* timing_ = nullptr;
  std::vector<QLabel*> pointLabels_;
  QPixmap colorSample_;
  QTimer timerRun_, timerWrongLine_, timerTrigger_, timerPlayback_, frame_;
  bool applying_ = false;  // cells written by the view are not the user's typing
  bool runHold_ = false;   // the run timer's ticks hold the view until the next frame
};

}  // namespace orrin::ui
