// The window in English: every text the simulator and the window show has
// its translation, nothing Chinese is left on the screen in any state, no
// caption is cut off in either language, and switching the language at once
// keeps the wires on the board exactly.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <fstream>
#include <sstream>

#include "base/translation.h"
#include "simulator/access.h"
#include "tests/test_host.h"
#include "ui/main_form.h"
#include "ui/text_fit.h"
#include "ui/tooltips.h"
#include "ui/translate.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

const QRegularExpression kChinese("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]");

// Restores Chinese after each test, whatever it chose.
struct InLanguage {
  explicit InLanguage(Language l) { UseLanguage(l); }
  ~InLanguage() { UseLanguage(Language::Chinese); }
};

// Every text on the window: labels, buttons, menus, memo lines and grid cells.
QStringList ShownTexts(TMainForm& form) {
  QStringList texts{form.windowTitle()};
  for (auto* l : form.findChildren<QLabel*>()) texts << l->text();
  for (auto* b : form.findChildren<QAbstractButton*>()) texts << b->text();
  for (auto* m : form.menuBar()->findChildren<QMenu*>()) {
    texts << m->title();
    for (QAction* a : m->actions())
      if (a->objectName() != "N_Language_zh") texts << a->text();
    texts.removeAll("Language/语言");  // the same in both languages, so either reader finds it
  }
  for (auto* memo : form.findChildren<QPlainTextEdit*>()) texts << memo->toPlainText();
  for (auto* grid : form.findChildren<QTableWidget*>())
    for (int r = 0; r < grid->rowCount(); ++r)
      for (int c = 0; c < grid->columnCount(); ++c)
        if (grid->item(r, c)) texts << grid->item(r, c)->text();
  return texts;
}

void ExpectNoChinese(TMainForm& form, const char* state) {
  QStringList texts = ShownTexts(form);
  // The tooltips too: of every widget and every jack.
  for (int i = 0; i < WidgetCount; ++i) texts << TipFor(form.Sim(), static_cast<WidgetId>(i), "F5");
  for (const Jack& j : form.Sim().wires.Jacks())
    if (j.InUse) texts << JackTip(form.Sim(), j.X, j.Y);
  for (const QString& t : texts) EXPECT_FALSE(t.contains(kChinese)) << state << ": " << t.toStdString();
}

TEST(English, EveryTextHasAFinishedTranslation) {
  std::ifstream in(std::string(ORRIN_SOURCE_DIR) + "/translations/orrin_en.ts");
  std::stringstream ts;
  ts << in.rdbuf();
  Catalog catalog;
  ASSERT_TRUE(catalog.ReadTs(ts.str()));
  size_t messages = 0;
  for (size_t at = 0; (at = ts.str().find("<message", at)) != std::string::npos; ++at) ++messages;
  EXPECT_EQ(catalog.Size(), messages) << "a message is unfinished or empty";

  InLanguage english(Language::English);
  for (const char* text : SimulatorTexts()) {
    const QString t = Tr(text);
    EXPECT_FALSE(t.contains(kChinese)) << text;
  }
  // Composed messages go through their patterns.
  EXPECT_EQ(Tr("无法读取文件：/tmp/x 中.txt"), "Cannot read the file: /tmp/x 中.txt");
  EXPECT_EQ(Tr("'LDC'连2根线"), "'LDC' has 2 wires");
  EXPECT_EQ(Tr("5A[3写DBUS，错误]"), "5A[3 on DBUS, error]");
  EXPECT_EQ(Tr("F = A+B"), "F = A+B");
}

TEST(English, NothingChineseIsLeftOnTheWindowInAnyState) {
  InLanguage english(Language::English);
  RecordingHost host;
  TMainForm form(&host);
  Simulator& s = form.Sim();
  ExpectNoChinese(form, "at start");
  // Two outputs into one input: the wiring lists report the bad jack.
  Join(s, 0, 73);
  Join(s, 1, 73);
  Access(s).editor.Check();
  s.SpeedButtonPOWERClick();
  form.AfterAction();
  ExpectNoChinese(form, "a bad jack, power refused");
  s.ClearAllWires();
  s.SpeedButtonPOWERClick();
  s.Image_DPClick();
  s.Image_SWAClick();
  form.AfterAction();
  ExpectNoChinese(form, "powered, independent, single beats");
  s.RadioButtonMicroProgramClick();
  s.SpeedButtonQDClick();
  form.AfterAction();
  ExpectNoChinese(form, "microprogram mode, running");
  for (const std::string& w : host.warnings) EXPECT_FALSE(Tr(w).contains(kChinese)) << w;
}

