#pragma once

#include <QDialog>

#include "app/UserInterface.h"
#include "measurement/EvaluationPeriod.h"

class QDateEdit;
class QTimeEdit;

namespace varelo {

// Dialog 116 "Evaluation period": the measurement period and the period to evaluate.
class EvaluationPeriodDialog : public QDialog {
    Q_OBJECT

public:
    EvaluationPeriodDialog(const PeriodQuestion& question, QWidget* parent = nullptr);

    EvaluationPeriod Period() const;
    void SetPeriod(const EvaluationPeriod& period);

    // OK takes a valid period; an invalid one puts everything into the fields and stays open.
    void accept() override;

private:
    QDateEdit* startDate_;
    QTimeEdit* startTime_;
    QDateEdit* endDate_;
    QTimeEdit* endTime_;
};

}  // namespace varelo
