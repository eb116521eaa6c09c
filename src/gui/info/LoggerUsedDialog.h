#pragma once

#include <QDialog>
#include <vector>

#include "document/MeasurementInformation.h"

namespace varelo {

// Dialog 127 "Information about the Logger used for the measurement": the stored Logger
// information with its details in one dialog.
class LoggerUsedDialog : public QDialog {
    Q_OBJECT

public:
    LoggerUsedDialog(std::vector<InformationRow> rows, QWidget* parent = nullptr);

    const std::vector<InformationRow>& Rows() const { return rows_; }

private:
    std::vector<InformationRow> rows_;
};

}  // namespace varelo
