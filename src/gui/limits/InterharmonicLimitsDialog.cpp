#include "gui/limits/InterharmonicLimitsDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/app/QtText.h"
#include "gui/limits/LimitListSupport.h"

namespace varelo {

InterharmonicLimitsDialog::InterharmonicLimitsDialog(CInterharmonicLimitsModel& model,
                                                     UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      list_(new QListWidget),
      frequency_(new QLineEdit),
      value_(new QLineEdit("0.0")),
      set_(new QPushButton(QTxt(txt::dlg_interharmonicLimits_set))),
      delete_(new QPushButton(QTxt(txt::dlg_interharmonicLimits_delete))) {
    setWindowTitle(QTxt(txt::dlg_interharmonicLimits_title));
    setObjectName("InterharmonicLimitsDialog");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QTxt(txt::dlg_interharmonicLimits_max10Values)), 0, 0, 1, 2);
    grid->addWidget(list_, 1, 0, 4, 1);
    grid->addWidget(new QLabel(QTxt(txt::dlg_interharmonicLimits_frequency)), 1, 1);
    grid->addWidget(frequency_, 1, 2);
    grid->addWidget(new QLabel(QStr(824)), 1, 3);
    grid->addWidget(new QLabel(QTxt(txt::dlg_interharmonicLimits_limitValue)), 2, 1);
    grid->addWidget(value_, 2, 2);
    grid->addWidget(new QLabel("%"), 2, 3);
    grid->addWidget(set_, 3, 2);
    grid->addWidget(delete_, 4, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    grid->addWidget(buttons, 5, 0, 1, 4);
    list_->setMinimumHeight(180);
    list_->installEventFilter(this);
    Refill(-1);

    connect(buttons, &QDialogButtonBox::accepted, this, &InterharmonicLimitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &InterharmonicLimitsDialog::reject);
    connect(set_, &QPushButton::clicked, this, &InterharmonicLimitsDialog::Set);
    connect(delete_, &QPushButton::clicked, this, &InterharmonicLimitsDialog::Delete);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);
        Delete();
    });
    connect(list_, &QListWidget::currentRowChanged, this, &InterharmonicLimitsDialog::Select);
}

void InterharmonicLimitsDialog::Refill(int row) {
    std::vector<std::string> texts;
    for (const LimitItem& item : model_.Items())
        texts.push_back(model_.ItemText(item));
    const QSignalBlocker block(list_);
    FillLimitList(*list_, texts, row);
    delete_->setEnabled(row >= 0);
}

void InterharmonicLimitsDialog::Select(int row) {
    delete_->setEnabled(row >= 0);
    if (row < 0 || row >= int(model_.Items().size())) return;
    frequency_->setText(QString::number(model_.Items()[size_t(row)].key));
    value_->setText(Q(FormatFixed2(model_.Items()[size_t(row)].value)));
}

bool InterharmonicLimitsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the list for anything but "Delete" drops the choice, so "Delete" cannot hit an
    // item the person no longer looks at.
    if (watched == list_ && event->type() == QEvent::FocusOut &&
        QApplication::focusWidget() != delete_) {
        const QSignalBlocker block(list_);
        list_->setCurrentRow(-1);
        list_->clearSelection();
        delete_->setEnabled(false);
    }
    return QDialog::eventFilter(watched, event);
}

void InterharmonicLimitsDialog::Set() {
    std::string frequency = S(frequency_->text());
    const LimitCheck check = model_.Set(frequency, S(value_->text()));
    frequency_->setText(Q(frequency));
    if (!check.Ok()) {
        ShowLimitCheck(ui_, check, {frequency_, value_});
        return;
    }
    Refill(-1);
    frequency_->setFocus();
}

void InterharmonicLimitsDialog::Delete() {
    const int next = model_.Delete(list_->currentRow());
    Refill(next);
    if (next >= 0) {
        Select(next);
        return;
    }
    frequency_->clear();
    value_->clear();
    frequency_->setFocus();
}

}  // namespace varelo
