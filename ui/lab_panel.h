#pragma once
// The side panel of a guided lab: its steps with a tick for each one done,
// the instruction of the current step, its choices and hint, the time since
// the lab began, and a summary at the end. The window tells it after every
// action and every frame to look at the board.
#include <QDockWidget>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/lab.h"

class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace orrin::ui {

class LabPanel : public QDockWidget {
 public:
  explicit LabPanel(QWidget* parent);

  // Shows `lab` from its first step; the clock starts.
  void Begin(std::unique_ptr<Lab> lab);
  // No lab any more: the panel hides.
  void End();
  bool Active() const { return lab_ != nullptr; }
  const Lab* CurrentLab() const { return lab_.get(); }
  // Takes in the student's actions recorded since the last look (a
  // shortcut the lab forbids, a wrong answer), then ticks the steps whose
  // checks now hold, in order.
  void Check(const Simulator& sim);
  bool Finished() const { return progress_ && progress_->Finished(); }
  const LabProgress* Progress() const { return progress_ ? &*progress_ : nullptr; }
  // The student's answer to the current step's question (1, 2 …); the
  // window records it and then has the board looked at.
  std::function<void(int)> onChoice;
  // The summary as lines of text (time per step, hints), in the language shown.
  QStringList Summary() const;
  // Every text again, in the language now chosen.
  void Retranslate();

 private:
  QString Text(const LabText& t) const;
  void ShowSteps();
  void ShowCurrent();
  void ShowClock();
  void ShowNotice();

  std::unique_ptr<Lab> lab_;
  std::optional<LabProgress> progress_;
  std::string choice_;
  QElapsedTimer clock_;
  QTimer tick_;
  size_t seen_ = 0;          // session lines taken in (the session starts with the lab)
  bool wrongShown_ = false;  // the last answer was wrong (until a step is done)
  QLabel *title_, *goal_, *current_, *hint_, *clockText_, *summary_, *notice_;
  QListWidget* steps_;
  QPushButton* hintButton_;
  QWidget* choices_;
  QVBoxLayout* choiceLayout_;
};

}  // namespace orrin::ui
