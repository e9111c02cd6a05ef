// The Qt host: each modal service shows the dialog the board's commands
// expect and reports what the user chose.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ui/qt_host.h"
#include "ui/translate.h"

namespace orrin::ui {
namespace {

// Runs `inspect` on the modal dialog once it is open.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog*)> inspect) {
  QTimer::singleShot(0, [inspect] {
    auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    inspect(d);
  });
}

TEST(QtHost, AskOffersYesNoCancelWithCancelTheDefault) {
  QWidget parent;
  QtHost host(&parent);
  WhenOpen<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8("警告"));
    EXPECT_EQ(box->text(), QString::fromUtf8("清除连线不可恢复，要继续吗？"));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->defaultButton()->click();
  });
  EXPECT_EQ(host.Ask("清除连线不可恢复，要继续吗？"), Answer::Cancel);
  WhenOpen<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
  EXPECT_EQ(host.Ask("?"), Answer::Yes);
}

TEST(QtHost, WarnHasTheCaptionAndOneButton) {
  QWidget parent;
  QtHost host(&parent);
  WhenOpen<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8("警告"));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    box->accept();
  });
  host.Warn("通电状态不能删除连线。");
}

TEST(QtHost, FileDialogsFilterTextFilesFromTheShippedExamplesThenTheFolderUsedLast) {
  QWidget parent;
  QtHost host(&parent);
  host.purpose = "N_Micro";
  const QString file = QDir::current().absoluteFilePath("orrin-host-test");
  WhenOpen<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->nameFilters(), QStringList({"TXT files (*.txt)", "All files (*.*)"}));
    EXPECT_EQ(d->defaultSuffix(), "TXT");
    // The first time, the examples of the menu's kind.
    EXPECT_EQ(QDir(d->directory()).absolutePath(), QDir(ORRIN_SOURCE_DIR "/examples/microprogram").absolutePath());
    EXPECT_TRUE(d->testOption(QFileDialog::DontConfirmOverwrite));
    d->selectFile(file);
    static_cast<QDialog*>(d)->accept();  // QFileDialog hides accept()
  });
  // The default extension completes a name typed without one.
  EXPECT_EQ(host.SaveFileName(), (file + ".TXT").toStdString());
  WhenOpen<QFileDialog>([](QFileDialog* d) {
    EXPECT_EQ(QDir(d->directory()).absolutePath(), QDir::currentPath()) << "where the last file was chosen";
    d->reject();
  });
  EXPECT_EQ(host.OpenFileName(), "");
  EXPECT_EQ(QDir(ExamplesFolder("labs")).absolutePath(), QDir(ORRIN_SOURCE_DIR "/examples/labs").absolutePath());
  EXPECT_EQ(ExamplesFolder("no-such-kind"), QDir::currentPath());
}

TEST(QtHost, TheColourDialogOpensOnTheWireColourAndGivesBlueGreenRed) {
  QWidget parent;
  QtHost host(&parent);
  WhenOpen<QColorDialog>([](QColorDialog* d) {
    EXPECT_EQ(d->currentColor(), QColor(0x40, 0x80, 0xC0));
    d->setCurrentColor(QColor(0x11, 0x22, 0x33));
    d->accept();
  });
  EXPECT_EQ(host.ChooseColor(0x00C08040u), std::optional<uint32_t>(0x00332211u));
  WhenOpen<QColorDialog>([](QColorDialog* d) { d->reject(); });
  EXPECT_EQ(host.ChooseColor(0), std::nullopt);
}

// An assembly source is chosen among *.asm and *.s first, a microprogram
// source among *.mc; other dialogs are for text files.
TEST(QtHost, SourcesAreOfferedByTheirKind) {
  QWidget parent;
  QtHost host(&parent);
  const std::pair<QtHost::Files, QString> kinds[] = {{QtHost::Files::Assembly, "Assembly files (*.asm *.s)"},
                                                     {QtHost::Files::MicroSource, "Microprogram sources (*.mc)"},
                                                     {QtHost::Files::Text, "TXT files (*.txt)"}};
  for (const auto& [files, filter] : kinds) {
    host.files = files;
    WhenOpen<QFileDialog>([filter = filter](QFileDialog* d) {
      EXPECT_EQ(d->nameFilters().front(), filter);
      EXPECT_EQ(d->selectedNameFilter(), filter);
      d->reject();
    });
    EXPECT_EQ(host.OpenFileName(), "");
  }
}

// Hundreds of assembler errors: the box shows the first lines and how many
// more, every line under "Show Details…"; in Chinese the messages are too.
TEST(QtHost, ALongWarningStaysOnTheScreenInTheWindowsLanguage) {
  QWidget parent;
  QtHost host(&parent);
  std::string text = "汇编文件有错误，内存未改变：";
  for (int line = 1; line <= 300; ++line) text += "\nbad.asm:" + std::to_string(line) + ": unknown mnemonic 'FOO'";
  WhenOpen<QMessageBox>([](QMessageBox* box) {
    const QStringList lines = box->text().split('\n');
    EXPECT_EQ(lines.size(), QtHost::kLongestWarning);
    EXPECT_EQ(lines[1], QString::fromUtf8("bad.asm:1: 未知助记符“FOO”"));
    EXPECT_EQ(lines.back(), QString::fromUtf8("… 还有 282 行"));
    EXPECT_EQ(box->detailedText().split('\n').size(), 301);
    EXPECT_LT(box->sizeHint().height(), 768);
    box->accept();
  });
  host.Warn(text);
  UseLanguage(Language::English);
  WhenOpen<QMessageBox>([](QMessageBox* box) {
    const QStringList lines = box->text().split('\n');
    EXPECT_EQ(lines[0], "The assembly file has errors; the memory is unchanged:");
    EXPECT_EQ(lines[1], "bad.asm:1: unknown mnemonic 'FOO'");
    EXPECT_EQ(lines.back(), "… 282 more lines");
    box->accept();
  });
  host.Warn(text);
  UseLanguage(Language::Chinese);
}

}  // namespace
}  // namespace orrin::ui
