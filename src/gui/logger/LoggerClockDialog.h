#pragma once

#include <QDialog>
#include <QTimer>

#include "measurement/TimeStamp.h"

class QCheckBox;
class QDateEdit;
class QTimeEdit;

namespace varelo {

class Clock;

// "Logger - Set date and time": the Logger's clock in a date and a time picker, or the PC
// clock, which the pickers then follow second by second.
class LoggerClockDialog : public QDialog {
    Q_OBJECT

public:
    LoggerClockDialog(const CTimeStamp& loggerTime, Clock& clock, QWidget* parent = nullptr);

    bool UsePcClock() const;
    // The picked date with the picked time of day.
    CTimeStamp Picked() const;

    QCheckBox* PcClockBox() const { return pcClock_; }
    QDateEdit* DatePicker() const { return date_; }
    QTimeEdit* TimePicker() const { return time_; }
    bool Following() const { return timer_.isActive(); }

    void done(int result) override;

private:
    void SetUsePcClock(bool on);
    void Show(const CTimeStamp& time, bool dateOnlyWhenChanged);
    void FollowPcClock();

    Clock& clock_;
    QCheckBox* pcClock_;
    QDateEdit* date_;
    QTimeEdit* time_;
    QTimer timer_;
};

}  // namespace varelo
