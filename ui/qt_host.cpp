#include "ui/qt_host.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include "app/yosys.h"
#include "asm/messages.h"
#include "ui/qt_util.h"
#include "ui/translate.h"

namespace orrin::ui {

void QtHost::Warn(const std::string& text) {
  // The assembler's messages come in English (as its programs print them).
  const QString shown = CurrentLanguage() == Language::Chinese ? Q(AsmMessagesInChinese(text)) : Tr(text);
  QMessageBox box(QMessageBox::Warning, Tr(QT_TRANSLATE_NOOP("orrin", "警告")), shown, QMessageBox::Ok, parent_);
  // A file with hundreds of errors: the first lines, and all of them in a
  // scrolling box under "Show Details…", so the box stays on the screen.
  const QStringList lines = shown.split('\n');
  if (lines.size() > kLongestWarning) {
    box.setText(lines.mid(0, kLongestWarning - 1).join('\n') + "\n" +
                Tr(QT_TRANSLATE_NOOP("orrin", "… 还有 %1 行")).arg(lines.size() - kLongestWarning + 1));
    box.setDetailedText(shown);
  }
  box.exec();
}

Answer QtHost::Ask(const std::string& text) {
  QMessageBox box(QMessageBox::Question, Tr(QT_TRANSLATE_NOOP("orrin", "警告")), Tr(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

QString ExamplesFolder(const QString& kind) {
  const QString app = QCoreApplication::applicationDirPath();
  // Installed; a build in the source tree; its tests, a folder further down.
  for (const QString& dir :
       {app + "/../share/orrin/examples/" + kind, app + "/../examples/" + kind, app + "/../../examples/" + kind})
    if (QFileInfo(dir).isDir()) return QDir(dir).absolutePath();
  return QDir::currentPath();
}

std::string QtHost::FileName(bool save) {
  if (preset) {
    const std::string name = *preset;
    preset.reset();
    if (onChosen) onChosen(purpose, name);
    return name;
  }
  QFileDialog dialog(parent_);
  dialog.setObjectName(save ? "SaveDialog1" : "OpenDialog1");
  // "TXT files(*.txt)|*.txt|All files(*.*)|*.*" in Qt's notation.
  const bool assembly = files == Files::Assembly;
  dialog.setNameFilters(
      assembly                      ? QStringList{"Assembly files (*.asm *.s)", "TXT files (*.txt)", "All files (*.*)"}
      : files == Files::MicroSource ? QStringList{"Microprogram sources (*.mc)", "TXT files (*.txt)", "All files (*.*)"}
      : files == Files::Controller  ? QStringList{"Hard-wired designs (*.json *.v *.sv)", "All files (*.*)"}
                                    : QStringList{"TXT files (*.txt)", "All files (*.*)"});
  dialog.setDefaultSuffix(assembly ? "asm" : files == Files::MicroSource ? "mc" : "TXT");
  const QString folderKey = "folders/" + (purpose.isEmpty() ? QStringLiteral("files") : purpose);
  // The first time, the shipped examples of the menu's kind.
  const QString kind = purpose == "N_Line"    ? "wiring"
                       : purpose == "N_Micro" ? "microprogram"
                       : assembly             ? "asm"
                                              : "memory";
  dialog.setDirectory(QSettings().value(folderKey, ExamplesFolder(kind)).toString());
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Saving replaces an existing file without asking, as the board's commands do.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString chosen = dialog.selectedFiles().front();
  QSettings().setValue(folderKey, QFileInfo(chosen).absolutePath());
  if (onChosen) onChosen(purpose, S(chosen));
  return S(chosen);
}

std::string QtHost::OpenFileName() { return FileName(false); }

bool QtHost::Synthesise(const std::string& verilog, const std::string& name, std::string& json, std::string& messages) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = SynthesiseWithYosys(verilog, name, json, messages);
  QApplication::restoreOverrideCursor();
  return ok;
}
std::string QtHost::SaveFileName() { return FileName(true); }

std::optional<uint32_t> QtHost::ChooseColor(uint32_t current) {
  QColorDialog dialog(ToQColor(current, Qt::black), parent_);
  dialog.setObjectName("ColorDialog1");
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

}  // namespace orrin::ui
