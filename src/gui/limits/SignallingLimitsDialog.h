#pragma once

#include <QDialog>

#include "evaluation/LimitEditor/SignallingLimitsModel.h"

class QLineEdit;
class QPushButton;

namespace varelo {

class LimitListPair;
class UserInterface;

// "Limit value level file  - Mains signaling voltages": the selected frequencies are the limits.
class SignallingLimitsDialog : public QDialog {
    Q_OBJECT

public:
    SignallingLimitsDialog(CSignallingLimitsModel& model, UserInterface& ui,
                           QWidget* parent = nullptr);

    LimitListPair* Lists() const { return lists_; }
    QLineEdit* FrequencyField() const { return frequency_; }
    QLineEdit* ValueField() const { return value_; }
    QPushButton* SetButton() const { return set_; }

private:
    void Set();

    CSignallingLimitsModel& model_;
    UserInterface& ui_;
    LimitListPair* lists_;
    QLineEdit* frequency_;
    QLineEdit* value_;
    QPushButton* set_;
};

}  // namespace varelo
