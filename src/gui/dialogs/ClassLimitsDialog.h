#pragma once

#include <QDialog>

class QSpinBox;

namespace varelo {

class UserInterface;

// "Cumulative frequency- Class limits": the upper and the lower class limit in % of the values.
class ClassLimitsDialog : public QDialog {
    Q_OBJECT

public:
    ClassLimitsDialog(int upper, int lower, UserInterface& ui, QWidget* parent = nullptr);

    int Upper() const;
    int Lower() const;
    QSpinBox* UpperBox() const { return upper_; }
    QSpinBox* LowerBox() const { return lower_; }

    // Refuses an upper limit that is not above the lower one, with the focus on it.
    void accept() override;

private:
    UserInterface& ui_;
    QSpinBox* upper_;
    QSpinBox* lower_;
};

}  // namespace varelo
