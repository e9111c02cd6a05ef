// A lab in the window: the panel ticks each step as the student's actions
// make it hold, answers are buttons, the saved session replays in orrin-run
// to the same board and the same steps, and faults come only from a lab or
// a faults file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/lab.h"
#include "tests/test_host.h"
#include "ui/lab_panel.h"
#include "ui/main_form.h"
#include "ui/translate.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

const std::string kLabs = std::string(ORRIN_SOURCE_DIR) + "/examples/labs/";

std::string Scratch(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("orrin_lab_window_" + name)).string();
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class LabWindow : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};
  LabPanel& panel() { return *form.LabSide(); }
  QListWidget* steps() { return panel().findChild<QListWidget*>("Lab_Steps"); }
  // A student's action through the window's own path.
  template <typename F>
  void Do(F action) {
    action(form.Sim());
    form.AfterAction();
  }
};

TEST_F(LabWindow, StepsTickAsTheStudentWorksAndTheSessionReplaysToTheSameBoard) {
  form.Sim().ToggleLevelSwitch(5);  // before the lab: gone with the fresh board
  form.AfterAction();
  ASSERT_TRUE(form.OpenLab(kLabs + "alu.lab"));
  EXPECT_FALSE(panel().isHidden());
  EXPECT_TRUE(steps()->item(0)->text().startsWith(QString::fromUtf8("▶")));
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  EXPECT_TRUE(steps()->item(0)->text().startsWith(QString::fromUtf8("✔")));
  for (int n : {0, 2, 4, 5}) Do([n](Simulator& s) { s.ToggleDataSwitch(n); });
  EXPECT_TRUE(steps()->item(1)->text().startsWith(QString::fromUtf8("✔")));

  // The panel is docked beside the board; the hint, asked for, is laid out below the step.
  EXPECT_EQ(form.dockWidgetArea(&panel()), Qt::RightDockWidgetArea);
  panel().findChild<QPushButton*>("Lab_HintButton")->click();
  QApplication::processEvents();
  auto* hint = panel().findChild<QLabel*>("Lab_Hint");
  auto* current = panel().findChild<QLabel*>("Lab_Current");
  EXPECT_FALSE(hint->isHidden());
  EXPECT_GT(hint->geometry().top(), current->geometry().bottom()) << "the hint sits below the step";
  std::ifstream solution(kLabs + "alu.solution.orrin");
  std::string line;
  for (int skip = 0; skip < 5 && std::getline(solution, line);) skip += line.starts_with("#") ? 0 : 1;
  while (std::getline(solution, line)) {
    std::istringstream words(line);
    std::string command;
    int n = 0;
    words >> command >> n;
    if (command == "sd") Do([n](Simulator& s) { s.ToggleDataSwitch(n); });
    if (command == "k") Do([n](Simulator& s) { s.ToggleLevelSwitch(n); });
    if (command == "step") QTest::mouseClick(form.Widget(Button_OneLittleStep), Qt::LeftButton);
  }
  ASSERT_TRUE(panel().Finished());
  const QString summary = panel().findChild<QLabel*>("Lab_Summary")->text();
  EXPECT_TRUE(summary.contains(QString::fromUtf8("全部完成"))) << summary.toStdString();
  EXPECT_TRUE(summary.contains(QString::fromUtf8("用了 1 次提示"))) << summary.toStdString();

  const std::string path = Scratch("session.orrin");
  ASSERT_TRUE(form.WriteSession(path));
  std::ifstream saved(path);
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_TRUE(text.str().starts_with("# replay with: orrin-run --lab " + kLabs + "alu.lab")) << text.str();
  EXPECT_EQ(text.str().find("k 5\n"), std::string::npos);  // the session began with the lab
  // The grader's record of it: every step done, at the times the panel shows.
  const auto record = ReadLabRecord(text.str(), 5);
  ASSERT_TRUE(record.has_value()) << text.str();
  EXPECT_EQ(record->doneMs, form.LabSide()->Progress()->DoneAt());

  Lab lab;
  std::vector<std::string> errors;
  ASSERT_TRUE(LoadLab(host, kLabs + "alu.lab", lab, errors));
  std::istringstream in(text.str());
  std::ostringstream out, err;
  RunOptions options;
  options.lab = &lab;
  options.atEnd = [&](const Simulator& replay) {
    for (int i = 0; i < WidgetCount; ++i) {
      const auto id = static_cast<WidgetId>(i);
      EXPECT_TRUE(form.Sim().view[id] == replay.view[id]) << Info(id).name;
    }
  };
  EXPECT_EQ(RunScript(in, out, err, options), 0) << err.str();
  EXPECT_TRUE(out.str().ends_with("lab: 5 of 5 steps done\n")) << out.str();
  std::filesystem::remove(path);
}

