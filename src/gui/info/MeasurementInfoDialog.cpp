#include "gui/info/MeasurementInfoDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/MeasurementInformation.h"
#include "document/MeasurementTexts.h"
#include "document/Vamor800Doc.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/info/InterharmonicInfoDialog.h"
#include "gui/info/LoggerUsedDialog.h"
#include "gui/info/MeasurementAssessmentDialog.h"
#include "gui/info/MeasurementInfoPrintout.h"
#include "gui/info/MeasurementTextDialog.h"
#include "gui/print/PrintJob.h"
#include "gui/print/SharedPrinter.h"

namespace varelo {

namespace {

constexpr const char* kTitle = "Information about measurement";

QLabel* Selectable() {
    auto* label = new QLabel;
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

MeasurementInfoDialog::MeasurementInfoDialog(CVamor800Doc& doc, Settings& settings,
                                             UserInterface& ui, QWidget* parent)
    : QDialog(parent), doc_(doc), settings_(settings), ui_(ui), grid_(new QGridLayout) {
    setWindowTitle(Q(InformationCaption(kTitle, doc_.FilePath(true))));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    const std::pair<Button, TextKey> kButtons[] = {
        {Button::Measurement, txt::dlg_measurementInfo_measurement},
        {Button::Logger, txt::dlg_measurementInfo_logger},
        {Button::Interharmonics, txt::dlg_measurementInfo_interharmonics},
        {Button::Text, txt::dlg_measurementInfo_text},
        {Button::Print, txt::dlg_measurementInfo_print}};
    for (const auto& [button, text] : kButtons) {
        auto* push = new QPushButton(QTxt(text));
        push->setAutoDefault(false);
        buttons->addButton(push, QDialogButtonBox::ActionRole);
        buttons_[button] = push;
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_[Button::Measurement], &QPushButton::clicked, this,
            &MeasurementInfoDialog::ShowMeasurement);
    connect(buttons_[Button::Logger], &QPushButton::clicked, this,
            &MeasurementInfoDialog::ShowLogger);
    connect(buttons_[Button::Interharmonics], &QPushButton::clicked, this,
            &MeasurementInfoDialog::ShowInterharmonics);
    connect(buttons_[Button::Text], &QPushButton::clicked, this,
            &MeasurementInfoDialog::ChangeTexts);
    connect(buttons_[Button::Print], &QPushButton::clicked, this, &MeasurementInfoDialog::Print);

    // The rows stay; Refresh fills them. The current's rows have a phase and a neutral column.
    const MeasurementInformation info = MakeMeasurementInformation(doc_.Data().job);
    int row = 0;
    bool currentHeads = false;
    for (const InformationRow& r : info.rows) {
        if (r.twoColumns && !currentHeads) {
            grid_->addWidget(new QLabel(QStr(243)), row, 1);
            grid_->addWidget(new QLabel(QStr(242)), row, 2);
            currentHeads = true;
            ++row;
        }
        RowLabels labels{new QLabel, Selectable(), r.twoColumns ? Selectable() : nullptr};
        grid_->addWidget(labels.label, row, 0, Qt::AlignTop);
        grid_->addWidget(labels.value, row, 1, 1, r.twoColumns ? 1 : 2);
        if (labels.neutral) grid_->addWidget(labels.neutral, row, 2);
        // The job's captions are the file's own words, in the language they were written in.
        if (r.key.starts_with("text")) labels.label->setProperty(kFileTextProperty, true);
        rows_[r.key] = labels;
        ++row;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
    layout->addWidget(buttons);
    Refresh();
}

void MeasurementInfoDialog::Refresh() {
    const MeasurementInformation info = MakeMeasurementInformation(doc_.Data().job);
    for (const InformationRow& r : info.rows) {
        auto it = rows_.find(r.key);
        if (it == rows_.end()) continue;
        it->second.label->setText(Q(r.label));
        it->second.value->setText(Q(r.value));
        if (it->second.neutral) it->second.neutral->setText(Q(r.neutral));
    }
    buttons_[Button::Interharmonics]->setVisible(info.interharmonicButton);
}

QPushButton* MeasurementInfoDialog::ButtonOf(Button button) const {
    return buttons_.at(button);
}

QString MeasurementInfoDialog::Value(const std::string& key, bool neutral) const {
    auto it = rows_.find(key);
    if (it == rows_.end()) return {};
    QLabel* label = neutral ? it->second.neutral : it->second.value;
    return label ? label->text() : QString();
}

QString MeasurementInfoDialog::Label(const std::string& key) const {
    auto it = rows_.find(key);
    return it == rows_.end() ? QString() : it->second.label->text();
}

void MeasurementInfoDialog::ShowMeasurement() {
    MeasurementAssessmentDialog dialog(
        MakeMeasurementAssessment(doc_.Data().job, doc_.CountsIfMade()), this);
    ModalRunner::Exec(dialog);
}

void MeasurementInfoDialog::ShowLogger() {
    LoggerUsedDialog dialog(LoggerInformationRows(doc_.Data().logger), this);
    ModalRunner::Exec(dialog);
}

void MeasurementInfoDialog::ShowInterharmonics() {
    InterharmonicInfoDialog dialog(doc_.Data().job, this);
    ModalRunner::Exec(dialog);
}

void MeasurementInfoDialog::ChangeTexts() {
    MeasurementTextDialog dialog(MeasurementTexts::Of(doc_.Data().job), ui_, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    ChangeMeasurementText(doc_, dialog.Texts(), ui_);
    Refresh();
}

void MeasurementInfoDialog::Print() {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    MeasurementInfoPrintout printout(MeasurementInformationLines(doc_));
    PrintRequest request{printout, Q(doc_.FilePath(true)), &doc_, settings_, ui_, this};
    RunPrintJob(printer, request);
}

void ShowMeasurementInformation(CVamor800Doc& doc, Settings& settings, UserInterface& ui,
                                QWidget* parent) {
    MeasurementInfoDialog dialog(doc, settings, ui, parent);
    ModalRunner::Exec(dialog);
}

}  // namespace varelo
