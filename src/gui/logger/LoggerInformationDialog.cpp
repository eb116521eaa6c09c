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
    const char* label;
    std::string LoggerJobTexts::*text;
};

constexpr JobRow kJobRows[] = {
    {"Measurement function:", &LoggerJobTexts::function},
    {"Number of intervals:", &LoggerJobTexts::intervals},
    {"Number of statistics:", &LoggerJobTexts::statistics},
    {"Events completed:", &LoggerJobTexts::eventsCompleted},
    {"Events not completed:", &LoggerJobTexts::eventsNotCompleted},
};

QLabel* Value(const std::string& text) {
    auto* label = new QLabel(Q(text));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

LoggerInformationDialog::LoggerInformationDialog(const CLoggerInfo& info, QWidget* parent)
    : QDialog(parent), texts_(MakeLoggerInfoTexts(info)), details_(new QPushButton) {
    setWindowTitle(QStringLiteral("Logger - Information"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Designation:"), Value(texts_.designation));
    form->addRow(QStringLiteral("Date/Time:"), Value(texts_.dateTime));
    form->addRow(QStringLiteral("Hardware type:"),
                 Value(texts_.deviceType + "\n" + texts_.hardwareType));
    form->addRow(QStringLiteral("Serial number:"), Value(texts_.serialNumber));
    form->addRow(QStringLiteral("Measurement function:"), Value(texts_.measurementFunction));
    // The basic family has no clamp to speak of.
    if (texts_.clampShown) {
        form->addRow(QStringLiteral("Current sensor type:"), Value(texts_.clampType));
        form->addRow(QStringLiteral("Max. clamp current:"), Value(texts_.maxClampCurrent));
    }
    form->addRow(QStringLiteral("Status:"), Value(texts_.status));

    auto* jobs = new QGroupBox;
    jobs->setLayout(JobGrid());

    details_->setText(QStringLiteral("&Details"));
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
    grid->addWidget(new QLabel(QStringLiteral("Job")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Old job")), 0, 2);
    int row = 1;
    for (const JobRow& r : kJobRows) {
        grid->addWidget(new QLabel(QString::fromLatin1(r.label)), row, 0);
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
