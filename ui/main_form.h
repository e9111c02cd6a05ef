#pragma once
// TMainForm, the window "MainForm": owns the simulator and one Qt widget per
// widget of the board's table, named as the table names it. Every event of a
// widget calls the simulator's handler for it; after every action and timer
// tick the changed part of the simulator's view is applied to the widgets.
#include <QKeySequence>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <map>
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
  const Artwork& Art() const { return *art_; }
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
  // Restores the window's geometry, scroll position and wire colour from the
  // last session, and remembers them on closing (the program does this;
  // tests start from the board's own layout).
  void UseSettings();
  // Shows every text in the language now chosen (see translate.h).
  void Retranslate();
  // The window's keyboard shortcut of a console button, empty when none.
  QKeySequence KeyOf(WidgetId id) const;

  // ---- labs and sessions (form_lab.cpp)
  // Opens a lab on a fresh board: its set-up runs, the panel shows its
  // steps, and the session is recorded from there. False (and a warning)
  // for a bad lab file or set-up.
  bool OpenLab(const std::string& path);
  class LabPanel* LabSide() const {
    return labPanel_;
  }
  // Writes the session recorded so far as an orrin-run script (with the
  // lab's summary as comments); false when it cannot be written.
  bool WriteSession(const std::string& path);
  // Lays the faults of a file of `fault` lines on the board (--faults);
  // false (and a warning naming the lines) when a line is not one.
  bool UseFaults(const std::string& path);
  // orrin --controller FILE: the design read as "读硬连线控制器…" reads it.
  void LoadController(const std::string& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShareShortcuts(QWidget* window);  // main_form.cpp
  // form_build.cpp
  void BuildWidgets();
  QObject* CreateWidget(WidgetId id);
  void StaticTexts();
  void TemplatePanel();
  void PlaceAnchored();
  void BindKeyboard();
  void FitScreen(QSize size, QPoint at);
  void PlaceBesideConsole(QWidget* window);
  int ConsoleShift() const;
  void RevealConsoleControl(QWidget* control);
  // form_bind.cpp
  void BindEvents();
  void BindTimers();
  void SyncTimers();
  void OnRunTick();
  bool HandleWheel(QObject* watched, class QWheelEvent* e);
  bool HandleEditKey(WidgetId id, class QKeyEvent* e);
  // form_desktop.cpp
  void SetUpDesktop();
  void BindShortcuts();
  void LanguageMenu();
  void RecentMenus();
  void FillRecentMenu(WidgetId menu);
  void RememberFile(const QString& purpose, const std::string& file);
  void RunFileCommand(WidgetId item, void (Simulator::*handler)());
  void AdaptToLanguage();
  bool ShowTip(QObject* watched, class QHelpEvent* e);
  bool IsTyping(QObject* focus) const;
  // form_lab.cpp
  void LabMenu();
  void RetranslateLabMenu();
  void StartSession();
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
  std::vector<std::pair<QLabel*, const char*>> staticLabels_;  // layout captions, retranslated
  std::array<QKeySequence, WidgetCount> keys_{};               // console shortcuts, for tooltips
  class QMenu* languageMenu_ = nullptr;
  class QMenu* labMenu_ = nullptr;
  class LabPanel* labPanel_ = nullptr;
  bool settingsUsed_ = false;
  QPixmap colorSample_;
  QTimer timerRun_, timerWrongLine_, timerTrigger_, timerPlayback_, frame_;
  bool applying_ = false;  // cells written by the view are not the user's typing
  bool runHold_ = false;
  std::map<WidgetId, std::vector<std::string>>
      appliedLines_;  // of the list boxes   // the run timer's ticks hold the view until the next frame
};

}  // namespace orrin::ui
