// The desktop around the board: the language menu, keyboard shortcuts,
// remembered settings and recent files, tooltips.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QToolTip>
#include <algorithm>

#include "base/widget_groups.h"
#include "simulator/commands.h"
#include "ui/artwork.h"
#include "ui/board_canvas.h"
#include "ui/disassembly_window.h"
#include "ui/layout.h"
#include "ui/main_form.h"
#include "ui/panel_box.h"
#include "ui/qt_host.h"
#include "ui/text_fit.h"
#include "ui/timing_diagram.h"
#include "ui/tooltips.h"
#include "ui/translate.h"

namespace orrin::ui {

using enum WidgetId;

namespace {

// The file menus with a list of recent files, and the command a recent file
// of each opens with (an assembly source in the memory menu is assembled).
struct ReadCommand {
  WidgetId menu, item;
  void (Simulator::*handler)();
};
constexpr ReadCommand kReadCommands[] = {
    {N_Line, N_ReadLineFile, &Simulator::N_ReadLineFileClick},
    {N_Memory, N_File2MEM, &Simulator::N_File2MEMClick},
    {N_Micro, N_ReadMicroFile, &Simulator::N_ReadMicroFileClick},
};
constexpr ReadCommand kAssemble = {N_Memory, N_Asm2MEM, &Simulator::N_Asm2MEMClick};
constexpr WidgetId kFileMenus[] = {N_Line, N_Memory, N_Micro};
constexpr int kRecentCount = 8;

ReadCommand ReadCommandFor(WidgetId menu, const QString& file) {
  const QString suffix = QFileInfo(file).suffix().toLower();
  if (menu == N_Memory && (suffix == "asm" || suffix == "s")) return kAssemble;
  for (const ReadCommand& c : kReadCommands)
    if (c.menu == menu) return c;
  return kReadCommands[0];
}

WidgetId MenuOf(WidgetId item) {
  switch (item) {
    case N_ReadLineFile:
    case N_SaveLineFile:
      return N_Line;
    case N_File2MEM:
    case N_MEM2File:
    case N_Asm2MEM:
      return N_Memory;
    case N_ReadMicroFile:
    case N_BakMicro2File:
    case N_ReadMicroSource:
    case N_SaveMicroSource:
    case N_ReadController:
      return N_Micro;
    default:
      return WidgetId::Count;
  }
}

QString RecentKey(WidgetId menu) { return "recent/" + QString::fromLatin1(Info(menu).name); }

}  // namespace

void TMainForm::SetUpDesktop() {
  BindShortcuts();
  LanguageMenu();
  LabMenu();
  RecentMenus();
  if (ownHost_)
    ownHost_->onChosen = [this](const QString& purpose, const std::string& file) { RememberFile(purpose, file); };
}

// Keys for the console and the file commands. They are window shortcuts, so
// they work wherever the focus is — except while the user types in a grid or
// a register field (see IsTyping), where every key is the field's.
void TMainForm::BindShortcuts() {
  const std::pair<WidgetId, void (Simulator::*)()> handlers[] = {
      {Button_OneLittleStep, &Simulator::Button_OneLittleStepClick},
      {SpeedButtonQD, &Simulator::SpeedButtonQDClick},
      {Button_PAUSE, &Simulator::Button_PAUSEClick},
      {SpeedButton_PULSE, &Simulator::SpeedButton_PULSEClick},
      {SpeedButtonCLR, &Simulator::SpeedButtonCLRClick},
      {SpeedButtonPOWER, &Simulator::SpeedButtonPOWERClick},
      {SpeedButton_BackLeft, &Simulator::SpeedButton_BackLeftClick},
      {SpeedButton_BackRight, &Simulator::SpeedButton_BackRightClick},
  };
  // The keys are the page's too: one table names them.
  for (const auto& [id, handler] : handlers) {
    const auto* k = std::find_if(kConsoleKeys, kConsoleKeys + kConsoleKeyCount,
                                 [id = id](const ConsoleKey& c) { return c.widget == id; });
    if (k == kConsoleKeys + kConsoleKeyCount) continue;
    const QKeySequence key(QString::fromLatin1(k->key), QKeySequence::PortableText);
    auto* action = new QAction(this);
    action->setObjectName(QString("Key_") + Info(id).name);
    action->setShortcut(key);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, h = handler] {
      (sim_.get()->*h)();
      AfterAction();
    });
    keys_[static_cast<size_t>(id)] = key;
  }
  const std::pair<WidgetId, QKeySequence> menus[] = {
      {N_Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {N_ReadLineFile, QKeySequence(Qt::CTRL | Qt::Key_L)},
      {N_SaveLineFile, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
      {N_File2MEM, QKeySequence(Qt::CTRL | Qt::Key_M)},
      {N_MEM2File, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)},
      {N_Asm2MEM, QKeySequence(Qt::CTRL | Qt::Key_E)},
      {N_Disassembly, QKeySequence(Qt::CTRL | Qt::Key_D)},
      {N_ReadMicroFile, QKeySequence(Qt::CTRL | Qt::Key_U)},
      {N_BakMicro2File, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U)},
      {N_TimingDiagram, QKeySequence(Qt::CTRL | Qt::Key_T)},
  };
  for (const auto& [id, key] : menus) static_cast<QAction*>(Object(id))->setShortcut(key);
}

