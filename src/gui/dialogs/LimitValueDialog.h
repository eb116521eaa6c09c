#pragma once

#include <QDialog>
#include <memory>

#include "timeplot/LimitValueChoice.h"

class QListWidget;
class QPushButton;

namespace varelo {

class CVamor800Doc;
class DiagramState;

// Dialog 153 "Level-Time Diagram - Limit value": which curve shows a limit line, in which band.
class LimitValueDialog : public QDialog {
    Q_OBJECT

public:
    LimitValueDialog(const DiagramState& diagram, const CVamor800Doc& doc,
                     QWidget* parent = nullptr);
    ~LimitValueDialog() override;

    // The chosen curve (-1: no limit line) and band.
    int Curve() const { return choice_->Curve(); }
    int Band() const { return choice_->Band(); }

    QListWidget* List() const { return list_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* WithoutButton() const { return without_; }

private:
    std::unique_ptr<LimitValueChoice> choice_;
    QListWidget* list_;
    QPushButton* ok_ = nullptr;
    QPushButton* without_;
};

}  // namespace varelo
