#include "gui/export/ExportPeriodDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "gui/app/QtText.h"

namespace varelo {

namespace {

const QDate kFirstDate(1970, 1, 2);
const QDate kLastDate(2038, 1, 18);

QString Regional(const CTimeStamp& time) {
    return QLocale::system().toString(ToQDateTime(time), QLocale::ShortFormat);
}

void Setup(QDateEdit* date, QTimeEdit* time, const CTimeStamp& at) {
    const QDateTime value = ToQDateTime(at);
    date->setCalendarPopup(true);
    date->setDateRange(kFirstDate, kLastDate);
    date->setDate(value.date());
    time->setDisplayFormat("HH:mm:ss");
    time->setTime(value.time());
}

CTimeStamp Join(const QDateEdit* date, const QTimeEdit* time) {
    return FromQDateTime(QDateTime(date->date(), time->time()));
}

}  // namespace

ExportPeriodDialog::ExportPeriodDialog(const CTimeStamp& measurementStart,
                                       const CTimeStamp& measurementEnd, const CTimeStamp& start,
                                       const CTimeStamp& end, QWidget* parent)
    : QDialog(parent),
      startDate_(new QDateEdit),
      startTime_(new QTimeEdit),
      endDate_(new QDateEdit),
      endTime_(new QTimeEdit) {
    setWindowTitle(QTxt(txt::dlg_exportPeriod_title));
    auto* measured = new QGroupBox(QStr(237));
    auto* measuredLayout = new QGridLayout(measured);
    measuredLayout->addWidget(new QLabel(QTxt(txt::dlg_exportPeriod_from)), 0, 0);
    measuredLayout->addWidget(new QLabel(Regional(measurementStart)), 0, 1);
    measuredLayout->addWidget(new QLabel(QTxt(txt::dlg_exportPeriod_to)), 1, 0);
    measuredLayout->addWidget(new QLabel(Regional(measurementEnd)), 1, 1);

    Setup(startDate_, startTime_, start);
    Setup(endDate_, endTime_, end);
    auto* exported = new QGroupBox(QTxt(txt::dlg_exportPeriod_title));
    auto* exportedLayout = new QGridLayout(exported);
    exportedLayout->addWidget(new QLabel(QTxt(txt::dlg_exportPeriod_from)), 0, 0);
    exportedLayout->addWidget(startDate_, 0, 1);
    exportedLayout->addWidget(startTime_, 0, 2);
    exportedLayout->addWidget(new QLabel(QTxt(txt::dlg_exportPeriod_to)), 1, 0);
    exportedLayout->addWidget(endDate_, 1, 1);
    exportedLayout->addWidget(endTime_, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(measured);
    layout->addWidget(exported);
    layout->addWidget(buttons);
}

CTimeStamp ExportPeriodDialog::Start() const {
    return Join(startDate_, startTime_);
}

CTimeStamp ExportPeriodDialog::End() const {
    return Join(endDate_, endTime_);
}

}  // namespace varelo
