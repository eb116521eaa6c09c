#pragma once

#include <QDialog>

#include "evaluation/LimitEditor/InterharmonicLimitsModel.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace varelo {

class UserInterface;

// "Limit value level file - Interharmonics": at most ten bins with their limits.
class InterharmonicLimitsDialog : public QDialog {
    Q_OBJECT

public:
    InterharmonicLimitsDialog(CInterharmonicLimitsModel& model, UserInterface& ui,
                              QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }
    QLineEdit* FrequencyField() const { return frequency_; }
    QLineEdit* ValueField() const { return value_; }
    QPushButton* SetButton() const { return set_; }
    QPushButton* DeleteButton() const { return delete_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refill(int row);
    void Set();
    void Delete();
    void Select(int row);

    CInterharmonicLimitsModel& model_;
    UserInterface& ui_;
    QListWidget* list_;
    QLineEdit* frequency_;
    QLineEdit* value_;
    QPushButton* set_;
    QPushButton* delete_;
};

}  // namespace varelo
