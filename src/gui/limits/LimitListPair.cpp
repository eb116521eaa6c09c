#include "gui/limits/LimitListPair.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/limits/LimitListSupport.h"

namespace varelo {

LimitListPair::LimitListPair(CLimitItemLists& lists, int digits, const QString& leftTitle,
                             const QString& rightTitle, QWidget* parent)
    : QWidget(parent),
      lists_(lists),
      digits_(digits),
      left_(new QListWidget),
      right_(new QListWidget),
      moveRight_(new QPushButton(">")),
      moveLeft_(new QPushButton("<")),
      allRight_(new QPushButton(">>")),
      allLeft_(new QPushButton("<<")) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(leftTitle), 0, 0);
    grid->addWidget(new QLabel(rightTitle), 0, 2);
    grid->addWidget(left_, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {moveRight_, moveLeft_, allRight_, allLeft_}) {
        button->setFixedWidth(36);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(right_, 1, 2);
    for (QListWidget* list : {left_, right_})
        list->setMinimumHeight(220);
    Refresh();

    connect(moveRight_, &QPushButton::clicked, this, &LimitListPair::MoveRight);
    connect(moveLeft_, &QPushButton::clicked, this, &LimitListPair::MoveLeft);
    connect(allRight_, &QPushButton::clicked, this, [this] {
        lists_.MoveAllRight();
        Refresh();
    });
    connect(allLeft_, &QPushButton::clicked, this, [this] {
        lists_.MoveAllLeft();
        Refresh();
    });
    connect(left_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        left_->setCurrentItem(item);
        MoveRight();
    });
    connect(right_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        right_->setCurrentItem(item);
        MoveLeft();
    });
    connect(left_, &QListWidget::currentRowChanged, this,
            [this](int row) { Choose(lists_.Left(), row); });
    connect(right_, &QListWidget::currentRowChanged, this,
            [this](int row) { Choose(lists_.Right(), row); });
}

void LimitListPair::Refresh(int selectedRow) {
    const QSignalBlocker blockLeft(left_);
    const QSignalBlocker blockRight(right_);
    FillLimitList(*left_, lists_.Left(), digits_, -1);
    FillLimitList(*right_, lists_.Right(), digits_, selectedRow);
}

void LimitListPair::MoveRight() {
    const int row = lists_.MoveRight(left_->currentRow());
    Refresh();
    left_->setCurrentRow(row);
}

void LimitListPair::MoveLeft() {
    const int row = lists_.MoveLeft(right_->currentRow());
    Refresh();
    right_->setCurrentRow(row);
}

void LimitListPair::Choose(const std::vector<LimitItem>& items, int row) {
    if (row >= 0 && row < int(items.size()))
        emit ItemChosen(items[size_t(row)].key, items[size_t(row)].value);
}

}  // namespace varelo