TEST_F(LabWindow, AnAnswerIsAButtonAndARefusedLabLeavesTheBoardAlone) {
  const std::string path = Scratch("answer.lab");
  Write(path,
        "title: 问\ntitle.en: Ask\ngoal: 答\ngoal.en: Answer\n"
        "step 1: 哪个？\nstep.en: Which?\nchoice: 甲\nchoice.en: A\nchoice: 乙\nchoice.en: B\ncheck: choice=2\n");
  ASSERT_TRUE(form.OpenLab(path));
  auto* wrong = panel().findChild<QPushButton*>("Lab_Choice1");
  ASSERT_NE(wrong, nullptr);
  wrong->click();
  EXPECT_FALSE(panel().Finished());
  panel().findChild<QPushButton*>("Lab_Choice2")->click();
  EXPECT_TRUE(panel().Finished());
  EXPECT_TRUE(form.Sim().session.Text().ends_with("choose 1\nchoose 2\n")) << form.Sim().session.Text();

  // The language switch reaches the panel.
  UseLanguage(Language::English);
  form.Retranslate();
  EXPECT_EQ(panel().findChild<QLabel*>("Lab_Title")->text(), "Ask");
  UseLanguage(Language::Chinese);
  form.Retranslate();
  EXPECT_EQ(panel().findChild<QLabel*>("Lab_Title")->text(), QString::fromUtf8("问"));

  // A lab whose set-up fails leaves a fresh board and no lab: the one open before is over.
  const std::string broken = Scratch("broken.lab");
  Write(broken,
        "title: 坏\ntitle.en: Broken\ngoal: 无\ngoal.en: None\nsetup: load-wires no-such-file.txt\n"
        "step 1: 开\nstep.en: on\ncheck: SpeedButtonPOWER=SpeedButton_PowerON\n");
  EXPECT_FALSE(form.OpenLab(broken));
  EXPECT_FALSE(panel().Active());
  EXPECT_TRUE(panel().isHidden());
  std::filesystem::remove(broken);

  Write(path, "title: 问\ntitle.en: Ask\ngoal: 答\ngoal.en: Answer\nstep 2: x\n");
  Do([](Simulator& s) { s.ToggleLevelSwitch(7); });
  EXPECT_FALSE(form.OpenLab(path));
  ASSERT_FALSE(host.warnings.empty());
  EXPECT_NE(host.warnings.back().find(path + ":5: 'step 2' where step 1 comes"), std::string::npos);
  EXPECT_TRUE(form.Sim().machine.Levels.Position[7]);  // the board was not touched
  std::filesystem::remove(path);
}

