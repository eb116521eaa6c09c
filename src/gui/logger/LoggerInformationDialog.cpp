#include "gui/logger/LoggerInformationDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/logger/LoggerDetailsDialog.h"

namespace varelo {

namespace {

struct JobRow {
    TextKey label;
    std::string LoggerJobTexts::*text;
};

constexpr JobRow kJobRows[] = {
    {txt::dlg_loggerInformation_measurementFunction, &LoggerJobTexts::function},
    {txt::dlg_loggerInformation_numberOfIntervals, &LoggerJobTexts::intervals},
    {txt::dlg_loggerInformation_numberOfStatistics, &LoggerJobTexts::statistics},
    {txt::dlg_loggerInformation_eventsCompleted, &LoggerJobTexts::eventsCompleted},
    {txt::dlg_loggerInformation_eventsNotCompleted, &LoggerJobTexts::eventsNotCompleted},
};

QLabel* Value(const std::string& text) {
    auto* label = new QLabel(Q(text));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

LoggerInformationDialog::LoggerInformationDialog(const CLoggerInfo& info, QWidget* parent)
    : QDialog(parent), texts_(MakeLoggerInfoTexts(info)), details_(new QPushButton) {
    setWindowTitle(QTxt(txt::dlg_loggerInformation_title));
    auto* form = new QFormLayout;
    form->addRow(QTxt(txt::dlg_loggerInformation_designation), Value(texts_.designation));
    form->addRow(QTxt(txt::dlg_loggerInformation_dateTime), Value(texts_.dateTime));
    form->addRow(QTxt(txt::dlg_loggerInformation_hardwareType),
                 Value(texts_.deviceType + "\n" + texts_.hardwareType));
    form->addRow(QStr(988), Value(texts_.serialNumber));
    form->addRow(QTxt(txt::dlg_loggerInformation_measurementFunction),
                 Value(texts_.measurementFunction));
    // The basic family has no clamp to speak of.
    if (texts_.clampShown) {
        form->addRow(QTxt(txt::dlg_loggerInformation_currentSensorType), Value(texts_.clampType));
        form->addRow(QTxt(txt::dlg_loggerInformation_maxClampCurrent),
                     Value(texts_.maxClampCurrent));
    }
    form->addRow(QTxt(txt::dlg_loggerInformation_status), Value(texts_.status));

    auto* jobs = new QGroupBox;
    jobs->setLayout(JobGrid());

    details_->setText(QTxt(txt::dlg_loggerInformation_details));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->addButton(details_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(details_, &QPushButton::clicked, this, &LoggerInformationDialog::ShowDetails);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(jobs);
    layout->addWidget(buttons);
}

QGridLayout* LoggerInformationDialog::JobGrid() const {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStr(2008)), 0, 1);
    grid->addWidget(new QLabel(QTxt(txt::dlg_loggerInformation_oldJob)), 0, 2);
    int row = 1;
    for (const JobRow& r : kJobRows) {
        grid->addWidget(new QLabel(QTxt(r.label)), row, 0);
        grid->addWidget(Value(texts_.job.*r.text), row, 1);
        grid->addWidget(Value(texts_.oldJob.*r.text), row, 2);
        ++row;
    }
    return grid;
}

void LoggerInformationDialog::ShowDetails() {
    LoggerDetailsDialog details(texts_, this);
    details.adjustSize();
    details.move(frameGeometry().topLeft());
    ModalRunner::Exec(details);
}

}  // namespace varelo
