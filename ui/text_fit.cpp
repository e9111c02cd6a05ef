#include "ui/text_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>
#include <unordered_map>

namespace orrin::ui {

namespace {
constexpr int kSmallestPx = 7;

int TextWidth(const QFontMetrics& fm, const QString& text) {
  int widest = 0;
  for (const QString& line : text.split('\n')) widest = std::max(widest, fm.horizontalAdvance(line));
  return widest;
}
}  // namespace

int NeededWidth(const QWidget* w, const QString& text) { return NeededWidth(w, text, w->font()); }

int NeededWidth(const QWidget* w, const QString& text, const QFont& font) {
  const int textW = TextWidth(QFontMetrics(font), text);
  if (const auto* label = qobject_cast<const QLabel*>(w))
    return textW + 2 * label->margin() + 2 * label->frameWidth() + label->contentsMargins().left() +
           label->contentsMargins().right();
  if (qobject_cast<const QRadioButton*>(w) || qobject_cast<const QCheckBox*>(w)) {
    const QStyle* s = w->style();
    return textW + s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
           s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w) + 2;
  }
  if (qobject_cast<const QPushButton*>(w)) return textW + 6;
  return textW;
}

namespace {
// What fitting gave for the texts a widget showed, while its width and font
// family stay: a lamp's label alternates between "0" and "1" every few beats
// of a run, and measuring means shaping the text each time. Digits are all
// one width in the board's fonts, so texts that differ only in their digits
// (the small-beat count) fit alike.
struct FitMemo {
  int width = -1;
  QString family;
  QHash<QString, int> px;
};
std::unordered_map<const QWidget*, FitMemo>& Memos() {
  static std::unordered_map<const QWidget*, FitMemo> memos;
  return memos;
}
}  // namespace

void FitText(QWidget* w, const QString& text) {
  // The size the widget was made with is kept, so a shorter text grows back.
  QVariant base = w->property("orrinBasePx");
  if (!base.isValid()) {
    base = w->font().pixelSize() > 0 ? w->font().pixelSize() : QFontInfo(w->font()).pixelSize();
    w->setProperty("orrinBasePx", base);
    QObject::connect(w, &QObject::destroyed, [w] { Memos().erase(w); });
  }
  QString shape = text;
  for (QChar& c : shape)
    if (c.isDigit()) c = u'0';
  FitMemo& memo = Memos()[w];
  if (memo.width != w->width() || memo.family != w->font().family() || memo.px.size() > 512) {
    memo = FitMemo{w->width(), w->font().family(), {}};
  }
  QFont f = w->font();
  if (const auto known = memo.px.constFind(shape); known != memo.px.constEnd()) {
    f.setPixelSize(*known);
  } else {
    f.setPixelSize(base.toInt());
    while (f.pixelSize() > kSmallestPx && NeededWidth(w, text, f) > w->width()) f.setPixelSize(f.pixelSize() - 1);
    memo.px.insert(shape, f.pixelSize());
  }
  if (f != w->font()) w->setFont(f);
}

QFont FittingFont(QFont font, const QString& text, int width) {
  if (font.pixelSize() <= 0) font.setPixelSize(QFontInfo(font).pixelSize());
  while (font.pixelSize() > kSmallestPx && TextWidth(QFontMetrics(font), text) > width)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

}  // namespace orrin::ui
