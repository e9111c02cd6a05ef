// The layout table: every widget has a place, and on each panel no two
// widgets or printed captions cover each other and every caption fits.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <map>

#include "layout/board_geometry.h"
#include "ui/faces.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

TEST(Layout, EveryWidgetOfTheTableHasAPlace) {
  for (int i = 0; i < WidgetCount; ++i) {
    const WidgetId id = static_cast<WidgetId>(i);
    if (Info(id).kind == WidgetKind::Menu) continue;
    EXPECT_TRUE(TheLayout()[id].placed) << Info(id).name;
  }
}

struct Item {
  QRect r;
  std::string what;
};

// Widgets that lie over others on purpose: the pictures behind everything,
// panels that pop up over a module, and hints that follow the mouse.
bool Overlays(WidgetId id) {
  return id == Image_WireDraw || id == Image2 || id == Image10 || Info(id).kind == WidgetKind::Panel ||
         IsHint(TheLayout()[id].face);
}

// Captions printed on a picture belong to the panel that holds the picture.
WidgetId PanelOf(WidgetId surface) { return surface == Image2 || surface == Image10 ? Panel3 : surface; }

// Every row of eight lamps reads as the board's: bit 7 on the left.
TEST(Layout, LampRowsRunFromBitSevenOnTheLeftToBitZero) {
  for (const char* row : {"Image_A", "Image_B", "Image_D", "Image_AR", "Image_PC", "Image_INS", "Image_IR"}) {
    int lastX = -1;
    for (int bit = 7; bit >= 0; --bit) {
      const WidgetId id = FindWidget(row + std::to_string(bit));
      ASSERT_NE(id, WidgetId::Count) << row << bit;
      const int x = TheLayout().Rect(id).x();
      EXPECT_GT(x, lastX) << row << bit;
      lastX = x;
    }
  }
}

TEST(Layout, NothingOnAPanelCoversAnythingElse) {
  std::map<WidgetId, std::vector<Item>> byPanel;
  for (int i = 0; i < WidgetCount; ++i) {
    const WidgetId id = static_cast<WidgetId>(i);
    if (Info(id).kind == WidgetKind::Menu || Overlays(id)) continue;
    byPanel[Info(id).container].push_back({Q(TheLayout().Rect(id)), Info(id).name});
  }
  for (const StaticText& t : TheLayout().Texts())
    byPanel[PanelOf(t.container)].push_back({Q(t.r), std::string("caption \"") + t.text + "\""});
  for (const auto& [panel, items] : byPanel)
    for (size_t a = 0; a < items.size(); ++a)
      for (size_t b = a + 1; b < items.size(); ++b)
        EXPECT_FALSE(items[a].r.intersects(items[b].r))
            << "on " << (panel == WidgetId::Count ? "MainForm" : Info(panel).name) << ": " << items[a].what << " and "
            << items[b].what;
}

// The signal-source windows stand inside their module's box, clear of its
// frame: the row's (LPC's too, the last) and the INTEN column's.
TEST(Layout, TheSourceWindowsStandInsideTheirBoxes) {
  int checked = 0;
  for (int i = 0; i < WidgetCount; ++i) {
    const WidgetId id = static_cast<WidgetId>(i);
    const std::string_view name = Info(id).name;
    if (!name.starts_with("Label_Hand_") || id == Label_Hand_RD1_2 || id == Label_Hand_RD0_2) continue;
    const QRect r = Q(TheLayout().Rect(id));
    const QRect box = Q(r.x() < board::kIntInputs.r.x() ? board::kInputs.r : board::kIntInputs.r);
    EXPECT_TRUE(box.adjusted(2, 2, -2, -2).contains(r)) << name;
    ++checked;
  }
  EXPECT_EQ(checked, 28);
  EXPECT_FALSE(Q(board::kInputs.r).intersects(Q(board::kIntInputs.r)));
}

TEST(Layout, EveryCaptionFitsItsBox) {
  for (const StaticText& t : TheLayout().Texts()) {
    const QFontMetrics m(StyleOf(t.face).font);
    EXPECT_LE(m.horizontalAdvance(QString::fromUtf8(t.text)), t.r.width()) << t.text;
    EXPECT_LE(m.height() - 3, t.r.height()) << t.text;
  }
}

}  // namespace
}  // namespace orrin::ui
