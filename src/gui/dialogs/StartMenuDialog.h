#pragma once

#include <QDialog>

class QPushButton;

namespace varelo {

// Dialog 167, the start menu: set up a Logger for function P or A, open a data file, or
// nothing.
class StartMenuDialog : public QDialog {
    Q_OBJECT

public:
    // exec() results beyond Accepted/Rejected.
    enum Choice { kSetUpP = 10, kSetUpA = 11, kOpen = 12 };

    explicit StartMenuDialog(QWidget* parent = nullptr);

    QPushButton* SetUpPButton() const { return setUpP_; }
    QPushButton* SetUpAButton() const { return setUpA_; }

private:
    QPushButton* setUpP_;
    QPushButton* setUpA_;
    QPushButton* open_;
};

}  // namespace varelo