QKeySequence TMainForm::KeyOf(WidgetId id) const { return keys_[static_cast<size_t>(id)]; }

bool TMainForm::IsTyping(QObject* focus) const {
  for (auto* w = qobject_cast<QWidget*>(focus); w; w = w->parentWidget()) {
    if (w == Widget(StringGrid_MEM) || w == Widget(StringGrid_MicroMem)) return true;
    for (WidgetId id : kRegisterFields)
      if (w == Widget(id)) return true;
  }
  return false;
}

// "Language/语言": the same in both languages, so either reader finds it.
void TMainForm::LanguageMenu() {
  languageMenu_ = menuBar()->addMenu("Language/语言");
  languageMenu_->setObjectName("N_Language");
  auto* group = new QActionGroup(languageMenu_);
  for (Language l : {Language::English, Language::Chinese}) {
    QAction* a = languageMenu_->addAction(l == Language::English ? "English" : QString::fromUtf8("中文"));
    a->setObjectName(QString("N_Language_") + LanguageCode(l));
    a->setCheckable(true);
    a->setChecked(CurrentLanguage() == l);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, l] {
      QSettings().setValue("language", LanguageCode(l));
      if (CurrentLanguage() == l) return;
      UseLanguage(l);
      Retranslate();
    });
  }
}

// Every text in the language now chosen: the view's texts, the captions, the
// painted pictures (the board's under the wires too) and the companions.
void TMainForm::Retranslate() {
  setWindowTitle(Tr(QT_TRANSLATE_NOOP("orrin", "Orrin 仿真软件")));
  for (auto& [label, text] : staticLabels_) {
    label->setText(Tr(text));
    FitText(label, label->text());
  }
  art_->Paint(BoardPrints());
  std::vector<uint32_t> picture;
  BoardPixels(art_->Board(), picture);
  sim_->ReplaceBoardPicture(std::move(picture));
  static_cast<PanelBox*>(Widget(Panel_KEY))->SetBackground(art_->Console());
  ApplyAll();
  AdaptToLanguage();
  for (int i = 0; i < WidgetCount; ++i)
    if (QWidget* w = Widget(static_cast<WidgetId>(i))) w->update();
  for (QAction* a : languageMenu_->actions())
    a->setChecked(a->objectName() == QString("N_Language_") + LanguageCode(CurrentLanguage()));
  for (WidgetId menu : kFileMenus) FillRecentMenu(menu);
  if (timing_) timing_->Retranslate();
  if (disassembly_) disassembly_->Retranslate();
  RetranslateLabMenu();
}

// English captions are longer: the controller-mode box takes the free room
// to its right so "Independent" and "Microprogram" stay legible.
void TMainForm::AdaptToLanguage() {
  const bool english = CurrentLanguage() == Language::English;
  for (WidgetId id : kWidenedInEnglish) Widget(id)->resize(Q(PlacedRect(id, english).size()));
  // The three buttons read as one group: all in the size the longest fits.
  const WidgetId radios[] = {RadioButtonHdLine, RadioButtonHandLine, RadioButtonMicroProgram};
  int px = 99;
  for (WidgetId id : radios) {
    FitText(Widget(id), static_cast<QRadioButton*>(Widget(id))->text());
    px = std::min(px, Widget(id)->font().pixelSize());
  }
  for (WidgetId id : radios) {
    QFont f = Widget(id)->font();
    f.setPixelSize(px);
    Widget(id)->setFont(f);
  }
}

void TMainForm::RecentMenus() {
  for (WidgetId menu : kFileMenus) {
    auto* owner = static_cast<QMenu*>(Object(menu));
    owner->addSeparator();
    QMenu* recent = owner->addMenu(QString());
    recent->setObjectName(QString("Recent_") + Info(menu).name);
    recent->setToolTipsVisible(true);  // the full path of each
    // Files deleted or moved since are dropped each time the menu opens.
    connect(owner, &QMenu::aboutToShow, this, [this, menu] { FillRecentMenu(menu); });
    FillRecentMenu(menu);
  }
}

