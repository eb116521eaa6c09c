#include "gui/logger/ResetWizardDialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/QtText.h"
#include "logger/ResetStepTexts.h"

namespace varelo {

namespace {

constexpr int kBarWidth = 180;
constexpr int kMinimumWidth = 600;  // the step 3 instructions on their own lines

int GroupIndex(ResetStep step) {
    switch (step) {
        case ResetStep::SwitchOff: return 0;
        case ResetStep::BootPort: return 1;
        case ResetStep::BootMode: return 2;
        case ResetStep::Ready: return 4;
        default: return 3;
    }
}

// A lettered line of a group: "a)" and its text.
void AddLetterLine(QGridLayout* grid, int row, int letterId, QLabel* text) {
    grid->addWidget(new QLabel(QStr(letterId)), row, 0, Qt::AlignTop);
    text->setWordWrap(true);
    grid->addWidget(text, row, 1);
}

}  // namespace

ResetWizardDialog::ResetWizardDialog(CLoggerLink& link, Settings& settings,
                                     std::string firmwareFolder, QWidget* parent)
    : QDialog(parent),
      wizard_(std::make_unique<CResetWizard>(link, settings, *this, std::move(firmwareFolder))) {
    using namespace reset_text;
    setWindowTitle(QStr(kTitle));
    setMinimumWidth(kMinimumWidth);
    auto* layout = new QVBoxLayout(this);
    auto lineWith = [&](ResetStep step, QWidget* caption) {
        Line line;
        line.row = new QWidget;
        auto* row = new QHBoxLayout(line.row);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(caption, 1);
        line.bar = new QProgressBar;
        line.bar->setTextVisible(false);
        line.bar->setFixedWidth(kBarWidth);
        line.bar->setRange(0, 1);
        line.bar->setValue(0);
        row->addWidget(line.bar);
        line.done = new QLabel(QStr(kDone));
        QSizePolicy keepPlace = line.done->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true);  // the bars stay in one column
        line.done->setSizePolicy(keepPlace);
        line.done->setVisible(false);
        line.done->setMinimumWidth(40);
        row->addWidget(line.done);
        lines_[step] = line;
        return line.row;
    };
    auto groupBox = [&](int index, int captionId, QPushButton* ok) {
        auto* group = new QGroupBox(QStr(captionId));
        groups_[index] = group;
        auto* outer = new QHBoxLayout(group);
        auto* grid = new QGridLayout;
        grid->setColumnStretch(1, 1);
        outer->addLayout(grid, 1);
        if (ok) outer->addWidget(ok, 0, Qt::AlignBottom);
        layout->addWidget(group);
        return grid;
    };

    ok1_ = new QPushButton(QStr(kOk));
    QGridLayout* g1 = groupBox(0, kStep1, ok1_);
    portText_ = new QLabel;
    AddLetterLine(g1, 0, kLetterA, portText_);
    AddLetterLine(g1, 1, kLetterB, new QLabel(QStr(kTurnOff)));
    AddLetterLine(g1, 2, kLetterC, new QLabel(QStr(kPressOk)));

    QGridLayout* g2 = groupBox(1, kStep2, nullptr);
    g2->addWidget(lineWith(ResetStep::BootPort, new QLabel(QStr(kBootPort))), 0, 0, 1, 2);

    ok3_ = new QPushButton(QStr(kOk));
    QGridLayout* g3 = groupBox(2, kStep3, ok3_);
    auto* select = new QWidget;
    auto* selectRow = new QHBoxLayout(select);
    selectRow->setContentsMargins(0, 0, 0, 0);
    selectRow->addWidget(new QLabel(QStr(kSelectType)));
    typeList_ = new QComboBox;
    selectRow->addWidget(typeList_, 1);
    g3->addWidget(new QLabel(QStr(kLetterA)), 0, 0);
    g3->addWidget(select, 0, 1);
    AddLetterLine(g3, 1, kLetterB, new QLabel(QStr(kHoldStartStop)));
    AddLetterLine(g3, 2, kLetterC, new QLabel(QStr(kPressOk)));

    QGridLayout* g4 = groupBox(3, kStep4, nullptr);
    int row = 0;
    for (const auto& line : ResetDownloadSteps()) {
        g4->addWidget(new QLabel(QStr(line.letterId)), row, 0);
        g4->addWidget(lineWith(line.step, new QLabel(QStr(line.textId))), row, 1);
        ++row;
    }

