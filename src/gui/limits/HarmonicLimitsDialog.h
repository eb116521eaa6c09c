#pragma once

#include <QDialog>

#include "evaluation/LimitEditor/HarmonicLimitsModel.h"

class QLineEdit;
class QPushButton;

namespace varelo {

class LimitListPair;
class UserInterface;

// "Limit value level file - Voltage Harmonics" (1004) or "- Current Harmonics" (1003), the
// latter with the VSE/VEOE/VDN calculation.
class HarmonicLimitsDialog : public QDialog {
    Q_OBJECT

public:
    HarmonicLimitsDialog(CHarmonicLimitsModel& model, UserInterface& ui, QWidget* parent = nullptr);

    void accept() override;

    LimitListPair* Lists() const { return lists_; }
    QLineEdit* OrderField() const { return order_; }
    QLineEdit* ValueField() const { return value_; }
    QLineEdit* ThdField() const { return thd_; }
    QPushButton* SetButton() const { return set_; }
    QPushButton* VseButton() const { return vse_; }

private:
    void Set();
    void Vse();

    CHarmonicLimitsModel& model_;
    UserInterface& ui_;
    LimitListPair* lists_;
    QLineEdit* order_;
    QLineEdit* value_;
    QLineEdit* thd_;
    QPushButton* set_;
    QPushButton* vse_;
};

}  // namespace varelo
