#pragma once
// Where every widget of the board sits and how it looks: one slot per widget
// of the widget table, in its container's coordinates. Positions that the
// board's drawings fix are used as they stand; the rest are chosen so each
// lamp, label and gate sits on the module it belongs to in the artwork.
#include <array>
#include <cstdint>
#include <vector>

#include "base/board_view.h"
#include "layout/geometry.h"

namespace orrin::layout {

// The look of a widget, beyond its kind.
enum class Face : uint8_t {
  Plain,      // window font on the container's background
  Hint,       // "宋体" hint over the board, sized to its text (blue)
  HintTag,    // the same on yellow: the name of the jack under the mouse
  HintValue,  // the same in red: the level at that jack
  Hand,       // signal-source window on the board: dark, with coloured text
  Bit,        // one-digit value window
  Hex,        // two-digit value window
  Wide,       // longer value text (formula, bus value)
  Warn,       // red warning caption
  Field,      // register field: "宋体" 15 px
  Note,       // console text
  Small,      // small print on a panel
};

struct Slot {
  Rect r;
  Face face = Face::Plain;
  bool placed = false;
};

// A caption of a panel that is not a widget of the table.
struct StaticText {
  WidgetId container;
  Rect r;
  const char* text;
  Face face = Face::Plain;
};

class Layout {
 public:
  Layout();
  const Slot& operator[](WidgetId id) const { return slots_[static_cast<size_t>(id)]; }
  layout::Rect Rect(WidgetId id) const { return (*this)[id].r; }
  const std::vector<StaticText>& Texts() const { return texts_; }

  void Place(WidgetId id, int x, int y, int w, int h, Face face = Face::Plain);
  void Text(WidgetId container, int x, int y, int w, int h, const char* text, Face face = Face::Plain);

 private:
  std::array<Slot, WidgetCount> slots_{};
  std::vector<StaticText> texts_;
};

const Layout& TheLayout();

// English captions are longer: the controller-mode box and its three
// buttons take this much of the free room to their right.
inline constexpr int kEnglishWiden = 22;
inline constexpr WidgetId kWidenedInEnglish[] = {WidgetId::Panel_SetCtl, WidgetId::RadioButtonHdLine,
                                                 WidgetId::RadioButtonHandLine, WidgetId::RadioButtonMicroProgram};
// Where a widget sits in a language: its slot, widened in English where needed.
Rect PlacedRect(WidgetId id, bool english);
// Hints follow the mouse over the board and size themselves to their text.
inline bool IsHint(Face f) { return f == Face::Hint || f == Face::HintTag || f == Face::HintValue; }

// Filled by one file per area.
void LayoutWindow(Layout& l);
void LayoutBoard(Layout& l);
void LayoutDatapath(Layout& l);
void LayoutMicro(Layout& l);
void LayoutConsole(Layout& l);

// Fixed geometry of the window and of the scrolled work area.
inline constexpr Rect kClientRect{0, 0, 1018, 342};
inline constexpr Size kWorkArea{992, 2274};
inline constexpr Point kMicroOrigin{0, 606};  // Image10 inside Panel3
inline constexpr Size kDatapathSize{992, 606};
inline constexpr Size kMicroSize{992, 700};

// Sizes of the template pictures.
inline constexpr Size kLeverSize{21, 31};
inline constexpr int kLampSmall = 11;
inline constexpr int kLampMedium = 12;
inline constexpr int kLampLarge = 16;
inline constexpr Size kBeatSize{34, 14};
inline constexpr Size kPhaseSize{100, 118};
inline constexpr Size kGateSize{14, 16};
inline constexpr Size kSwitchSize{14, 14};

}  // namespace orrin::layout
