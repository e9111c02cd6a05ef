// The console strip along the bottom edge (Panel_KEY) and the hidden panel
// that holds the template pictures.
#include "layout/console_geometry.h"
#include "layout/layout.h"

namespace orrin::layout {

using enum WidgetId;
using namespace console;

void LayoutConsole(Layout& l) {
  const int lw = kLeverSize.width(), lh = kLeverSize.height();

  // Operating mode.
  l.Place(Image_DP, kModeLeverX[0], kLeverY, lw, lh);
  l.Place(Image_SWC, kModeLeverX[1], kLeverY, lw, lh);
  l.Place(Image_SWB, kModeLeverX[2], kLeverY, lw, lh);
  l.Place(Image_SWA, kModeLeverX[3], kLeverY, lw, lh);
  l.Place(Label_KeyDPNote, 4, 78, 30, 15, Face::Note);
  l.Place(Label_DP, 10, 95, 18, 15, Face::Bit);
  l.Place(Label_KeySWCBANote, 36, 78, 80, 15, Face::Note);
  l.Place(Label_KeySWCBANote2, 36, 94, 80, 15, Face::Note);

  // Data switches.
  const WidgetId sd[8] = {Image_SD7, Image_SD6, Image_SD5, Image_SD4, Image_SD3, Image_SD2, Image_SD1, Image_SD0};
  for (int i = 0; i < 8; ++i) l.Place(sd[i], SdLeverX(i), kLeverY, lw, lh);
  l.Place(Image_SW_SBUS, 128, 80, kGateSize.width(), kGateSize.height());
  l.Place(Label_SBUS, 180, 81, 14, 15, Face::Bit);
  l.Place(Label_PKEY_SD, 210, 81, 22, 15, Face::Hex);
  l.Place(Label_SDNum, 283, 81, 22, 15, Face::Hex);

  // Level switches.
  const WidgetId upper[16] = {Image_K15, Image_K14, Image_K13, Image_K12, Image_K11, Image_K10, Image_K9, Image_K8,
                              Image_K7,  Image_K6,  Image_K5,  Image_K4,  Image_K3,  Image_K2,  Image_K1, Image_K0};
  const WidgetId lower[16] = {Image_K31, Image_K30, Image_K29, Image_K28, Image_K27, Image_K26, Image_K25, Image_K24,
                              Image_K23, Image_K22, Image_K21, Image_K20, Image_K19, Image_K18, Image_K17, Image_K16};
  for (int i = 0; i < 16; ++i) {
    l.Place(upper[i], KLeverX(i), kKUpperY, lw, lh);
    l.Place(lower[i], KLeverX(i), kKLowerY, lw, lh);
  }
  l.Place(Label_KeyThisHoleName, 470, 65, 80, 14, Face::HintTag);
  l.Place(Panel_NowMicro, 348, 21, 343, 79);
  l.Place(Button_CloseNowMicro, 283, 50, 52, 23);

  // Run controls.
  l.Place(Image_EN_INT, 728, 8, kLampLarge, kLampLarge);
  l.Place(SpeedButton_PULSE, 724, 56, 30, 30);
  l.Place(SpeedButtonQD, 770, 56, 30, 30);
  l.Place(Label_PK_StepNum, 765, 4, 100, 14, Face::Note);
  l.Place(SpeedButton_BackLeft, 764, 18, 20, 20);
  l.Place(SpeedButton_BackRight, 816, 18, 20, 20);
  l.Place(Button_PAUSE, 808, 52, 50, 22);
  l.Place(Button_OneLittleStep, 808, 80, 50, 22);

  // Printed captions of the strip.
  l.Text(Panel_KEY, 32, 4, 70, 16, QT_TRANSLATE_NOOP("orrin", "操作模式"), Face::Note);
  static const char* const kModeNames[4] = {"DP", "SWC", "SWB", "SWA"};
  for (int i = 0; i < 4; ++i) l.Text(Panel_KEY, kModeLeverX[i] - 2, 58, 25, 14, kModeNames[i], Face::Small);
  l.Text(Panel_KEY, 128, 6, 186, 16, QT_TRANSLATE_NOOP("orrin", "数据开关SD7-SD0，上1 下0"), Face::Note);
  static const char* const kDigits[16] = {"15", "14", "13", "12", "11", "10", "9", "8",
                                          "7",  "6",  "5",  "4",  "3",  "2",  "1", "0"};
  for (int i = 0; i < 8; ++i) l.Text(Panel_KEY, SdLeverX(i), 58, lw, 14, kDigits[8 + i], Face::Small);
  l.Text(Panel_KEY, 146, 81, 32, 15, "SBUS", Face::Small);
  l.Text(Panel_KEY, 233, 81, 12, 15, "H", Face::Note);
  l.Text(Panel_KEY, 247, 81, 34, 15, QT_TRANSLATE_NOOP("orrin", "送总线"), Face::Small);
  l.Text(Panel_KEY, 432, 4, 190, 14, QT_TRANSLATE_NOOP("orrin", "电平开关K31-K0， 上1 下0"), Face::Note);
  static const char* const kHigh[16] = {"31", "30", "29", "28", "27", "26", "25", "24",
                                        "23", "22", "21", "20", "19", "18", "17", "16"};
  for (int i = 0; i < 16; ++i) {
    l.Text(Panel_KEY, KLeverX(i), 50, lw, 14, kDigits[i], Face::Small);
    l.Text(Panel_KEY, KLeverX(i), 98, lw, 14, kHigh[i], Face::Small);
  }
  l.Text(Panel_KEY, 714, 26, 44, 14, "EN_INT", Face::Small);
  l.Text(Panel_KEY, 716, 88, 46, 14, "PULSE", Face::Small);
  l.Text(Panel_KEY, 770, 88, 30, 14, "QD", Face::Small);
  l.Text(Panel_KEY, 786, 20, 28, 16, QT_TRANSLATE_NOOP("orrin", "回放"), Face::Small);
  l.Text(Panel_KEY, 894, 86, 30, 14, "CLR", Face::Small);
  l.Text(Panel_KEY, 950, 82, 35, 16, QT_TRANSLATE_NOOP("orrin", "电源"), Face::Small);

  // Reset and power.
  l.Place(SpeedButtonCLR, 894, 24, 30, 60);
  l.Place(SpeedButtonPOWER, 950, 14, 35, 66);
}

}  // namespace orrin::layout
