#include "gui/job/JobGeneralDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/app/QtText.h"
#include "gui/job/JobPageSupport.h"
#include "job/GeneralPage.h"
#include "job/JobCodeTables.h"
#include "job/JobEditor.h"

namespace varelo {

namespace {
constexpr int kTitle = 259;
constexpr int kCaptionLength = 20;
constexpr int kTextLength = 40;
constexpr int kToleranceLength = 5;

QLineEdit* NumberEdit(double value, int decimals, int maxLength) {
    auto* edit = new QLineEdit(QString::number(value, 'f', decimals));
    edit->setMaxLength(maxLength);
    return edit;
}
}  // namespace

JobGeneralDialog::JobGeneralDialog(const JobEditor& editor, UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), job_(editor.Job()) {
    setWindowTitle(JobPageTitle(kTitle, editor));
    const GeneralPage page = GeneralPage::Of(job_);

    auto* lines = new QGridLayout;
    for (size_t i = 0; i < captions_.size(); ++i) {
        captions_[i] = new QLineEdit(Q(page.titles[i]));
        captions_[i]->setMaxLength(kCaptionLength);
        texts_[i] = new QLineEdit(Q(page.texts[i]));
        texts_[i]->setMaxLength(kTextLength);
        lines->addWidget(captions_[i], int(i), 0);
        lines->addWidget(texts_[i], int(i), 1);
    }
    lines->setColumnStretch(1, 2);

    positive_ = NumberEdit(page.positiveTolerance, 1, kToleranceLength);
    negative_ = NumberEdit(page.negativeTolerance, 1, kToleranceLength);
    memoryModel_ = new QComboBox;
    for (const JobCode& model : MemoryModels())
        memoryModel_->addItem(Q(model.text), model.code);
    memoryModel_->setCurrentIndex(memoryModel_->findData(int(page.eventMemoryModel)));
    hysteresis_ = NumberEdit(page.hysteresis, 2, kToleranceLength);

    auto* events = new QFormLayout;
    auto* positiveLabel = new QLabel(QTxt(txt::dlg_jobGeneral_positiveTolerance));
    positiveLabel->setBuddy(positive_);
    auto* negativeLabel = new QLabel(QTxt(txt::dlg_jobGeneral_negativeTolerance));
    negativeLabel->setBuddy(negative_);
    events->addRow(positiveLabel, positive_);
    events->addRow(negativeLabel, negative_);
    events->addRow(QTxt(txt::dlg_jobGeneral_memoryModel), memoryModel_);
    auto* hysteresisRow = new QHBoxLayout;
    hysteresisRow->addWidget(hysteresis_);
    hysteresisRow->addWidget(new QLabel(QStringLiteral("%")));
    events->addRow(QTxt(txt::dlg_jobGeneral_hysteresis), hysteresisRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lines);
    layout->addLayout(events);
    layout->addWidget(buttons);
}

QWidget* JobGeneralDialog::FieldWidget(JobField field) const {
    switch (field) {
        case JobField::PositiveTolerance: return positive_;
        case JobField::NegativeTolerance: return negative_;
        case JobField::Hysteresis: return hysteresis_;
        default: return nullptr;
    }
}

bool JobGeneralDialog::TryAccept() {
    GeneralPage page = GeneralPage::Of(job_);
    for (size_t i = 0; i < captions_.size(); ++i) {
        page.titles[i] = S(captions_[i]->text());
        page.texts[i] = S(texts_[i]->text());
    }
    page.positiveTolerance = EnteredNumber(*positive_);
    page.negativeTolerance = EnteredNumber(*negative_);
    page.eventMemoryModel = uint32_t(memoryModel_->currentData().toInt());
    page.hysteresis = EnteredNumber(*hysteresis_);
    // The job changes only when every check passed.
    CMeasurementJob job = job_;
    const PageCheck check = page.Apply(job);
    if (!ShowPageCheck(check, ui_, FieldWidget(check.field))) return false;
    job_ = job;
    return true;
}

void JobGeneralDialog::accept() {
    if (TryAccept()) QDialog::accept();
}

}  // namespace varelo
