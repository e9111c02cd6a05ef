#include "base/board_view.h"

namespace orrin {

namespace {
constexpr WidgetId MainForm = WidgetId::Count;
constexpr WidgetId MainMenu1 = WidgetId::Count;

using enum WidgetKind;
using enum WidgetId;

constexpr WidgetInfo kInfo[] = {
#define W(name, kind, container) {#name, kind, container},
#include "base/widgets.def"
#undef W
};
static_assert(std::size(kInfo) == WidgetCount);

constexpr const char* kPicNames[] = {
#define P(role) #role,
#include "base/pictures.def"
#undef P
};
}  // namespace

const WidgetInfo& Info(WidgetId id) { return kInfo[static_cast<int>(id)]; }
const char* PicName(Pic p) { return kPicNames[static_cast<int>(p)]; }

WidgetId FindWidget(std::string_view name) {
  for (int i = 0; i < WidgetCount; ++i)
    if (name == kInfo[i].name) return static_cast<WidgetId>(i);
  return WidgetId::Count;
}

Pic FindPic(std::string_view name) {
  for (int i = 0; i < static_cast<int>(Pic::Count); ++i)
    if (name == kPicNames[i]) return static_cast<Pic>(i);
  return Pic::Count;
}

BoardView::BoardView() { dirtyList_.reserve(WidgetCount); }

Pic Unlit(Pic p) {
  switch (p) {
    case Pic::LampRH:
      return Pic::LampRL;
    case Pic::LampGH:
      return Pic::LampGL;
    case Pic::LampYH:
      return Pic::LampYL;
    case Pic::LampRsH:
      return Pic::LampRsL;
    case Pic::LampGsH:
      return Pic::LampGsL;
    case Pic::LampYsH:
      return Pic::LampYsL;
    case Pic::LampRmH:
      return Pic::LampRmL;
    case Pic::LampGmH:
      return Pic::LampGmL;
    case Pic::ENINTON:
      return Pic::ENINTOFF;
    default:
      return p;
  }
}

bool IsLampPicture(Pic p) {
  for (Pic lit : {Pic::LampRH, Pic::LampGH, Pic::LampYH, Pic::LampRsH, Pic::LampGsH, Pic::LampYsH, Pic::LampRmH,
                  Pic::LampGmH, Pic::ENINTON})
    if (p == lit || p == Unlit(lit)) return true;
  return false;
}

void BoardView::SetPicture(WidgetId id, Pic p) {
  auto& w = w_[Index(id)];
  if (dark_[Index(id)]) p = Unlit(p);
  if (w.picture == p) return;
  w.picture = p;
  MarkDirty(id);
}

void BoardView::DarkenLamp(WidgetId id) {
  dark_[Index(id)] = true;
  SetPicture(id, w_[Index(id)].picture);
}

#define SETTER(Fn, field, Type)             \
  void BoardView::Fn(WidgetId id, Type v) { \
    auto& w = w_[Index(id)];                \
    if (w.field == v) return;               \
    w.field = v;                            \
    MarkDirty(id);                          \
  }
SETTER(SetColor, color, uint32_t)
SETTER(SetFontColor, fontColor, uint32_t)
SETTER(SetVisible, visible, bool)
SETTER(SetEnabled, enabled, bool)
SETTER(SetReadOnly, readOnly, bool)
SETTER(SetChecked, checked, bool)
SETTER(SetTransparent, transparent, bool)
SETTER(SetCursor, cursor, Cursor)
#undef SETTER

void BoardView::SetText(WidgetId id, std::string_view text) {
  auto& w = w_[Index(id)];
  if (w.text == text) return;
  w.text.assign(text);
  MarkDirty(id);
}

void BoardView::Move(WidgetId id, int x, int y) {
  auto& w = w_[Index(id)];
  if (w.moved && w.x == x && w.y == y) return;
  w.moved = true;
  w.x = x;
  w.y = y;
  MarkDirty(id);
}

void BoardView::ClearLines(WidgetId id) {
  auto& w = w_[Index(id)];
  if (w.lines.empty() && w.selectedLine == -1) return;
  w.lines.clear();
  w.selectedLine = -1;
  MarkDirty(id);
}

void BoardView::AddLine(WidgetId id, std::string_view line) {
  w_[Index(id)].lines.emplace_back(line);
  MarkDirty(id);
}

void BoardView::SelectLine(WidgetId id, int line) {
  auto& w = w_[Index(id)];
  if (w.selectedLine == line) return;
  w.selectedLine = line;
  MarkDirty(id);
}

void BoardView::SizeGrid(WidgetId id, int cols, int rows) {
  auto& w = w_[Index(id)];
  w.cols = cols;
  w.rows = rows;
  w.cells.assign(static_cast<size_t>(cols * rows), std::string());
  MarkDirty(id);
}

const std::string& BoardView::Cell(WidgetId id, int col, int row) const {
  const auto& w = w_[Index(id)];
  return w.cells[static_cast<size_t>(row * w.cols + col)];
}

void BoardView::SetCell(WidgetId id, int col, int row, std::string_view text) {
  auto& w = w_[Index(id)];
  auto& cell = w.cells[static_cast<size_t>(row * w.cols + col)];
  if (cell == text) return;
  cell.assign(text);
  MarkDirty(id);
}

void BoardView::SetCurrentCell(WidgetId id, int col, int row) {
  auto& w = w_[Index(id)];
  if (w.currentCol == col && w.currentRow == row) return;
  w.currentCol = col;
  w.currentRow = row;
  MarkDirty(id);
}

std::vector<WidgetId> BoardView::TakeDirty() {
  std::vector<WidgetId> out;
  out.swap(dirtyList_);
  dirtyList_.reserve(WidgetCount);
  for (WidgetId id : out) dirty_[Index(id)] = false;
  return out;
}

}  // namespace orrin
