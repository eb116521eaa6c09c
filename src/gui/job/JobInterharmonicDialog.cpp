#include "gui/job/JobInterharmonicDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "gui/app/QtText.h"
#include "gui/job/JobPageSupport.h"
#include "job/InterharmonicPage.h"
#include "job/JobCodeTables.h"
#include "job/JobEditor.h"

namespace varelo {

namespace {
constexpr int kTitle = 279;
constexpr int kTextLength = 30;
constexpr double kFirstHertz = 5;
// Wide enough for a value, a principle and a whole channel text.
constexpr int kListCharacters = 60;
}  // namespace

JobInterharmonicDialog::JobInterharmonicDialog(const JobEditor& editor, UserInterface& ui,
                                               QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      job_(editor.Job()),
      nominalFrequency_(editor.Job().PowSysNomFreq == 60 ? 60 : 50) {
    setWindowTitle(JobPageTitle(kTitle, editor));
    absolute_ = new QRadioButton(QStr(192));
    relative_ = new QRadioButton(QStr(1174));
    absolute_->setChecked(true);
    valueLabel_ = new QLabel;
    value_ = new QLineEdit(QString::number(kFirstHertz));
    valueLabel_->setBuddy(value_);
    unit_ = new QLabel;
    principle_ = new QComboBox;
    for (const JobCode& p : MeasuringPrinciples())
        principle_->addItem(Q(p.text), p.code);
    principle_->setCurrentIndex(principle_->findData(int(kDefaultMeasuringPrinciple)));
    text_ = new QLineEdit;
    text_->setMaxLength(kTextLength);
    channels_ = new QListWidget;
    channels_->setMinimumWidth(fontMetrics().averageCharWidth() * kListCharacters);
    add_ = new QPushButton(QTxt(txt::dlg_jobInterharmonic_add));
    delete_ = new QPushButton(QTxt(txt::dlg_jobInterharmonic_delete));
    ShowMeasurement(false);

    connect(relative_, &QRadioButton::toggled, this, &JobInterharmonicDialog::SwitchMeasurement);
    connect(add_, &QPushButton::clicked, this, &JobInterharmonicDialog::Add);
    connect(delete_, &QPushButton::clicked, this, &JobInterharmonicDialog::Delete);

    auto* measurement = new QGroupBox;
    auto* measurementLayout = new QHBoxLayout(measurement);
    measurementLayout->addWidget(absolute_);
    measurementLayout->addWidget(relative_);
    auto* entry = new QGridLayout;
    entry->addWidget(measurement, 0, 0, 1, 3);
    entry->addWidget(valueLabel_, 1, 0);
    entry->addWidget(value_, 1, 1);
    entry->addWidget(unit_, 1, 2);
    entry->addWidget(principle_, 2, 0, 1, 3);
    entry->addWidget(text_, 3, 0, 1, 3);
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(add_);
    listButtons->addWidget(delete_);
    listButtons->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(entry);
    body->addLayout(listButtons);
    body->addWidget(channels_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    RefreshList();
}

void JobInterharmonicDialog::ShowMeasurement(bool relative) {
    relativeShown_ = relative;
    valueLabel_->setText(relative ? QTxt(txt::dlg_jobInterharmonic_relative_value)
                                  : QTxt(txt::dlg_jobInterharmonic_absolute_value));
    unit_->setText(relative ? QStr(333) : QStringLiteral("Hz"));
}

void JobInterharmonicDialog::SwitchMeasurement(bool relative) {
    if (relative == relativeShown_) return;
    // A value that is no number converts as the lowest frequency would.
    double value = EnteredNumber(*value_);
    if (std::isnan(value)) value = relative ? kFirstHertz : 0;
    value_->setText(relative ? QString::number(HertzToOrder(value, nominalFrequency_), 'f', 2)
                             : QString::number(OrderToHertz(value, nominalFrequency_)));
    ShowMeasurement(relative);
}

void JobInterharmonicDialog::Add() {
    InterharmonicEntry entry;
    entry.relative = relative_->isChecked();
    entry.value = EnteredNumber(*value_);
    entry.principle = int16_t(principle_->currentData().toInt());
    entry.text = S(text_->text());
    const PageCheck check = AddInterharmonic(job_, entry);
    QWidget* field = check.field == JobField::InterharmonicValue ? value_ : nullptr;
    if (!ShowPageCheck(check, ui_, field)) return;
    text_->clear();
    RefreshList();
}

void JobInterharmonicDialog::Delete() {
    const int selected = channels_->currentRow();
    const bool chosen = selected >= 0 && channels_->currentItem()->isSelected();
    const PageCheck check = DeleteInterharmonic(job_, chosen ? selected : -1, ui_);
    ShowPageCheck(check, ui_, nullptr);
    RefreshList();
}

void JobInterharmonicDialog::RefreshList() {
    channels_->clear();
    const std::vector<JobCode> principles = MeasuringPrinciples();
    for (size_t i = 0; i < size_t(job_.NrInterHarm); ++i) {
        const double order = job_.HarmOrder[i] / 100.0;
        const QString value =
            job_.HarmFreqSync[i] == 1
                ? QString::number(order, 'f', 2) + QTxt(txt::dlg_jobInterharmonic_vH)
                : QString::number(std::lround(order * nominalFrequency_)) + QStringLiteral(" Hz");
        QString principle;
        for (const JobCode& p : principles)
            if (p.code == job_.HarmMeasPrinciple[i]) principle = Q(p.text);
        channels_->addItem(value + QStringLiteral("   ") + principle + QStringLiteral("   ") +
                           Q(job_.HarmText[i]));
    }
}

}  // namespace varelo