TEST_F(LabWindow, AWrongAnswerAndAForbiddenShortcutAreToldAtOnceInTheStudentsLanguage) {
  const std::string path = Scratch("strict.lab");
  Write(path,
        "title: 严\ntitle.en: Strict\ngoal: 答\ngoal.en: Answer\nforbid: edit R1\n"
        "step 1: 哪个？\nstep.en: Which?\nchoice: 甲\nchoice.en: A\nchoice: 乙\nchoice.en: B\ncheck: choice=2\n"
        "step 2: 电\nstep.en: on\ncheck: SpeedButtonPOWER=SpeedButton_PowerON\n"
        "step 3: R1\nstep.en: R1\ncheck: R1=66\n");
  ASSERT_TRUE(form.OpenLab(path));
  auto* notice = panel().findChild<QLabel*>("Lab_Notice");
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->isHidden());
  panel().findChild<QPushButton*>("Lab_Choice1")->click();
  EXPECT_FALSE(notice->isHidden());
  EXPECT_EQ(notice->text(), QString::fromUtf8("答案不对，再想想。"));
  UseLanguage(Language::English);
  form.Retranslate();
  EXPECT_EQ(notice->text(), "That answer is wrong; think again.");
  panel().findChild<QPushButton*>("Lab_Choice2")->click();
  EXPECT_TRUE(notice->isHidden()) << "the step is done: the wrong answer is behind";

  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  form.Sim().view.Writable(Edit_R1).text = "66";
  Do([](Simulator& s) { s.EditKeyPress(Edit_R1, 13); });
  EXPECT_EQ(form.Sim().machine.Regs.R[1], 0x66);
  EXPECT_FALSE(notice->isHidden());
  EXPECT_TRUE(notice->text().startsWith("This lab does not allow this: edit R1.")) << notice->text().toStdString();
  EXPECT_FALSE(panel().Finished()) << "typed in, R1 is no step done";
  EXPECT_TRUE(panel().Summary().contains("1 wrong answers")) << "the total, a line of its own";
  const QString summary = panel().Summary().join('\n');
  EXPECT_TRUE(summary.contains(" (1 wrong answers)")) << summary.toStdString();
  EXPECT_TRUE(summary.contains("Used edit R1, which this lab does not allow")) << summary.toStdString();
  UseLanguage(Language::Chinese);
  form.Retranslate();
  EXPECT_TRUE(notice->text().startsWith(QString::fromUtf8("本实验不允许这样做：edit R1。")));
  std::filesystem::remove(path);
}

TEST_F(LabWindow, ASetUpThatStartsTheRunTimerRunsInTheWindowAndASessionWithoutALabSaysHowToReplayIt) {
  const std::string path = Scratch("running.lab");
  Write(path, "title: 跑\ntitle.en: Run\ngoal: 跑\ngoal.en: Run\nsetup: load-wires " + kLabs +
                  "../wiring/microprogram.txt\nsetup: mode microprogram\nsetup: power\nsetup: qd\n"
                  "step 1: 停\nstep.en: stop\ncheck: SpeedButtonPOWER=SpeedButton_PowerOFF\n");
  ASSERT_TRUE(form.OpenLab(path));
  auto* timer = form.findChild<QTimer*>("Timer_RUN");
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive()) << "the set-up's run goes on in the window";
  std::filesystem::remove(path);

  RecordingHost other;
  TMainForm plain(&other);
  const std::string session = Scratch("plain.orrin");
  ASSERT_TRUE(plain.WriteSession(session));
  std::ifstream saved(session);
  std::string first;
  std::getline(saved, first);
  EXPECT_EQ(first, "# replay with: orrin-run orrin_lab_window_plain.orrin");
  std::filesystem::remove(session);
}

TEST_F(LabWindow, AFaultsFileHoldsFaultsOnlyAndTheSessionReplaysThem) {
  const std::string path = Scratch("faults.txt");
  Write(path, "# the teacher's\nfault reg R0 0 1\nk 3\nfault lamp Image_SBUS\n");
  EXPECT_FALSE(form.UseFaults(path));
  ASSERT_FALSE(host.warnings.empty());
  EXPECT_EQ(host.warnings.back(), path + ":3: only fault lines belong in a faults file");
  EXPECT_FALSE(form.Sim().machine.Levels.Position[3]);
  Do([](Simulator& s) { s.SpeedButtonPOWERClick(); });
  Do([](Simulator& s) {
    s.view.Writable(Edit_R0).text = "00";
    s.EditKeyPress(Edit_R0, 13);
  });
  EXPECT_EQ(form.Sim().machine.Regs.R[0], 1);
  EXPECT_TRUE(form.Sim().session.Text().starts_with("fault reg R0 0 1\n")) << form.Sim().session.Text();
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace orrin::ui
