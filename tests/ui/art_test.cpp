// The painted pictures: the board picture reaches the simulator in its pixel
// order with every jack where the jack table puts it, and no picture a
// widget takes is larger than the widget.
#include <gtest/gtest.h>

#include <QTest>

#include "tests/test_host.h"
#include "ui/main_form.h"
#include "ui/picture_box.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

int Red(uint32_t bgr) { return static_cast<int>(bgr & 0xFF); }
int Blue(uint32_t bgr) { return static_cast<int>((bgr >> 16) & 0xFF); }

class Art : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};
};

TEST_F(Art, EveryJackSitsOnTheBoardPictureWithTheColourOfItsKind) {
  const Simulator& sim = form.Sim();
  int jacks = 0;
  for (const Jack& j : sim.wires.Jacks()) {
    if (j.InUse != 1) continue;
    ++jacks;
    // The ring, 4 pixels right of the centre, in the simulator's 0x00BBGGRR.
    const uint32_t ring = sim.cleanBoard[static_cast<size_t>(j.Y * Canvas::Width + j.X + 4)];
    EXPECT_EQ(ring >> 24, 0u) << j.Name;
    if (j.Name == "GND") continue;
    if (j.IsOutput == 1)
      EXPECT_GT(Red(ring), Blue(ring) + 80) << j.Name << " should have a red ring";
    else
      EXPECT_GT(Blue(ring), Red(ring) + 80) << j.Name << " should have a blue ring";
  }
  EXPECT_EQ(jacks, 76);
  // The window shows the canvas in the same colours.
  const Jack& k0 = sim.wires.JackAt(0);
  const QColor shown = form.Widget(Image_WireDraw)->grab().toImage().pixelColor(k0.X + 4, k0.Y);
  const uint32_t pixel = sim.canvas.Pixel(k0.X + 4, k0.Y);
  EXPECT_EQ(shown.red(), Red(pixel));
  EXPECT_EQ(shown.blue(), Blue(pixel));
}

TEST_F(Art, NoPictureIsLargerThanTheWidgetShowingIt) {
  auto check = [&](const char* state) {
    for (int i = 0; i < WidgetCount; ++i) {
      auto* box = dynamic_cast<PictureBox*>(form.Object(static_cast<WidgetId>(i)));
      if (!box || !box->Pixmap()) continue;
      EXPECT_LE(box->Pixmap()->width(), box->width()) << Info(static_cast<WidgetId>(i)).name << " " << state;
      EXPECT_LE(box->Pixmap()->height(), box->height()) << Info(static_cast<WidgetId>(i)).name << " " << state;
    }
  };
  check("at start");
  Simulator& sim = form.Sim();
  sim.SpeedButtonPOWERClick();
  sim.RadioButtonMicroProgramClick();
  for (int i = 0; i < 9; ++i) sim.Button_OneLittleStepClick();
  form.AfterAction();
  check("running the microprogram");
}

TEST_F(Art, TheControllerModeChangesTheDrawingsBehindThePanels) {
  auto role = [&](WidgetId id) { return static_cast<PictureBox*>(form.Widget(id))->Role(); };
  EXPECT_EQ(role(Image2), Pic::Image3_Hand);
  EXPECT_EQ(role(Image10), Pic::Image10_Hand_ori);
  QTest::mouseClick(form.Widget(RadioButtonMicroProgram), Qt::LeftButton);
  EXPECT_EQ(role(Image2), Pic::Image3_NOHand);
  EXPECT_EQ(role(Image10), Pic::Image10_Micro_ori);
  EXPECT_EQ(form.Widget(RadioButtonMicroProgram)->palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(form.Widget(RadioButtonHandLine)->palette().color(QPalette::Window), QColor(0xC8, 0xC8, 0xC8));
}

}  // namespace
}  // namespace orrin::ui
