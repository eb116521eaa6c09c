#pragma once

#include <QDialog>

#include "logger/LoggerInfoTexts.h"

class QGridLayout;
class QPushButton;

namespace varelo {

// "Logger - Information": what the Logger says of itself and of its two jobs; "&Details" adds
// its software and hardware.
class LoggerInformationDialog : public QDialog {
    Q_OBJECT

public:
    explicit LoggerInformationDialog(const CLoggerInfo& info, QWidget* parent = nullptr);

    const LoggerInfoTexts& Texts() const { return texts_; }
    QPushButton* DetailsButton() const { return details_; }
    void ShowDetails();

private:
    QGridLayout* JobGrid() const;

    LoggerInfoTexts texts_;
    QPushButton* details_;
};

}  // namespace varelo