void TMainForm::FillRecentMenu(WidgetId menu) {
  auto* recent = static_cast<QMenu*>(Object(menu))->findChild<QMenu*>(QString("Recent_") + Info(menu).name);
  if (!recent) return;
  recent->setTitle(Tr(QT_TRANSLATE_NOOP("orrin", "最近的文件")));
  recent->clear();
  QSettings settings;
  const QStringList remembered = settings.value(RecentKey(menu)).toStringList();
  QStringList files;
  for (const QString& file : remembered)
    if (QFileInfo(file).isFile()) files << file;
  if (files != remembered) settings.setValue(RecentKey(menu), files);
  recent->setEnabled(!files.isEmpty());
  for (const QString& file : files) {
    QAction* a = recent->addAction(QFileInfo(file).fileName());
    a->setToolTip(file);
    connect(a, &QAction::triggered, this, [this, menu, file] {
      // A recent file opens with its menu's read command, without the dialog.
      const ReadCommand c = ReadCommandFor(menu, file);
      if (ownHost_) ownHost_->preset = file.toStdString();
      RunFileCommand(c.item, c.handler);
      if (ownHost_) ownHost_->preset.reset();
    });
  }
}

void TMainForm::RememberFile(const QString& purpose, const std::string& file) {
  for (WidgetId menu : kFileMenus) {
    if (purpose != Info(menu).name) continue;
    QSettings settings;
    QStringList files = settings.value(RecentKey(menu)).toStringList();
    const QString path = QFileInfo(QString::fromStdString(file)).absoluteFilePath();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentCount) files.removeLast();
    settings.setValue(RecentKey(menu), files);
    FillRecentMenu(menu);
  }
}

void TMainForm::LoadController(const std::string& path) {
  if (ownHost_) ownHost_->preset = path;
  RunFileCommand(WidgetId::N_ReadController, &Simulator::N_ReadControllerClick);
  if (ownHost_) ownHost_->preset.reset();
}

void TMainForm::RunFileCommand(WidgetId item, void (Simulator::*handler)()) {
  const WidgetId menu = MenuOf(item);
  if (ownHost_) {
    ownHost_->purpose = menu == WidgetId::Count ? QString() : QString::fromLatin1(Info(menu).name);
    ownHost_->files = item == WidgetId::N_Asm2MEM ? QtHost::Files::Assembly
                      : item == WidgetId::N_ReadMicroSource || item == WidgetId::N_SaveMicroSource
                          ? QtHost::Files::MicroSource
                      : item == WidgetId::N_ReadController ? QtHost::Files::Controller
                                                           : QtHost::Files::Text;
  }
  (sim_.get()->*handler)();
  if (ownHost_) ownHost_->files = QtHost::Files::Text;
  AfterAction();
}

void TMainForm::UseSettings() {
  settingsUsed_ = true;
  QSettings settings;
  if (settings.contains("window/geometry")) {
    restoreGeometry(settings.value("window/geometry").toByteArray());
    if (!isMaximized() && !isFullScreen()) FitScreen(size(), pos());
  }
  if (settings.contains("wireColor")) {
    sim_->RestoreWireColour(settings.value("wireColor").toUInt());
    ApplyView();
  }
  StartSession();
  // The scroll bars have their ranges once the window is laid out.
  const QPoint scroll(settings.value("window/scrollX", 0).toInt(), settings.value("window/scrollY", 0).toInt());
  QMetaObject::invokeMethod(
      this,
      [this, scroll] {
        scroll_->horizontalScrollBar()->setValue(scroll.x());
        scroll_->verticalScrollBar()->setValue(scroll.y());
      },
      Qt::QueuedConnection);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (settingsUsed_) {
    QSettings settings;
    settings.setValue("window/geometry", saveGeometry());
    settings.setValue("window/scrollX", scroll_->horizontalScrollBar()->value());
    settings.setValue("window/scrollY", scroll_->verticalScrollBar()->value());
    settings.setValue("wireColor", static_cast<uint>(sim_->editor.WireColor));
  }
  QMainWindow::closeEvent(event);
}

// Tooltips are computed when shown, so they tell the value of that moment.
// The lamps and labels on the board let the mouse through to the wire
// picture, so over the picture the tip is of the jack or widget under it.
bool TMainForm::ShowTip(QObject* watched, QHelpEvent* e) {
  QString tip;
  if (watched == board_) {
    tip = JackTip(*sim_, e->pos().x(), e->pos().y());
    for (int i = 0; i < WidgetCount && tip.isEmpty(); ++i) {
      const auto id = static_cast<WidgetId>(i);
      if (Info(id).container == Panel0 && id != Image_WireDraw && Widget(id) && Widget(id)->isVisible() &&
          Widget(id)->geometry().contains(e->pos()))
        tip = TipFor(*sim_, id);
    }
  } else {
    for (int i = 0; i < WidgetCount && tip.isEmpty(); ++i)
      if (objects_[static_cast<size_t>(i)] == watched)
        tip =
            TipFor(*sim_, static_cast<WidgetId>(i), KeyOf(static_cast<WidgetId>(i)).toString(QKeySequence::NativeText));
  }
  if (tip.isEmpty()) return false;
  QToolTip::showText(e->globalPos(), tip, qobject_cast<QWidget*>(watched));
  return true;
}

}  // namespace orrin::ui
