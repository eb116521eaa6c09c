#pragma once

#include <QWidget>

#include "evaluation/LimitEditor/LimitItemLists.h"

class QListWidget;
class QPushButton;

namespace varelo {

// The unselected and selected lists of a limit sub-dialog with ">", "<", ">>" and "<<";
// a double-click moves the clicked item across.
class LimitListPair : public QWidget {
    Q_OBJECT

public:
    LimitListPair(CLimitItemLists& lists, int digits, const QString& leftTitle,
                  const QString& rightTitle, QWidget* parent = nullptr);

    // Shows the lists again, with row of the selected list chosen (-1: none).
    void Refresh(int selectedRow = -1);

    QListWidget* Left() const { return left_; }
    QListWidget* Right() const { return right_; }
    QPushButton* MoveRightButton() const { return moveRight_; }
    QPushButton* MoveLeftButton() const { return moveLeft_; }
    QPushButton* AllRightButton() const { return allRight_; }
    QPushButton* AllLeftButton() const { return allLeft_; }

signals:
    // An item was chosen in either list.
    void ItemChosen(int key, float value);

private:
    void MoveRight();
    void MoveLeft();
    void Choose(const std::vector<LimitItem>& items, int row);

    CLimitItemLists& lists_;
    int digits_;
    QListWidget* left_;
    QListWidget* right_;
    QPushButton* moveRight_;
    QPushButton* moveLeft_;
    QPushButton* allRight_;
    QPushButton* allLeft_;
};

}  // namespace varelo
