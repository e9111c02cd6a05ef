#include "ui/lab_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/translate.h"

namespace orrin::ui {

namespace {

QLabel* Wrapped(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setWordWrap(true);
  l->setTextFormat(Qt::PlainText);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return l;
}

}  // namespace

LabPanel::LabPanel(QWidget* parent) : QDockWidget(parent) {
  setObjectName("LabPanel");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  auto* body = new QWidget(scroll);
  auto* column = new QVBoxLayout(body);
  title_ = Wrapped(body, "Lab_Title");
  QFont bold = title_->font();
  bold.setBold(true);
  if (bold.pixelSize() > 0)
    bold.setPixelSize(bold.pixelSize() * 6 / 5);
  else
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title_->setFont(bold);
  goal_ = Wrapped(body, "Lab_Goal");
  steps_ = new QListWidget(body);
  steps_->setObjectName("Lab_Steps");
  steps_->setWordWrap(true);
  steps_->setSelectionMode(QAbstractItemView::NoSelection);
  steps_->setFocusPolicy(Qt::NoFocus);  // the board's keys stay the board's
  current_ = Wrapped(body, "Lab_Current");
  current_->setFrameShape(QFrame::StyledPanel);
  current_->setMargin(6);
  choices_ = new QWidget(body);
  choiceLayout_ = new QVBoxLayout(choices_);
  choiceLayout_->setContentsMargins(0, 0, 0, 0);
  hintButton_ = new QPushButton(body);
  hintButton_->setObjectName("Lab_HintButton");
  hintButton_->setFocusPolicy(Qt::NoFocus);
  hint_ = Wrapped(body, "Lab_Hint");
  clockText_ = Wrapped(body, "Lab_Clock");
  summary_ = Wrapped(body, "Lab_Summary");
  notice_ = Wrapped(body, "Lab_Notice");
  notice_->setStyleSheet("color: #B00020;");
  notice_->hide();
  // What to do now comes first; the list of all steps takes what room is left.
  column->addWidget(title_);
  column->addWidget(clockText_);
  column->addWidget(current_);
  column->addWidget(notice_);
  column->addWidget(choices_);
  column->addWidget(hintButton_);
  column->addWidget(hint_);
  column->addWidget(summary_);
  column->addWidget(steps_, 1);
  column->addWidget(goal_);
  steps_->setMinimumHeight(120);
  scroll->setWidget(body);
  setWidget(scroll);
  setMinimumWidth(280);

  connect(hintButton_, &QPushButton::clicked, this, [this] {
    if (!progress_ || progress_->Finished()) return;
    progress_->UseHint();
    ShowCurrent();
  });
  tick_.setInterval(1000);
  connect(&tick_, &QTimer::timeout, this, [this] { ShowClock(); });
  Retranslate();
}

QString LabPanel::Text(const LabText& t) const {
  const std::string& s = CurrentLanguage() == Language::English && !t.en.empty() ? t.en : t.zh;
  return QString::fromStdString(s);
}

void LabPanel::Begin(std::unique_ptr<Lab> lab) {
  lab_ = std::move(lab);
  progress_.emplace(*lab_);
  choice_.clear();
  seen_ = 0;
  wrongShown_ = false;
  clock_.start();
  tick_.start();
  Retranslate();
  show();
}

void LabPanel::End() {
  tick_.stop();
  progress_.reset();
  lab_.reset();
  hide();
}

void LabPanel::Check(const Simulator& sim) {
  if (!progress_ || progress_->Finished()) return;
  const std::vector<std::string>& lines = sim.session.Lines();
  bool notice = false;
  for (; seen_ < lines.size(); ++seen_) {
    const LabProgress::Verdict v = progress_->Saw(lines[seen_], sim.console.PowerOn, static_cast<int64_t>(seen_ + 1));
    if (v == LabProgress::Verdict::WrongAnswer) wrongShown_ = notice = true;
    if (v == LabProgress::Verdict::Forbidden) notice = true;
  }
  if (notice) ShowNotice();
  const std::vector<size_t> done = progress_->Check(sim, sim.Choice(), clock_.elapsed());
  if (done.empty()) return;
  wrongShown_ = false;
  ShowNotice();
  if (progress_->Finished()) tick_.stop();
  ShowSteps();
  ShowCurrent();
  ShowClock();
}

void LabPanel::ShowSteps() {
  steps_->clear();
  if (!lab_) return;
  for (size_t i = 0; i < lab_->steps.size(); ++i) {
    const bool done = i < progress_->DoneCount();
    const bool now = i == progress_->DoneCount();
    const QString mark = done ? QString::fromUtf8("✔") : now ? QString::fromUtf8("▶") : QString::fromUtf8("　");
    auto* item = new QListWidgetItem(mark + " " + QString::number(i + 1) + ". " + Text(lab_->steps[i].instruction));
    if (done) item->setForeground(QColor(0x1B, 0x7F, 0x2A));
    QFont f = item->font();
    f.setBold(now);
    item->setFont(f);
    steps_->addItem(item);
  }
  if (progress_->DoneCount() < lab_->steps.size())
    steps_->scrollToItem(steps_->item(static_cast<int>(progress_->DoneCount())));
}

void LabPanel::ShowCurrent() {
  while (QLayoutItem* item = choiceLayout_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  const bool running = progress_ && !progress_->Finished();
  current_->setVisible(running);
  hintButton_->setVisible(false);
  hint_->setVisible(false);
  summary_->setVisible(progress_ && progress_->Finished());
  if (progress_ && progress_->Finished())
    summary_->setText(Tr(QT_TRANSLATE_NOOP("orrin", "全部完成！")) + "\n" + Summary().join('\n'));
  if (!running) return;
  const size_t n = progress_->DoneCount();
  const LabStep& step = lab_->steps[n];
  current_->setText(Tr(QT_TRANSLATE_NOOP("orrin", "第 %1 步")).arg(n + 1) + "\n" + Text(step.instruction));
  for (size_t c = 0; c < step.choices.size(); ++c) {
    auto* b = new QPushButton(QString::number(c + 1) + ". " + Text(step.choices[c]), choices_);
    b->setObjectName(QString("Lab_Choice%1").arg(c + 1));
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet("text-align: left; padding: 4px;");
    const bool chosen = choice_ == std::to_string(c + 1);
    b->setCheckable(true);
    b->setChecked(chosen);
    connect(b, &QPushButton::clicked, this, [this, c] {
      choice_ = std::to_string(c + 1);
      if (onChoice) onChoice(static_cast<int>(c + 1));
      ShowCurrent();
    });
    choiceLayout_->addWidget(b);
  }
  const bool hasHint = !step.hint.zh.empty();
  hintButton_->setVisible(hasHint && !progress_->HintUsed(n));
  hint_->setVisible(hasHint && progress_->HintUsed(n));
  hint_->setText(Tr(QT_TRANSLATE_NOOP("orrin", "提示：")) + Text(step.hint));
}

// A shortcut the lab forbids spoils the rest of it, and says so at once; a
// wrong answer says so until the step is done.
void LabPanel::ShowNotice() {
  QStringList text;
  if (progress_ && progress_->Shortcut())
    text << Tr(QT_TRANSLATE_NOOP("orrin", "本实验不允许这样做：%1。之后的步骤不再算完成；重新打开实验可从头开始。"))
                .arg(QString::fromStdString(progress_->Shortcut()->action));
  if (wrongShown_ && progress_ && !progress_->Finished()) text << Tr(QT_TRANSLATE_NOOP("orrin", "答案不对，再想想。"));
  notice_->setText(text.join('\n'));
  notice_->setVisible(!text.isEmpty());
}

void LabPanel::ShowClock() {
  if (!lab_) return;
  clockText_->setText(Tr(QT_TRANSLATE_NOOP("orrin", "用时 %1 · 已完成 %2/%3"))
                          .arg(QString::fromStdString(LabClock(progress_->Elapsed(clock_.elapsed()))))
                          .arg(progress_->DoneCount())
                          .arg(lab_->steps.size()));
}

QStringList LabPanel::Summary() const {
  QStringList lines;
  if (!lab_) return lines;
  const Catalog* english = CurrentLanguage() == Language::English ? &EnglishCatalog() : nullptr;
  for (const std::string& line : progress_->Summary(clock_.elapsed(), english)) lines << QString::fromStdString(line);
  return lines;
}

void LabPanel::Retranslate() {
  setWindowTitle(Tr(QT_TRANSLATE_NOOP("orrin", "实验")));
  hintButton_->setText(Tr(QT_TRANSLATE_NOOP("orrin", "显示提示")));
  if (!lab_) return;
  title_->setText(Text(lab_->title));
  goal_->setText(Text(lab_->goal));
  ShowSteps();
  ShowCurrent();
  ShowClock();
  ShowNotice();
}

}  // namespace orrin::ui
