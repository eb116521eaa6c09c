#pragma once

#include <QDialog>

#include "measurement/TimeStamp.h"

class QDateEdit;
class QTimeEdit;

namespace varelo {

// Dialog 119 "Export period": the measurement period for reference and the export period
// to change; dates between 1970-01-02 and 2038-01-18.
class ExportPeriodDialog : public QDialog {
    Q_OBJECT

public:
    ExportPeriodDialog(const CTimeStamp& measurementStart, const CTimeStamp& measurementEnd,
                       const CTimeStamp& start, const CTimeStamp& end, QWidget* parent = nullptr);

    CTimeStamp Start() const;
    CTimeStamp End() const;

    QDateEdit* StartDate() const { return startDate_; }
    QTimeEdit* StartTime() const { return startTime_; }
    QDateEdit* EndDate() const { return endDate_; }
    QTimeEdit* EndTime() const { return endTime_; }

private:
    QDateEdit* startDate_;
    QTimeEdit* startTime_;
    QDateEdit* endDate_;
    QTimeEdit* endTime_;
};

}  // namespace varelo
