#pragma once
// A picture on the board (lamp, lever, gate, beat line…) and the speed button
// built on it. Both report the mouse the way the board's handlers expect: a
// click on release, a double click as its own event (so a double click acts
// twice when both are bound), and every press, release and move.
#include <QPixmap>
#include <QWidget>
#include <functional>

#include "base/board_view.h"

namespace orrin::ui {

class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent);

  // Shows the picture of a template role; nullptr shows nothing.
  void SetPicture(const QPixmap* pixmap, Pic role);
  Pic Role() const { return role_; }
  const QPixmap* Pixmap() const { return pixmap_; }

  // A control of the console the keyboard reaches: Tab stops on it (with a
  // focus mark), Space or Enter clicks it, and a screen reader hears `name`
  // and, for a switch, its position ("K5, up").
  void MakeKeyControl(const QString& name);

  std::function<void()> onClick, onDoubleClick;
  std::function<void(Qt::MouseButton, QPoint)> onPress, onRelease;
  std::function<void(QPoint)> onMove;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool Down() const { return down_; }
  void PaintFocus(QPainter& p) const;

 private:
  const QPixmap* pixmap_ = nullptr;
  Pic role_ = Pic::None;
  bool down_ = false;  // pressed by a plain press, so its release is a click
  QString keyName_;
  void Name();
};

// A flat button that shows a glyph and sinks by a pixel while held.
class GlyphButton : public PictureBox {
 public:
  explicit GlyphButton(QWidget* parent) : PictureBox(parent) { setCursor(Qt::PointingHandCursor); }

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace orrin::ui
