#pragma once

#include <QDialog>

#include "evaluation/LimitEditor/VseModel.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace varelo {

class UserInterface;

// "Limits for current harmonics - VSE/VEOE/VDN": the inputs and parameters Pn of the
// calculation; OK checks the inputs in order.
class VseDialog : public QDialog {
    Q_OBJECT

public:
    VseDialog(CVseModel& model, UserInterface& ui, QWidget* parent = nullptr);

    void accept() override;

    QLineEdit* Field(CVseModel::Field field) const { return fields_[field]; }
    QListWidget* List() const { return list_; }
    QPushButton* SetButton() const { return set_; }
    QPushButton* StandardButton() const { return standard_; }

private:
    void Set();
    void Select(int row);

    CVseModel& model_;
    UserInterface& ui_;
    QLineEdit* fields_[5];
    QListWidget* list_;
    QPushButton* set_;
    QPushButton* standard_;
};

}  // namespace varelo
