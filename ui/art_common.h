#pragma once
// Drawing helpers shared by the painters.
#include <QPainter>
#include <QString>

#include "ui/faces.h"
#include "ui/layout.h"

namespace orrin::ui::art {

// A painter with antialiasing on.
inline void Smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

void Print(QPainter& p, const QRect& r, const QString& text, Face face, Qt::Alignment align);
void Print(QPainter& p, const QRect& r, const char* text, Face face = Face::Small,
           Qt::Alignment align = Qt::AlignCenter);
// The layout's captions printed on `surface`, whose top-left corner lies at
// `origin` in its container.
void PrintCaptions(QPainter& p, WidgetId surface, QPoint origin);
// A module box with its caption in the top-left corner.
void ModuleBox(QPainter& p, const QRect& r, const char* caption, const QColor& fill = ink::kModule);
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, qreal width = 1.5, qreal head = 6);
void Line(QPainter& p, QPointF from, QPointF to, const QColor& color, qreal width = 1.5);
// A polyline through the given points.
void Wire(QPainter& p, std::initializer_list<QPointF> points, const QColor& color, qreal width = 1.5);
void Dot(QPainter& p, QPointF at, const QColor& color, qreal r = 2.5);

}  // namespace orrin::ui::art
