#include "gui/logger/LoggerClockDialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "gui/app/QtText.h"
#include "logger/LoggerOperations.h"
#include "platform/Clock.h"

namespace varelo {

namespace {

constexpr int kFollowIntervalMs = 1000;

QDateTime ToQt(const CTimeStamp& t) {
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
}

}  // namespace

LoggerClockDialog::LoggerClockDialog(const CTimeStamp& loggerTime, Clock& clock, QWidget* parent)
    : QDialog(parent),
      clock_(clock),
      pcClock_(new QCheckBox(QTxt(txt::dlg_loggerClock_useTheActualPc))),
      date_(new QDateEdit),
      time_(new QTimeEdit) {
    setWindowTitle(QTxt(txt::dlg_loggerClock_title));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    date_->setDateRange(ToQt(EarliestLoggerClock()).date(), ToQt(LatestLoggerClock()).date());
    // A Logger clock outside the range shows as the nearest day the Logger can be set to.
    Show(loggerTime.IsValidDateTime() ? loggerTime : EarliestLoggerClock(), false);

    auto* group = new QGroupBox(QStr(217));
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(date_);
    pickers->addWidget(time_);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(pcClock_);
    inner->addLayout(pickers);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    timer_.setInterval(kFollowIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &LoggerClockDialog::FollowPcClock);
    connect(pcClock_, &QCheckBox::toggled, this, &LoggerClockDialog::SetUsePcClock);
}

bool LoggerClockDialog::UsePcClock() const {
    return pcClock_->isChecked();
}

CTimeStamp LoggerClockDialog::Picked() const {
    const QDate d = date_->date();
    const QTime t = time_->time();
    return CTimeStamp(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

void LoggerClockDialog::done(int result) {
    timer_.stop();
    QDialog::done(result);
}

void LoggerClockDialog::SetUsePcClock(bool on) {
    date_->setEnabled(!on);
    time_->setEnabled(!on);
    if (!on) {
        timer_.stop();
        return;
    }
    Show(CTimeStamp::FromCalendarTime(clock_.Now()), false);
    timer_.start();
}

void LoggerClockDialog::FollowPcClock() {
    Show(CTimeStamp::FromCalendarTime(clock_.Now()), true);
}

void LoggerClockDialog::Show(const CTimeStamp& time, bool dateOnlyWhenChanged) {
    const QDateTime shown = ToQt(time);
    // Rewriting an unchanged date would close an open calendar.
    if (!dateOnlyWhenChanged || date_->date() != shown.date()) date_->setDate(shown.date());
    time_->setTime(shown.time());
}

}  // namespace varelo
