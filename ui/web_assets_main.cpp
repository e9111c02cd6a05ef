// orrin-web-assets OUTDIR: what the web page needs, besides the layout it
// reads from the module, to show the board the window shows, made by the
// window itself (scripts/web.sh runs it at build time, offscreen): how each
// widget is styled as the window resolves it (font, colours, alignment; and
// where the window left the few widgets the layout does not place), in
// layout_LANG.json; the painted backgrounds without any widget, each panel's
// own picture and the board under the wires, per language; every picture
// role and the speed buttons' glyphs, per language too, for a few carry
// captions (pictures/LANG/NAME.png).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <cstdio>

#include "ui/artwork.h"
#include "ui/main_form.h"
#include "ui/offscreen_screen.h"
#include "ui/translate.h"

namespace {

using orrin::WidgetId;
using orrin::WidgetKind;
using orrin::ui::TMainForm;

// Widgets the page draws itself: everything but the panels (whose own
// pictures the page places in the same order) and the menus.
bool Drawn(WidgetId id) {
  const WidgetKind k = orrin::Info(id).kind;
  return k != WidgetKind::Panel && k != WidgetKind::Menu;
}

// A panel the page shows as a picture of its own: all but the scroll box.
bool OwnPicture(WidgetId id) { return orrin::Info(id).kind == WidgetKind::Panel && id != WidgetId::ScrollBox1; }

QString Hex(const QColor& c) { return c.isValid() ? c.name(QColor::HexRgb) : QString(); }

QJsonObject Describe(TMainForm& form, QWidget* w, QWidget* root) {
  QJsonObject o;
  const QPoint at = w->mapTo(root, QPoint(0, 0));
  o["x"] = at.x();
  o["y"] = at.y();
  o["w"] = w->width();
  o["h"] = w->height();
  const QFontInfo fi(w->font());
  o["font"] = fi.family();
  o["px"] = fi.pixelSize();
  o["bold"] = w->font().bold();
  o["fg"] = Hex(w->palette().color(w->foregroundRole()));
  o["bg"] = w->autoFillBackground() ? Hex(w->palette().color(w->backgroundRole())) : QString();
  if (auto* label = qobject_cast<QLabel*>(w)) {
    const Qt::Alignment a = label->alignment();
    o["align"] = a & Qt::AlignHCenter ? "center" : a & Qt::AlignRight ? "right" : "left";
    o["framed"] = label->frameShape() != QFrame::NoFrame;
  }
  if (qobject_cast<QLineEdit*>(w) != nullptr) o["align"] = "center";
  (void)form;
  return o;
}

bool Save(const QPixmap& p, const QString& path) {
  if (p.save(path)) return true;
  std::fprintf(stderr, "orrin-web-assets: cannot write %s\n", qPrintable(path));
  return false;
}

// The pictures of one language: the two backgrounds without any widget,
// each panel without the widgets and panels inside it, the board under the
// wires.
bool Backgrounds(TMainForm& form, const QString& out, const char* lang) {
  QWidget* work = form.ScrollBox()->widget();
  std::vector<QWidget*> hidden;
  auto hideAll = [&](QWidget* inside) {
    for (int i = 0; i < orrin::WidgetCount; ++i) {
      const auto id = static_cast<WidgetId>(i);
      QWidget* w = form.Widget(id);
      if (w == nullptr || w == inside || w->isHidden() || !(Drawn(id) || OwnPicture(id))) continue;
      if (inside != nullptr && !inside->isAncestorOf(w)) continue;
      w->hide();
      hidden.push_back(w);
    }
  };
  auto showAgain = [&] {
    for (QWidget* w : hidden) w->show();
    hidden.clear();
  };
  bool ok = true;
  for (int i = 0; i < orrin::WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    QWidget* panel = form.Widget(id);
    if (panel == nullptr || !OwnPicture(id)) continue;
    const bool was = panel->isHidden();
    panel->show();
    hideAll(panel);
    ok &= Save(panel->grab(), out + "/panels/" + orrin::Info(id).name + "_" + lang + ".png");
    showAgain();
    panel->setHidden(was);
  }
  hideAll(nullptr);
  ok &= Save(work->grab(), out + "/work_" + lang + ".png");
  form.ScrollBox()->hide();
  ok &= Save(form.centralWidget()->grab(), out + "/central_" + lang + ".png");
  form.ScrollBox()->show();
  showAgain();
  ok &= form.Art().Board().save(out + "/board_" + lang + ".png");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  orrin::ui::OffscreenLaptopScreen laptop;
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: orrin-web-assets OUTDIR\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  for (const char* lang : {"zh", "en"}) QDir().mkpath(out + "/pictures/" + lang);
  QDir().mkpath(out + "/panels");
  bool ok = true;
  for (const char* lang : {"zh", "en"}) {
    QJsonObject layout;
    orrin::ui::UseLanguage(std::string(lang) == "en" ? orrin::ui::Language::English : orrin::ui::Language::Chinese);
    TMainForm form;
    form.show();
    QApplication::processEvents();
    ok &= Backgrounds(form, out, lang);
    // English captions are longer: the window moves a few widgets, so each
    // language has its layout.
    {
      QWidget* central = form.centralWidget();
      QWidget* work = form.ScrollBox()->widget();
      QJsonObject widgets;
      for (int i = 0; i < orrin::WidgetCount; ++i) {
        const auto id = static_cast<WidgetId>(i);
        QWidget* w = form.Widget(id);
        if (w == nullptr || !(Drawn(id) || OwnPicture(id))) continue;
        const bool inWork = work->isAncestorOf(w);
        QJsonObject o = Describe(form, w, inWork ? work : central);
        o["root"] = inWork ? "work" : "central";
        o["kind"] = static_cast<int>(orrin::Info(id).kind);
        const WidgetId container = orrin::Info(id).container;
        if (container != WidgetId::Count) o["container"] = orrin::Info(container).name;
        widgets[orrin::Info(id).name] = o;
      }
      layout["widgets"] = widgets;
      // The scrolled part inside the scroll box's frame, scroll bars included.
      QWidget* viewport = form.ScrollBox()->viewport();
      const QPoint at = viewport->mapTo(central, QPoint(0, 0));
      const QRect box = form.ScrollBox()->geometry();
      layout["scroll"] = QJsonArray{at.x(), at.y(), box.right() + 1 - at.x() - (at.x() - box.x()),
                                    box.bottom() + 1 - at.y() - (at.y() - box.y())};
      layout["work"] = QJsonArray{work->width(), work->height()};
      layout["central"] = QJsonArray{central->width(), central->height()};
      layout["menu"] = form.menuBar()->height();
      // The glyphs of the speed buttons that show no picture role.
      using orrin::ui::Glyph;
      const std::pair<Glyph, const char*> glyphs[] = {{Glyph::Clear, "SpeedButtonCLR"},
                                                      {Glyph::Pulse, "SpeedButton_PULSE"},
                                                      {Glyph::BackLeft, "SpeedButton_BackLeft"},
                                                      {Glyph::BackRight, "SpeedButton_BackRight"}};
      const QString pictures = out + "/pictures/" + lang + "/";
      for (const auto& [g, name] : glyphs) ok &= Save(form.Art().GlyphOf(g), pictures + name + ".png");
      for (int p = 1; p < static_cast<int>(orrin::Pic::Count); ++p) {
        const auto pic = static_cast<orrin::Pic>(p);
        if (const QPixmap* px = form.Art().Picture(pic)) ok &= Save(*px, pictures + orrin::PicName(pic) + ".png");
      }
    }
    QFile file(out + "/layout_" + lang + ".json");
    ok &= file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(layout).toJson(QJsonDocument::Compact)) > 0;
  }
  return ok ? 0 : 1;
}
