#pragma once
// The board's layout (layout/, plain data both front ends read) in the
// window's terms: its rectangles as Qt's.
#include <QPoint>
#include <QRect>
#include <QSize>

#include "layout/layout.h"

namespace orrin::ui {

using namespace orrin::layout;

inline QRect Q(const layout::Rect& r) { return {r.x(), r.y(), r.width(), r.height()}; }
inline QSize Q(const layout::Size& s) { return {s.width(), s.height()}; }
inline QPoint Q(const layout::Point& p) { return {p.x(), p.y()}; }

}  // namespace orrin::ui
