#pragma once

#include <QDialog>

namespace varelo {

struct LoggerInfoTexts;

// "Logger - Details": basic unit, calibration and the versions of the Logger's software.
class LoggerDetailsDialog : public QDialog {
    Q_OBJECT

public:
    explicit LoggerDetailsDialog(const LoggerInfoTexts& texts, QWidget* parent = nullptr);
};

}  // namespace varelo
