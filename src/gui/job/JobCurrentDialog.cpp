#include "gui/job/JobCurrentDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/app/QtText.h"
#include "gui/job/JobPageSupport.h"
#include "job/CurrentPage.h"
#include "job/JobCodeTables.h"
#include "job/JobEditor.h"

namespace varelo {

namespace {
constexpr int kTitle = 278;

QComboBox* AveragingList(int16_t code) {
    auto* list = new QComboBox;
    for (const JobCode& time : CurrentAveragingTimes())
        list->addItem(Q(time.text), time.code);
    list->setCurrentIndex(std::max(0, list->findData(int(code))));
    return list;
}

// An editable list of the offered ranges holding the job's range.
QComboBox* RangeList(const std::vector<double>& offered, double range) {
    auto* list = new QComboBox;
    list->setEditable(true);
    for (double amperes : offered)
        list->addItem(QString::number(amperes, 'g', 10));
    list->setCurrentText(QString::number(range, 'g', 10));
    return list;
}

QLineEdit* AmpereEdit(double value) {
    return new QLineEdit(QString::number(value, 'f', 2));
}

double ListNumber(const QComboBox& list) {
    return EnteredNumber(*list.lineEdit());
}

// A transformer's primary and secondary in one row.
QWidget* TransformerRow(QLineEdit* primary, QLineEdit* secondary) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(primary);
    layout->addWidget(new QLabel(QStringLiteral("A /")));
    layout->addWidget(secondary);
    layout->addWidget(new QLabel(QStringLiteral("A")));
    return row;
}
}  // namespace

JobCurrentDialog::JobCurrentDialog(const JobEditor& editor, UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), job_(editor.Job()) {
    setWindowTitle(JobPageTitle(kTitle, editor));
    const CurrentPage page = CurrentPage::Of(job_);
    const std::vector<double> offered =
        OfferedCurrentRanges(job_.InstrHardwNr == 400 ? 400 : 300, job_.ClampId, job_.MaxClampCurr);

    phaseAveraging_ = AveragingList(page.phaseAveraging);
    phaseRange_ = RangeList(offered, page.phaseRange);
    phaseTransformer_ = new QCheckBox(QTxt(txt::dlg_jobCurrent_additionalCurrentTransformer));
    phaseTransformer_->setChecked(page.phaseTransformer);
    phasePrimary_ = AmpereEdit(page.phasePrimary);
    phaseSecondary_ = AmpereEdit(page.phaseSecondary);
    special_ = new QCheckBox(QTxt(txt::dlg_jobCurrent_specialCurrentTransformer));
    special_->setChecked(page.specialTransformer);
    phaseShift_ = new QLineEdit(QString::number(page.phaseShift, 'f', 1));

    auto* phase = new QGroupBox;
    auto* phaseForm = new QFormLayout(phase);
    phaseForm->addRow(QStr(234), phaseAveraging_);
    phaseForm->addRow(QStr(219), phaseRange_);
    phaseForm->addRow(phaseTransformer_);
    phaseForm->addRow(TransformerRow(phasePrimary_, phaseSecondary_));
    phaseForm->addRow(special_);
    phaseForm->addRow(QStr(244), phaseShift_);

    // Which neutral the power system, Logger type and sensor allow: a measurable neutral can
    // also be calculated.
    const int16_t allowed =
        NeutralMeasurement(job_.VoltPowSysType, editor.LoggerTypeCode(), job_.ClampId);
    measured_ = new QRadioButton(QStr(226));
    calculated_ = new QRadioButton(QTxt(txt::dlg_jobCurrent_calculatedValues));
    measured_->setEnabled(allowed == 1);
    calculated_->setEnabled(allowed != 0);
    measured_->setChecked(page.neutral == 1 && allowed == 1);
    calculated_->setChecked(allowed != 0 &&
                            (page.neutral == 2 || (page.neutral == 1 && allowed == 2)));
    neutralAveraging_ = AveragingList(page.neutralAveraging);
    neutralRange_ = RangeList(offered, page.neutralRange);
    neutralTransformer_ = new QCheckBox(QTxt(txt::dlg_jobCurrent_additionalCurrentTransformer));
    neutralTransformer_->setChecked(page.neutralTransformer);
    neutralPrimary_ = AmpereEdit(page.neutralPrimary);
    neutralSecondary_ = AmpereEdit(page.neutralSecondary);

    auto* neutral = new QGroupBox;
    auto* neutralForm = new QFormLayout(neutral);
    neutralForm->addRow(measured_);
    neutralForm->addRow(calculated_);
    neutralForm->addRow(QStr(234), neutralAveraging_);
    neutralForm->addRow(QStr(219), neutralRange_);
    neutralForm->addRow(neutralTransformer_);
    neutralForm->addRow(TransformerRow(neutralPrimary_, neutralSecondary_));

    for (QCheckBox* box : {phaseTransformer_, special_, neutralTransformer_})
        connect(box, &QCheckBox::toggled, this, &JobCurrentDialog::EnableFields);
    for (QRadioButton* button : {measured_, calculated_})
        connect(button, &QRadioButton::toggled, this, &JobCurrentDialog::EnableFields);
    EnableFields();

    auto* groups = new QHBoxLayout;
    groups->addWidget(phase);
    groups->addWidget(neutral);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
}

