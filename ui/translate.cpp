#include "ui/translate.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

#include "base/translation.h"

namespace orrin::ui {

namespace {

Language current = Language::Chinese;
std::unique_ptr<QTranslator> ours, qts;

// Found relative to the program only: installed, beside the share folder;
// in a build, beside the program, or one folder up for the tests and
// benchmarks in their own folders.
QString FindCatalog(const QString& file) {
  const QString app = QCoreApplication::applicationDirPath();
  for (const QString& dir : {app + "/../share/orrin/translations", app + "/translations", app + "/../translations"}) {
    if (QFileInfo::exists(dir + "/" + file)) return dir + "/" + file;
  }
  return {};
}

}  // namespace

const char* LanguageCode(Language language) { return language == Language::English ? "en" : "zh"; }

Language ChooseLanguage(const QStringList& arguments) {
  if (const qsizetype at = arguments.indexOf("--lang"); at >= 0 && at + 1 < arguments.size()) {
    if (arguments[at + 1] == "en") return Language::English;
    if (arguments[at + 1] == "zh") return Language::Chinese;
  }
  const QString remembered = QSettings().value("language").toString();
  if (remembered == "en") return Language::English;
  if (remembered == "zh") return Language::Chinese;
  return QLocale::system().language() == QLocale::English ? Language::English : Language::Chinese;
}

void UseLanguage(Language language) {
  for (auto* t : {ours.get(), qts.get()})
    if (t) QCoreApplication::removeTranslator(t);
  ours.reset();
  qts.reset();
  current = language;
  // Qt's own dialogs (file, colour, message buttons) follow the language too.
  qts = std::make_unique<QTranslator>();
  const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (qts->load(language == Language::English ? "qtbase_en" : "qtbase_zh_CN", qtDir))
    QCoreApplication::installTranslator(qts.get());
  if (language == Language::English) {
    ours = std::make_unique<QTranslator>();
    if (ours->load(FindCatalog("orrin_en.qm")))
      QCoreApplication::installTranslator(ours.get());
    else
      qWarning("orrin: the English catalogue orrin_en.qm was not found; the texts stay in Chinese");
  }
}

Language CurrentLanguage() { return current; }

QString Tr(std::string_view zh) {
  const QString source = QString::fromUtf8(zh.data(), static_cast<qsizetype>(zh.size()));
  bool ascii = true;
  for (char c : zh) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  // Values, names and formulas in Latin letters are the same in both.
  if (current == Language::Chinese || ascii) return source;
  const std::string key(zh);
  const QString t = QCoreApplication::translate("orrin", key.c_str());
  if (t != source) return t;
  // A composed text: translate the pattern it was made from.
  for (const char* pattern : SimulatorTexts())
    if (const auto parts = MatchPattern(pattern, zh))
      return QString::fromStdString(FillPattern(QCoreApplication::translate("orrin", pattern).toStdString(), *parts));
  return source;
}

QString Tr(const char* zh) { return Tr(std::string_view(zh)); }
QString Tr(const QString& zh) { return Tr(zh.toUtf8().constData()); }

}  // namespace orrin::ui
