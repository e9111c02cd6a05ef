#pragma once
// A panel: a plain container with an optional caption and background picture.
#include <QFrame>
#include <QPixmap>

namespace orrin::ui {

class PanelBox : public QFrame {
 public:
  explicit PanelBox(QWidget* parent);

  void SetCaption(const QString& text);
  void SetBackground(const QPixmap& pixmap);
  void SetFill(const QColor& color);
  // Where the caption sits; the panel's buttons take the rest.
  void SetCaptionRect(const QRect& r) { captionRect_ = r; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString caption_;
  QPixmap background_;
  QRect captionRect_;
};

}  // namespace orrin::ui