// The text of every label and button fits its box, in both languages and
// both controller modes (the notices differ between them).
TEST(English, NoCaptionIsCutOff) {
  for (Language l : {Language::Chinese, Language::English}) {
    InLanguage language(l);
    RecordingHost host;
    TMainForm form(&host);
    // The longest source names in the narrow windows above the jacks.
    Join(form.Sim(), 34, 65);  // IR7-O -> ABUS
    Join(form.Sim(), 37, 79);  // IR4-O -> INTEN
    Access(form.Sim()).editor.Check();
    form.Sim().BoardEvaluation();
    form.AfterAction();
    ASSERT_EQ(static_cast<QLabel*>(form.Widget(Label_Hand_ABUS))->text(), "(IR7-O)");
    for (bool micro : {false, true}) {
      if (micro) {
        form.Sim().SpeedButtonPOWERClick();
        form.Sim().RadioButtonMicroProgramClick();
        form.AfterAction();
      }
      std::vector<QWidget*> boxes;
      for (auto* label : form.findChildren<QLabel*>())
        if (!label->wordWrap() && label->objectName() != "Label_NowXY" && label->objectName() != "Label_ThisHoleName" &&
            label->objectName() != "Label_ThisHoleSign" && label->objectName() != "Label_KeyThisHoleName")
          boxes.push_back(label);
      for (auto* b : form.findChildren<QAbstractButton*>()) boxes.push_back(b);
      for (QWidget* w : boxes) {
        const QString text =
            qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : qobject_cast<QAbstractButton*>(w)->text();
        if (text.isEmpty()) continue;
        EXPECT_LE(NeededWidth(w, text), w->width())
            << LanguageCode(l) << (micro ? " micro " : " independent ") << w->objectName().toStdString() << " \""
            << text.toStdString() << "\"";
      }
    }
  }
}

TEST(English, SwitchingAtOnceKeepsTheWiresAndEveryText) {
  UseLanguage(Language::Chinese);
  RecordingHost host;
  TMainForm form(&host);
  Simulator& s = form.Sim();
  for (int k = 0; k < 6; ++k) {
    Access(s).editor.DrawWire(Join(s, k, 60 + k, 0x00102030u * static_cast<uint32_t>(k + 1)));
  }
  form.AfterAction();
  const std::vector<uint32_t> chinese(s.canvas.Data(), s.canvas.Data() + Canvas::Width * Canvas::Height);

  InLanguage english(Language::English);
  form.Retranslate();
  EXPECT_EQ(form.windowTitle(), "Orrin simulator");
  EXPECT_EQ(static_cast<QAbstractButton*>(form.Widget(Button_delLine))->text(), "Clear all wires");
  ExpectNoChinese(form, "after switching");
  // The wires over the English board are what drawing them on it gives.
  RecordingHost host2;
  TMainForm fresh(&host2);
  Simulator& f = fresh.Sim();
  for (int k = 0; k < 6; ++k) Access(f).editor.DrawWire(Join(f, k, 60 + k, 0x00102030u * static_cast<uint32_t>(k + 1)));
  EXPECT_TRUE(std::equal(s.canvas.Data(), s.canvas.Data() + Canvas::Width * Canvas::Height, f.canvas.Data()));
  EXPECT_FALSE(std::equal(chinese.begin(), chinese.end(), s.canvas.Data()));

  UseLanguage(Language::Chinese);
  form.Retranslate();
  EXPECT_TRUE(std::equal(chinese.begin(), chinese.end(), s.canvas.Data()));
  EXPECT_EQ(static_cast<QAbstractButton*>(form.Widget(Button_delLine))->text(), QString::fromUtf8("清除所有连线"));
}

}  // namespace
}  // namespace orrin::ui
