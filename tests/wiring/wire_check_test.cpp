#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/wiring/wiring_util.h"

namespace orrin {
namespace {

using enum WidgetId;
using Lines = std::vector<std::string>;

TEST(WireCheck, ListsEveryWireFromBothEndsInJackOrder) {
  Board b;
  Simulator& sim = b.sim;
  EXPECT_EQ(sim.view[Label_LineCount].text, "0");
  DrawWireBetween(sim, K1, jack::LDZ);
  DrawWireBetween(sim, jack::K0, jack::LDC);  // drawn before DRW, listed after it
  DrawWireBetween(sim, jack::K0, jack::DRW);
  EXPECT_EQ(sim.view[Memo_WireOut].lines, (Lines{"K0 --> DRW", "K0 --> LDC", "K1 --> LDZ"}));
  EXPECT_EQ(sim.view[Memo_WireIn].lines, (Lines{"DRW <-- K0", "LDC <-- K0", "LDZ <-- K1"}));
  EXPECT_EQ(sim.view[Memo_WireIn].fontColor, color::WindowText);
  EXPECT_EQ(sim.view[Label_LineCount].text, "3");
  EXPECT_EQ(sim.editor.WrongInputCount, 0);
  EXPECT_FALSE(sim.editor.Timer_WrongLine.enabled);
}

TEST(WireCheck, AnInputWithSeveralOutputsIsReportedInRedAndBlocksThePower) {
  Board b;
  Simulator& sim = b.sim;
  DrawWireBetween(sim, jack::K0, jack::LDC);
  DrawWireBetween(sim, K5, jack::LDC);
  DrawWireBetween(sim, K1, jack::LDZ);
  EXPECT_EQ(sim.editor.WrongInputCount, 1);
  EXPECT_EQ(sim.view[Memo_WireIn].fontColor, color::Red);
  EXPECT_EQ(sim.view[Memo_WireIn].lines,
            (Lines{"      ", "  错误插孔信息  ", "      ", "'LDC'连2根线", "LDC <-- K0", "LDC <-- K5"}));
  EXPECT_EQ(sim.view[Memo_WireOut].lines, (Lines{"K0 --> LDC", "K1 --> LDZ", "K5 --> LDC"}));
  EXPECT_EQ(sim.view[Label_wrongNum].text, "1");
  EXPECT_TRUE(sim.editor.Timer_WrongLine.enabled);

  sim.SpeedButtonPOWERClick();
  EXPECT_EQ(sim.console.PowerOn, 0);
  EXPECT_EQ(b.host.warnings, Lines{"检查连线！输入插孔不能接多个输出插孔。"});

  // Mid-blink, removing one wire ends the alarm at once.
  for (int i = 0; i < 5; ++i) sim.Timer_WrongLineTimer();
  EXPECT_EQ(sim.view[Label_wrongwarn].color, color::Red);
  DrawWireBetween(sim, jack::LDC, K5);
  EXPECT_EQ(sim.editor.WrongInputCount, 0);
  EXPECT_FALSE(sim.editor.Timer_WrongLine.enabled);
  EXPECT_EQ(sim.view[Label_wrongwarn].color, color::SkyBlue);
  EXPECT_EQ(sim.view[Label_wrongwarn].fontColor, color::WindowText);
  EXPECT_EQ(sim.view[Label_wrongNum].color, color::BtnFace);
  EXPECT_EQ(sim.view[Label_wrongNum].text, "0");
  EXPECT_EQ(sim.view[Memo_WireIn].lines, (Lines{"LDC <-- K0", "LDZ <-- K1"}));
  sim.SpeedButtonPOWERClick();
  EXPECT_EQ(sim.console.PowerOn, 1);
}

TEST(WireCheck, AnInputWithThreeOutputsCountsOnce) {
  Board b;
  Simulator& sim = b.sim;
  DrawWireBetween(sim, K5, jack::CIN);
  DrawWireBetween(sim, jack::VCC2, jack::CIN);
  DrawWireBetween(sim, jack::K0, jack::CIN);
  DrawWireBetween(sim, jack::GND1, jack::M);
  DrawWireBetween(sim, K1, jack::M);
  EXPECT_EQ(sim.editor.WrongInputCount, 2);
  EXPECT_EQ(sim.view[Memo_WireIn].lines,
            (Lines{"      ", "  错误插孔信息  ", "      ", "'M'连2根线", "M <-- K1", "M <-- GND", "      ",
                   "'CIN'连3根线", "CIN <-- K0", "CIN <-- K5", "CIN <-- VCC"}));
  EXPECT_EQ(sim.view[Label_wrongNum].text, "2");
}

TEST(WireCheck, TheIndicatorBlinksEveryHalfSecondAndKeepsItsPhase) {
  Board b;
  Simulator& sim = b.sim;
  DrawWireBetween(sim, jack::K0, jack::LDC);
  DrawWireBetween(sim, K5, jack::LDC);
  std::vector<bool> alarm;
  for (int i = 0; i < 20; ++i) {
    sim.Timer_WrongLineTimer();
    alarm.push_back(sim.view[Label_wrongwarn].color == color::Red);
  }
  // Ticks 1..20: counters 1-4 normal, 5-9 alarm, 10-14 normal, 15-19 alarm, 20 normal.
  const std::vector<bool> expected = {false, false, false, false, true, true, true, true, true, false,
                                      false, false, false, false, true, true, true, true, true, false};
  EXPECT_EQ(alarm, expected);
  sim.Timer_WrongLineTimer();
  sim.Timer_WrongLineTimer();  // counter 22
  DrawWireBetween(sim, K5, jack::LDC);
  DrawWireBetween(sim, K5, jack::LDC);  // stop, then start again
  EXPECT_TRUE(sim.editor.Timer_WrongLine.enabled);
  EXPECT_EQ(sim.editor.WrongBlinkCounter, 22);
  Access(sim).editor.WrongBlinkCounter = 19998;
  sim.Timer_WrongLineTimer();
  EXPECT_EQ(sim.view[Label_wrongNum].color, color::Lime);
  EXPECT_EQ(sim.view[Label_wrongNum].fontColor, color::Yellow);
  EXPECT_EQ(sim.view[Label_wrongwarn].fontColor, color::BtnFace);
  sim.Timer_WrongLineTimer();
  EXPECT_EQ(sim.editor.WrongBlinkCounter, 0);
}

}  // namespace
}  // namespace orrin
