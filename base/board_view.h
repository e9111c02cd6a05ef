#pragma once
// The display as data: one record per widget of the window. The refresh
// writes it; the Qt layer applies what changed; tests and orrin-run read it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/values.h"

namespace orrin {

enum class WidgetKind : uint8_t { Panel, Image, Label, Edit, Memo, List, Grid, Button, SpeedButton, Radio, Menu };

enum class WidgetId : uint16_t {
#define W(name, kind, container) name,
#include "base/widgets.def"
#undef W
  Count
};
inline constexpr int WidgetCount = static_cast<int>(WidgetId::Count);

enum class Pic : uint8_t {
#define P(role) role,
#include "base/pictures.def"
#undef P
  Count
};

enum class Cursor : uint8_t { Arrow, Cross, PointingHand };

struct WidgetInfo {
  const char* name;
  WidgetKind kind;
  WidgetId container;  // WidgetId::Count for the main window and the menu bar
};
const WidgetInfo& Info(WidgetId id);
const char* PicName(Pic p);
// Looks a widget up by its name; WidgetId::Count when there is none.
WidgetId FindWidget(std::string_view name);
Pic FindPic(std::string_view name);

struct WidgetState {
  std::string text;
  Pic picture = Pic::None;
  uint32_t color = color::Default;      // background
  uint32_t fontColor = color::Default;  // text
  bool visible = true;
  bool enabled = true;
  bool readOnly = false;
  bool checked = false;
  bool transparent = false;
  bool moved = false;  // x, y override the layout position
  int x = 0, y = 0;
  Cursor cursor = Cursor::Arrow;
  // memos and list boxes
  std::vector<std::string> lines;
  int selectedLine = -1;
  // grids: cells[row * cols + col]
  int cols = 0, rows = 0;
  std::vector<std::string> cells;
  int currentRow = 0, currentCol = 0;
  bool operator==(const WidgetState&) const = default;
};

// A coordinate label created while a wire is drawn.
struct PointLabel {
  int x = 0, y = 0;
  std::string text;
  bool visible = true;
  uint32_t fontColor = 0;
  // Size of the label as drawn: an estimate for the font "宋体" size 10; the
  // window may replace it with the measured size, which the hiding under the
  // mouse then uses.
  int width = 0, height = 0;
};

class BoardView {
 public:
  BoardView();

  const WidgetState& operator[](WidgetId id) const { return w_[Index(id)]; }
  // Writable access, for the user's typing flowing back and for what the
  // setters do not cover; marks the widget dirty.
  WidgetState& Writable(WidgetId id) {
    MarkDirty(id);
    return w_[Index(id)];
  }

  // Setters mark a widget dirty only when the value actually changes.
  void SetText(WidgetId id, std::string_view text);
  void SetPicture(WidgetId id, Pic p);
  void SetColor(WidgetId id, uint32_t c);
  void SetFontColor(WidgetId id, uint32_t c);
  void SetVisible(WidgetId id, bool v);
  void SetEnabled(WidgetId id, bool v);
  void SetReadOnly(WidgetId id, bool v);
  void SetChecked(WidgetId id, bool v);
  void SetTransparent(WidgetId id, bool v);
  void SetCursor(WidgetId id, Cursor c);
  void Move(WidgetId id, int x, int y);
  // Lit/up picture exactly when value == 1.
  void SetLamp(WidgetId id, int32_t value, Pic on, Pic off) { SetPicture(id, value == 1 ? on : off); }
  // A teacher-set fault: the lamp never lights (it shows its unlit picture
  // whatever it is given). Only the view has it: the board works on.
  void DarkenLamp(WidgetId id);
  void ClearDarkLamps() { dark_.fill(false); }
  void CopyPicture(WidgetId to, WidgetId from) { SetPicture(to, (*this)[from].picture); }
  void CopyText(WidgetId to, WidgetId from) { SetText(to, (*this)[from].text); }

  // Lines (memos, list box).
  void ClearLines(WidgetId id);
  void AddLine(WidgetId id, std::string_view line);
  void SelectLine(WidgetId id, int line);

  // Grid cells.
  void SizeGrid(WidgetId id, int cols, int rows);
  const std::string& Cell(WidgetId id, int col, int row) const;
  void SetCell(WidgetId id, int col, int row, std::string_view text);
  void SetCurrentCell(WidgetId id, int col, int row);

  std::vector<PointLabel> pointLabels;  // owned by the wire editor
  bool pointLabelsDirty = false;

  // Change tracking for the window: widgets changed since the last TakeDirty.
  bool IsDirty(WidgetId id) const { return dirty_[Index(id)]; }
  std::vector<WidgetId> TakeDirty();
  void MarkDirty(WidgetId id) {
    if (!dirty_[Index(id)]) {
      dirty_[Index(id)] = true;
      dirtyList_.push_back(id);
    }
  }

 private:
  static int Index(WidgetId id) { return static_cast<int>(id); }
  std::array<WidgetState, WidgetCount> w_;
  std::array<bool, WidgetCount> dirty_{};
  std::array<bool, WidgetCount> dark_{};
  std::vector<WidgetId> dirtyList_;
};

// The unlit picture of a lit lamp's (any other picture as it is), and
// whether a picture is a lamp's, lit or not.
Pic Unlit(Pic p);
bool IsLampPicture(Pic p);

}  // namespace orrin
