#pragma once
// The window in Chinese or English. Texts stay Chinese in the code and in the
// simulator's view; they are translated as they are shown, by their Chinese
// source text, in the one context "orrin" (mark them with
// QT_TRANSLATE_NOOP("orrin", …) where they are defined, so lupdate finds them).
#include <QString>
#include <QStringList>
#include <string_view>

namespace orrin::ui {

enum class Language { Chinese, English };

// --lang en|zh, else the remembered choice, else the system's locale
// (English for an English locale, Chinese for any other).
Language ChooseLanguage(const QStringList& arguments);
// Installs the translators of a language (also Qt's own, for its dialogs).
void UseLanguage(Language language);
Language CurrentLanguage();
const char* LanguageCode(Language language);  // "zh" or "en"

QString Tr(const char* zh);
QString Tr(std::string_view zh);
QString Tr(const QString& zh);

// Texts of the simulator (which knows no toolkit) that the window shows:
// its captions, messages and hints; the patterns of composed ones hold %1.
const std::vector<const char*>& SimulatorTexts();

}  // namespace orrin::ui
