#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "document/MeasurementInformation.h"

namespace varelo {

// Dialog 128 "Information about measurement": the EN50160 conditions and the counts of the
// records and their error conditions.
class MeasurementAssessmentDialog : public QDialog {
    Q_OBJECT

public:
    MeasurementAssessmentDialog(MeasurementAssessment assessment, QWidget* parent = nullptr);

    const MeasurementAssessment& Assessment() const { return assessment_; }
    // The texts shown, in order: every group's caption and value.
    QStringList ShownTexts() const;

private:
    MeasurementAssessment assessment_;
};

}  // namespace varelo
