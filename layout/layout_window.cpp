// The window's frame: the scroll box and its panels, the wire panels, the
// software description and the hidden template panel.
#include "layout/layout.h"

namespace orrin::layout {

using enum WidgetId;

Layout::Layout() {
  LayoutWindow(*this);
  LayoutBoard(*this);
  LayoutDatapath(*this);
  LayoutMicro(*this);
  LayoutConsole(*this);
}

void Layout::Place(WidgetId id, int x, int y, int w, int h, Face face) {
  Slot& s = slots_[static_cast<size_t>(id)];
  s.r = layout::Rect(x, y, w, h);
  s.face = face;
  s.placed = true;
}

void Layout::Text(WidgetId container, int x, int y, int w, int h, const char* text, Face face) {
  texts_.push_back({container, layout::Rect(x, y, w, h), text, face});
}

const Layout& TheLayout() {
  static const Layout layout;
  return layout;
}

Rect PlacedRect(WidgetId id, bool english) {
  Rect r = TheLayout().Rect(id);
  if (english)
    for (WidgetId w : kWidenedInEnglish)
      if (w == id) r.rw += kEnglishWiden;
  return r;
}

void LayoutWindow(Layout& l) {
  l.Place(ScrollBox1, 2, 0, 1014, 226);
  l.Place(Panel_KeyLedModel, 682, 328, 275, 181);
  l.Place(Panel_KEY, 2, 226, 991, 116);

  l.Place(Panel0, 0, 0, 857, 580);
  l.Place(Panel_LineICtl1, 755, 2, 236, 93);
  l.Place(Panel_LineICtl2, 756, 94, 100, 154);
  l.Place(Panel2, 857, 94, 134, 485);
  l.Place(Panel6, 0, 580, 992, 16);
  l.Place(Panel3, 0, 598, 992, 1310);
  l.Place(Panel7, 0, 1904, 990, 16);
  l.Place(Panel5, 2, 1918, 987, 340);
  l.Place(Panel8, 0, 2258, 990, 16);

  // Wire commands.
  l.Text(Panel_LineICtl1, 4, 4, 134, 14, QT_TRANSLATE_NOOP("orrin", "两孔第二次连线，则删"), Face::Small);
  l.Text(Panel_LineICtl1, 4, 18, 134, 14, QT_TRANSLATE_NOOP("orrin", "除两孔之间所有连线。"), Face::Small);
  l.Text(Panel_LineICtl1, 4, 32, 134, 14, QT_TRANSLATE_NOOP("orrin", "连线中途点右键即终止。"), Face::Small);
  l.Place(Button_delLine, 140, 4, 90, 25);
  l.Place(Image_colorset, 142, 36, 89, 22);
  l.Place(Button_SetColor, 142, 64, 90, 25);
  l.Text(Panel_LineICtl1, 4, 52, 40, 16, QT_TRANSLATE_NOOP("orrin", "连线数"), Face::Small);
  l.Place(Label_LineCount, 46, 52, 40, 16, Face::Small);
  l.Place(Label_wrongwarn, 4, 70, 66, 17, Face::Small);
  l.Place(Label_wrongNum, 72, 70, 30, 17, Face::Small);

  l.Text(Panel_LineICtl2, 4, 2, 92, 15, QT_TRANSLATE_NOOP("orrin", "连线中途点坐标"), Face::Small);
  l.Place(Memo_LineMidWay, 4, 18, 90, 97);
  l.Text(Panel_LineICtl2, 4, 118, 92, 15, QT_TRANSLATE_NOOP("orrin", "鼠标位置"), Face::Small);
  l.Place(Label_NowMouseXY, 4, 134, 92, 16, Face::Small);

  // Wiring lists.
  l.Text(Panel2, 2, 2, 130, 16, QT_TRANSLATE_NOOP("orrin", "信号入<-信号出"), Face::Small);
  l.Place(Memo_WireIn, 2, 20, 130, 231);
  l.Text(Panel2, 2, 251, 130, 16, QT_TRANSLATE_NOOP("orrin", "信号出->信号入"), Face::Small);
  l.Place(Memo_WireOut, 2, 268, 130, 215);

  // The software description.
  l.Text(Panel5, 8, 8, 300, 24, QT_TRANSLATE_NOOP("orrin", "软件说明"));
  l.Place(Memo2, 8, 36, 974, 300);
}

}  // namespace orrin::layout
