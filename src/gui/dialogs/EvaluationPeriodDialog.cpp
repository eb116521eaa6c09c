#include "gui/dialogs/EvaluationPeriodDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "gui/app/QtText.h"

namespace varelo {

namespace {

QString RegionalText(const CTimeStamp& time) {
    return QLocale::system().toString(ToQDateTime(time), QLocale::ShortFormat);
}

QWidget* DateTimeRow(QDateEdit* date, QTimeEdit* time) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(date, 1);
    layout->addWidget(time, 1);
    return row;
}

QDateEdit* MakeDateEdit() {
    auto* edit = new QDateEdit;
    edit->setCalendarPopup(true);
    edit->setDateRange(ToQDateTime(EvaluationPeriod::FirstPickableDate()).date(),
                       ToQDateTime(EvaluationPeriod::LastPickableDate()).date());
    return edit;
}

QTimeEdit* MakeTimeEdit() {
    auto* edit = new QTimeEdit;
    edit->setDisplayFormat("HH:mm:ss");
    return edit;
}

}  // namespace

EvaluationPeriodDialog::EvaluationPeriodDialog(const PeriodQuestion& question, QWidget* parent)
    : QDialog(parent),
      startDate_(MakeDateEdit()),
      startTime_(MakeTimeEdit()),
      endDate_(MakeDateEdit()),
      endTime_(MakeTimeEdit()) {
    setWindowTitle(QTxt(txt::dlg_evaluationPeriod_title));
    auto* measured = new QGroupBox(QStr(237));
    auto* measuredLayout = new QFormLayout(measured);
    measuredLayout->addRow(QTxt(txt::dlg_evaluationPeriod_start),
                           new QLabel(RegionalText(question.measurementStart)));
    measuredLayout->addRow(QTxt(txt::dlg_evaluationPeriod_end),
                           new QLabel(RegionalText(question.measurementEnd)));

    auto* evaluated = new QGroupBox(QTxt(txt::dlg_evaluationPeriod_title));
    auto* evaluatedLayout = new QFormLayout(evaluated);
    evaluatedLayout->addRow(QTxt(txt::dlg_evaluationPeriod_start),
                            DateTimeRow(startDate_, startTime_));
    evaluatedLayout->addRow(QTxt(txt::dlg_evaluationPeriod_end), DateTimeRow(endDate_, endTime_));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(measured);
    layout->addWidget(evaluated);
    layout->addWidget(buttons);
    SetPeriod({question.start, question.end});
}

EvaluationPeriod EvaluationPeriodDialog::Period() const {
    return {FromQDateTime(QDateTime(startDate_->date(), startTime_->time())),
            FromQDateTime(QDateTime(endDate_->date(), endTime_->time()))};
}

void EvaluationPeriodDialog::SetPeriod(const EvaluationPeriod& period) {
    const QDateTime start = ToQDateTime(period.start);
    const QDateTime end = ToQDateTime(period.end);
    startDate_->setDate(start.date());
    startTime_->setTime(start.time());
    endDate_->setDate(end.date());
    endTime_->setTime(end.time());
}

void EvaluationPeriodDialog::accept() {
    if (Period().IsValid()) {
        QDialog::accept();
        return;
    }
    SetPeriod(EvaluationPeriod::Everything());
}

}  // namespace varelo
