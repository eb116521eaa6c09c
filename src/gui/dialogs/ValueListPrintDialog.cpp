#include "gui/dialogs/ValueListPrintDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "evaluation/MeasurementValueList.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

QString RegionalText(const CTimeStamp& time) {
    return QLocale::system().toString(ToQDateTime(time), QLocale::ShortFormat);
}

}  // namespace

ValueListPrintDialog::ValueListPrintDialog(int period, const CTimeStamp& start,
                                           const CTimeStamp& measurementStart,
                                           const CTimeStamp& measurementEnd, QWidget* parent)
    : QDialog(parent), periods_(new QListWidget), date_(new QDateEdit), time_(new QTimeEdit) {
    setWindowTitle(QTxt(txt::dlg_valueListPrint_title));
    auto* measured = new QGroupBox(QStr(237));
    auto* measuredLayout = new QFormLayout(measured);
    measuredLayout->addRow(QTxt(txt::dlg_valueListPrint_from),
                           new QLabel(RegionalText(measurementStart)));
    measuredLayout->addRow(QTxt(txt::dlg_valueListPrint_to),
                           new QLabel(RegionalText(measurementEnd)));

    for (const ValueListPeriod& p : MeasurementValueList::Periods())
        periods_->addItem(Q(ValueListPeriodLabel(p)));
    periods_->setCurrentRow(MeasurementValueList::ValidPeriod(period) - 1);
    periods_->setMinimumHeight(220);
    const QDateTime at = ToQDateTime(start);
    date_->setCalendarPopup(true);
    date_->setDate(at.date());
    time_->setDisplayFormat("HH:mm:ss");
    time_->setTime(at.time());
    auto* printed = new QGroupBox(QTxt(txt::dlg_valueListPrint_printPeriod));
    auto* printedLayout = new QVBoxLayout(printed);
    printedLayout->addWidget(periods_, 1);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(date_, 1);
    startRow->addWidget(time_, 1);
    printedLayout->addLayout(startRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(measured);
    layout->addWidget(printed, 1);
    layout->addWidget(buttons);
}

int ValueListPrintDialog::Period() const {
    return MeasurementValueList::ValidPeriod(periods_->currentRow() + 1);
}

CTimeStamp ValueListPrintDialog::Start() const {
    return FromQDateTime(QDateTime(date_->date(), time_->time()));
}

}  // namespace varelo
