#include "ui/qt_host.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/qt_util.h"

namespace orrin::ui {

void QtHost::Warn(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8("警告"), Q(text), QMessageBox::Ok, parent_);
  box.exec();
}

Answer QtHost::Ask(const std::string& text) {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8("警告"), Q(text),
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

std::string QtHost::FileName(bool save) {
  QFileDialog dialog(parent_);
  dialog.setObjectName(save ? "SaveDialog1" : "OpenDialog1");
  // "TXT files(*.txt)|*.txt|All files(*.*)|*.*" in Qt's notation.
  dialog.setNameFilters({"TXT files (*.txt)", "All files (*.*)"});
  dialog.setDefaultSuffix("TXT");
  dialog.setDirectory(QDir::currentPath());
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Saving replaces an existing file without asking, as the board's commands do.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return S(dialog.selectedFiles().front());
}

std::string QtHost::OpenFileName() { return FileName(false); }
std::string QtHost::SaveFileName() { return FileName(true); }

std::optional<uint32_t> QtHost::ChooseColor() {
  QColorDialog dialog(parent_);
  dialog.setObjectName("ColorDialog1");
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

}  // namespace orrin::ui
