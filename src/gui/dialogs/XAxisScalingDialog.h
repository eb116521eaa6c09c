#pragma once

#include <QDialog>

#include "timeplot/XAxisScaling.h"

class QDateEdit;
class QListWidget;
class QPushButton;
class QTimeEdit;

namespace varelo {

// Dialog 157 "Timeplot - Scaling X-axis": the period shown and the window start.
class XAxisScalingDialog : public QDialog {
    Q_OBJECT

public:
    explicit XAxisScalingDialog(const TimeAxis& axis, QWidget* parent = nullptr);

    // The chosen period and window start; OK sets the start, then the period without align.
    const XAxisScaling& Scaling() const { return scaling_; }
    int Period() const { return scaling_.Period(); }
    const CTimeStamp& Start() const { return scaling_.Start(); }

    QListWidget* PeriodList() const { return periods_; }
    QDateEdit* DateEdit() const { return date_; }
    QTimeEdit* TimeEdit() const { return time_; }
    QPushButton* OkButton() const { return ok_; }

private:
    void Refresh();
    void TakePicked();

    XAxisScaling scaling_;
    QListWidget* periods_;
    QDateEdit* date_;
    QTimeEdit* time_;
    QPushButton* ok_ = nullptr;
};

}  // namespace varelo