void JobCurrentDialog::EnableFields() {
    phasePrimary_->setEnabled(phaseTransformer_->isChecked());
    phaseSecondary_->setEnabled(phaseTransformer_->isChecked());
    phaseShift_->setEnabled(special_->isChecked());
    const bool neutralMeasured = measured_->isChecked();
    neutralRange_->setEnabled(neutralMeasured);
    neutralTransformer_->setEnabled(neutralMeasured);
    neutralPrimary_->setEnabled(neutralMeasured && neutralTransformer_->isChecked());
    neutralSecondary_->setEnabled(neutralMeasured && neutralTransformer_->isChecked());
    neutralAveraging_->setEnabled(neutralMeasured || calculated_->isChecked());
}

QWidget* JobCurrentDialog::FieldWidget(JobField field) const {
    switch (field) {
        case JobField::PhaseRange: return phaseRange_;
        case JobField::PhasePrimary: return phasePrimary_;
        case JobField::PhaseSecondary: return phaseSecondary_;
        case JobField::NeutralRange: return neutralRange_;
        case JobField::NeutralPrimary: return neutralPrimary_;
        case JobField::NeutralSecondary: return neutralSecondary_;
        case JobField::PhaseShift: return phaseShift_;
        default: return nullptr;
    }
}

bool JobCurrentDialog::TryAccept() {
    CurrentPage page;
    page.phaseAveraging = int16_t(phaseAveraging_->currentData().toInt());
    page.phaseRange = ListNumber(*phaseRange_);
    page.phaseTransformer = phaseTransformer_->isChecked();
    page.phasePrimary = EnteredNumber(*phasePrimary_);
    page.phaseSecondary = EnteredNumber(*phaseSecondary_);
    page.specialTransformer = special_->isChecked();
    page.phaseShift = EnteredNumber(*phaseShift_);
    page.neutral = measured_->isChecked() ? 1 : calculated_->isChecked() ? 2 : 0;
    page.neutralAveraging = int16_t(neutralAveraging_->currentData().toInt());
    page.neutralRange = ListNumber(*neutralRange_);
    page.neutralTransformer = neutralTransformer_->isChecked();
    page.neutralPrimary = EnteredNumber(*neutralPrimary_);
    page.neutralSecondary = EnteredNumber(*neutralSecondary_);
    CMeasurementJob job = job_;
    const PageCheck check = page.Apply(job);
    if (!ShowPageCheck(check, ui_, FieldWidget(check.field))) return false;
    job_ = job;
    return true;
}

void JobCurrentDialog::accept() {
    if (TryAccept()) QDialog::accept();
}

}  // namespace varelo
