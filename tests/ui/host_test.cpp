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

TEST(QtHost, FileDialogsFilterTextFilesFromTheCurrentDirectory) {
  QWidget parent;
  QtHost host(&parent);
  const QString file = QDir::current().absoluteFilePath("orrin-host-test");
  WhenOpen<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->nameFilters(), QStringList({"TXT files (*.txt)", "All files (*.*)"}));
    EXPECT_EQ(d->defaultSuffix(), "TXT");
    EXPECT_EQ(QDir(d->directory()).absolutePath(), QDir::currentPath());
    EXPECT_TRUE(d->testOption(QFileDialog::DontConfirmOverwrite));
    d->selectFile(file);
    static_cast<QDialog*>(d)->accept();  // QFileDialog hides accept()
  });
  // The default extension completes a name typed without one.
  EXPECT_EQ(host.SaveFileName(), (file + ".TXT").toStdString());
  WhenOpen<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(host.OpenFileName(), "");
}

TEST(QtHost, ChosenColourComesBackAsBlueGreenRed) {
  QWidget parent;
  QtHost host(&parent);
  WhenOpen<QColorDialog>([](QColorDialog* d) {
    d->setCurrentColor(QColor(0x11, 0x22, 0x33));
    d->accept();
  });
  EXPECT_EQ(host.ChooseColor(), std::optional<uint32_t>(0x00332211u));
  WhenOpen<QColorDialog>([](QColorDialog* d) { d->reject(); });
  EXPECT_EQ(host.ChooseColor(), std::nullopt);
}

}  // namespace
}  // namespace orrin::ui
