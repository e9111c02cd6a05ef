// The lab menu: opening a guided lab (a fresh board, the lab's set-up, the
// side panel), saving the session recorded since, and the faults a teacher
// hands over with --faults.
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <sstream>

#include "app/runner.h"
#include "base/text_files.h"
#include "ui/disassembly_window.h"
#include "ui/lab_panel.h"
#include "ui/main_form.h"
#include "ui/qt_host.h"
#include "ui/qt_util.h"
#include "ui/timing_diagram.h"
#include "ui/translate.h"

namespace orrin::ui {

namespace {

// Console lines performed on the window's board as orrin-run performs them:
// their questions and dialogs answered by the lines, not by the student,
// and the boxes they raise collected for one warning at the end.
class ConsoleLines {
 public:
  explicit ConsoleLines(Simulator& sim) : sim_(sim), host_(out_, nullptr), ctx_{sim, host_, out_} {
    sim_.hostRelay.Divert(host_);
  }
  ~ConsoleLines() { sim_.hostRelay.Restore(); }
  ConsoleLines(const ConsoleLines&) = delete;
  ConsoleLines& operator=(const ConsoleLines&) = delete;
  RunnerContext& Context() { return ctx_; }
  std::string Boxes() const { return out_.str(); }

 private:
  Simulator& sim_;
  std::ostringstream out_;
  ScriptHost host_;
  RunnerContext ctx_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text.append(text.empty() ? "" : "\n").append(l);
  return text;
}

}  // namespace

void TMainForm::LabMenu() {
  labMenu_ = menuBar()->addMenu(QString());
  labMenu_->setObjectName("N_Lab");
  QAction* open = labMenu_->addAction(QString());
  open->setObjectName("N_OpenLab");
  connect(open, &QAction::triggered, this, [this] {
    QSettings settings;
    const QString folder = settings.value("lab/folder", ExamplesFolder("labs")).toString();
    const QString path = QFileDialog::getOpenFileName(this, Tr(QT_TRANSLATE_NOOP("orrin", "打开实验")), folder,
                                                      Tr(QT_TRANSLATE_NOOP("orrin", "实验文件 (*.lab)")));
    if (path.isEmpty()) return;
    settings.setValue("lab/folder", QFileInfo(path).absolutePath());
    OpenLab(S(path));
  });
  QAction* save = labMenu_->addAction(QString());
  save->setObjectName("N_SaveSession");
  connect(save, &QAction::triggered, this, [this] {
    QSettings settings;
    const QString folder = settings.value("lab/folder", QDir::currentPath()).toString();
    const QString path =
        QFileDialog::getSaveFileName(this, Tr(QT_TRANSLATE_NOOP("orrin", "保存操作记录")), folder + "/session.orrin",
                                     Tr(QT_TRANSLATE_NOOP("orrin", "操作记录 (*.orrin)")));
    if (path.isEmpty()) return;
    if (!WriteSession(S(path))) sim_->host.Warn(files::CannotWriteWarning(S(path)));
  });
  labPanel_ = new LabPanel(this);
  labPanel_->hide();
  addDockWidget(Qt::RightDockWidgetArea, labPanel_);
  labPanel_->onChoice = [this](int n) {
    sim_->ChooseAnswer(n);
    ApplyView();  // the board is looked at again: the answer may finish a step
  };
  RetranslateLabMenu();
}

void TMainForm::RetranslateLabMenu() {
  labMenu_->setTitle(Tr(QT_TRANSLATE_NOOP("orrin", "实验")));
  findChild<QAction*>("N_OpenLab")->setText(Tr(QT_TRANSLATE_NOOP("orrin", "打开实验…")));
  findChild<QAction*>("N_SaveSession")->setText(Tr(QT_TRANSLATE_NOOP("orrin", "保存操作记录…")));
  labPanel_->Retranslate();
}

bool TMainForm::OpenLab(const std::string& path) {
  auto lab = std::make_unique<Lab>();
  std::vector<std::string> errors;
  if (!LoadLab(sim_->host, path, *lab, errors)) {
    sim_->host.Warn(Joined(errors));
    return false;
  }
  // A fresh board, as orrin-run starts one, so that the recorded session
  // replays on top of the same set-up.
  if (disassembly_ != nullptr) disassembly_->hide();
  if (timing_ != nullptr) timing_->hide();
  std::string error, boxes;
  {
    ConsoleLines lines(*sim_);
    if (!BeginLab(lines.Context(), *lab, error)) errors.push_back(error);
    boxes = lines.Boxes();
  }
  ApplyAll();
  AdaptToLanguage();
  SyncTimers();
  if (!errors.empty() || !boxes.empty()) {
    sim_->host.Warn(Joined(errors) + (errors.empty() ? "" : "\n") + boxes);
    if (!errors.empty()) {
      // The board is a fresh one now: a lab open before no longer applies to it.
      labPanel_->End();
      StartSession();
      return false;
    }
  }
  // The panel comes beside the board, not out of it: the window grows where
  // the screen has room; maximized, or at the screen's edge, the work area
  // gives it the room instead.
  const int wider = width() + labPanel_->minimumWidth() + 20;
  const QScreen* s = screen();
  const bool room = s != nullptr && frameGeometry().left() + wider + (frameGeometry().width() - width()) <=
                                        s->availableGeometry().right() + 1;
  if (!labPanel_->isVisible() && !isMaximized() && !isFullScreen() && room) resize(wider, height());
  labPanel_->Begin(std::move(lab));
  ApplyView();
  return true;
}

void TMainForm::StartSession() {
  sim_->session.Start(true);
  // The colour remembered from last time is not the board's own: the
  // session sets it, as the student would have.
  if (sim_->editor.WireColor != color::SkyBlue)
    sim_->session.Add(CommandLine(Cmd::WireColour, Session::ColourText(sim_->editor.WireColor)));
}

bool TMainForm::WriteSession(const std::string& path) {
  std::string text;
  const QString name = QFileInfo(Q(path)).fileName();
  if (const Lab* lab = labPanel_->CurrentLab()) {
    text.append("# replay with: orrin-run --lab ").append(lab->path).append(" ").append(S(name)).append("\n");
    for (const QString& line : labPanel_->Summary()) text.append("# ").append(S(line)).append("\n");
    // The same for orrin-grade's report: each step's time and hint.
    if (const LabProgress* progress = labPanel_->Progress())
      for (const std::string& line : progress->Record()) text.append("# ").append(line).append("\n");
  } else {
    text.append("# replay with: orrin-run ").append(S(name)).append("\n");
  }
  text.append("# saved ").append(S(QDateTime::currentDateTime().toString(Qt::ISODate))).append("\n");
  // The files the student loaded beside the session are named as they lie
  // there, so that the session replays (and is graded) from that folder.
  text += NamesRelativeTo(sim_->session.Text(), S(QFileInfo(Q(path)).absolutePath()));
  return files::WriteWholeFile(path, text);
}

bool TMainForm::UseFaults(const std::string& path) {
  std::string text;
  if (sim_->host.ReadFile(path, kLongestLab, text) != files::ReadResult::Ok) {
    sim_->host.Warn(files::CannotReadWarning(path));
    return false;
  }
  std::vector<std::string> errors, faults;
  {
    ConsoleLines lines(*sim_);
    std::istringstream in(text);
    std::string line;
    int number = 0;
    for (ScriptLines reader(in); reader.Next(line);) {
      ++number;
      std::istringstream words(line);
      std::string first;
      words >> first;
      if (first.empty() || first.starts_with('#')) continue;
      std::string error;
      bool acted = false;
      // The file holds faults only: it cannot work the board for the student.
      if (first != "fault") error = "only fault lines belong in a faults file";
      if (error.empty() && RunLine(lines.Context(), line, error, acted)) {
        faults.push_back(line);
        continue;
      }
      errors.push_back(path + ":" + std::to_string(number) + ": " + error);
    }
  }
  ApplyView();
  // A replay of the session must meet the same faults.
  for (const std::string& f : faults) sim_->session.Add(f);
  if (!errors.empty()) sim_->host.Warn(Joined(errors));
  return errors.empty();
}

}  // namespace orrin::ui