    ok5_ = new QPushButton(QStr(kOk));
    QGridLayout* g5 = groupBox(4, kStep5, ok5_);
    auto* ready = new QLabel(QStr(kReady));
    ready->setWordWrap(true);
    g5->addWidget(ready, 0, 0, 1, 2);

    connect(ok1_, &QPushButton::clicked, this, &ResetWizardDialog::ConfirmStep1);
    connect(ok3_, &QPushButton::clicked, this, &ResetWizardDialog::ConfirmStep3);
    connect(ok5_, &QPushButton::clicked, this, &QDialog::accept);
    for (QGroupBox* group : groups_)
        group->setEnabled(false);
}

ResetWizardDialog::~ResetWizardDialog() = default;

void ResetWizardDialog::Start() {
    wizard_->Open();
    portText_->setText(Q(FormatPrintf(Str(reset_text::kConnectedToPort), {wizard_->PortName()})));
    typeList_->clear();
    for (const auto& designation : wizard_->Designations())
        typeList_->addItem(Q(designation));
    typeList_->setCurrentIndex(wizard_->SelectedIndex());
}

QPushButton* ResetWizardDialog::OkButton(ResetStep step) const {
    switch (step) {
        case ResetStep::SwitchOff: return ok1_;
        case ResetStep::BootMode: return ok3_;
        case ResetStep::Ready: return ok5_;
        default: return nullptr;
    }
}

QProgressBar* ResetWizardDialog::Bar(ResetStep step) const {
    auto it = lines_.find(step);
    return it == lines_.end() ? nullptr : it->second.bar;
}

QLabel* ResetWizardDialog::DoneLabel(ResetStep step) const {
    auto it = lines_.find(step);
    return it == lines_.end() ? nullptr : it->second.done;
}

QGroupBox* ResetWizardDialog::Group(int number) const {
    return number >= 1 && number <= 5 ? groups_[number - 1] : nullptr;
}

void ResetWizardDialog::ConfirmStep1() {
    wizard_->ConfirmSwitchedOff();
    FinishIfEnded();
}

void ResetWizardDialog::ConfirmStep3() {
    wizard_->ConfirmBootMode(S(typeList_->currentText()));
    FinishIfEnded();
}

void ResetWizardDialog::FinishIfEnded() {
    if (wizard_->Ended()) done(QDialog::Rejected);
}

void ResetWizardDialog::StepEntered(ResetStep step) {
    ShowStep(step);
}

void ResetWizardDialog::ShowStep(ResetStep step) {
    const int current = GroupIndex(step);
    for (int i = 0; i < 5; ++i)
        groups_[i]->setEnabled(i == current);
    if (IsDownloadStep(step)) {
        for (const auto& line : ResetDownloadSteps())
            lines_[line.step].row->setEnabled(line.step == step);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ResetWizardDialog::BarRange(ResetStep step, long range) {
    if (QProgressBar* bar = Bar(step)) {
        bar->setRange(0, int(std::max(range, 1L)));
        bar->setValue(0);
    }
    lastPercent_ = -1;
}

void ResetWizardDialog::BarPosition(ResetStep step, long position) {
    QProgressBar* bar = Bar(step);
    if (!bar) return;
    bar->setValue(int(position));
    // Repaints only when the bar visibly moves: the CPU program moves it byte by byte.
    const int percent = int(100L * position / std::max(1, bar->maximum()));
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void ResetWizardDialog::StepDone(ResetStep step) {
    if (QLabel* done = DoneLabel(step)) done->setVisible(true);
}

bool ResetWizardDialog::Closable() const {
    const ResetStep step = wizard_->Step();
    return !IsDownloadStep(step) && step != ResetStep::Ready;
}

// While the Logger is loaded or restarted (steps 4 and 5) neither Esc nor the window's Close
// ends the wizard. The window flag stays: changing it hides a dialog, which would end exec().
void ResetWizardDialog::reject() {
    if (Closable()) QDialog::reject();
}

void ResetWizardDialog::closeEvent(QCloseEvent* event) {
    if (Closable())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

}  // namespace varelo
