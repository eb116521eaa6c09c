#pragma once

#include <QDialog>

#include "measurement/TimeStamp.h"

class QDateEdit;
class QListWidget;
class QTimeEdit;

namespace varelo {

// "Measurement list - Print period and start point": the twelve print periods, a start date and
// time, and the measurement period for orientation.
class ValueListPrintDialog : public QDialog {
    Q_OBJECT

public:
    ValueListPrintDialog(int period, const CTimeStamp& start, const CTimeStamp& measurementStart,
                         const CTimeStamp& measurementEnd, QWidget* parent = nullptr);

    int Period() const;
    CTimeStamp Start() const;

    QListWidget* Periods() const { return periods_; }
    QDateEdit* DateEdit() const { return date_; }
    QTimeEdit* TimeEdit() const { return time_; }

private:
    QListWidget* periods_;
    QDateEdit* date_;
    QTimeEdit* time_;
};

}  // namespace varelo
