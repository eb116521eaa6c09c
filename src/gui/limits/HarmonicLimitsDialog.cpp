#include "gui/limits/HarmonicLimitsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/limits/LimitListPair.h"
#include "gui/limits/LimitListSupport.h"
#include "gui/limits/VseDialog.h"

namespace varelo {

HarmonicLimitsDialog::HarmonicLimitsDialog(CHarmonicLimitsModel& model, UserInterface& ui,
                                           QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      lists_(new LimitListPair(model.Lists(), 2, QTxt(txt::dlg_harmonicLimits_unselected),
                               QTxt(txt::dlg_harmonicLimits_selected))),
      order_(new QLineEdit),
      value_(new QLineEdit("0.0")),
      thd_(new QLineEdit(Q(model.ThdText()))),
      set_(new QPushButton(QTxt(txt::dlg_harmonicLimits_set))),
      vse_(new QPushButton(QTxt(txt::dlg_harmonicLimits_vseVeoeVdn))) {
    setWindowTitle(QStr(model.TitleId()));
    setObjectName("HarmonicLimitsDialog");
    const bool current = model.GetMode() == CHarmonicLimitsModel::Mode::Current;
    const QString unit = current ? "A" : "%";
    auto* grid = new QGridLayout(this);
    grid->addWidget(lists_, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QTxt(txt::dlg_harmonicLimits_order)), 1, 0);
    grid->addWidget(order_, 1, 1);
    grid->addWidget(new QLabel(QTxt(txt::dlg_harmonicLimits_limitValue)), 2, 0);
    grid->addWidget(value_, 2, 1);
    grid->addWidget(new QLabel(unit), 2, 2);
    grid->addWidget(set_, 2, 3);
    grid->addWidget(new QLabel(QTxt(txt::dlg_harmonicLimits_thd)), 3, 0);
    grid->addWidget(thd_, 3, 1);
    grid->addWidget(new QLabel("%"), 3, 2);
    grid->addWidget(vse_, 3, 3);
    vse_->setVisible(current);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    grid->addWidget(buttons, 4, 0, 1, 4);

    connect(buttons, &QDialogButtonBox::accepted, this, &HarmonicLimitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &HarmonicLimitsDialog::reject);
    connect(set_, &QPushButton::clicked, this, &HarmonicLimitsDialog::Set);
    connect(vse_, &QPushButton::clicked, this, &HarmonicLimitsDialog::Vse);
    connect(lists_, &LimitListPair::ItemChosen, this, [this](int key, float value) {
        order_->setText(QString::number(key));
        value_->setText(Q(FormatFixed2(value)));
    });
}

void HarmonicLimitsDialog::Set() {
    const LimitCheck check = model_.Set(S(order_->text()), S(value_->text()));
    if (!check.Ok()) {
        ShowLimitCheck(ui_, check, {order_, value_, thd_});
        return;
    }
    lists_->Refresh();
}

void HarmonicLimitsDialog::Vse() {
    CVseModel vse(model_.Vse());
    VseDialog dialog(vse, ui_, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    model_.TakeVse(vse);
    thd_->setText(Q(model_.ThdText()));
    lists_->Refresh();
}

void HarmonicLimitsDialog::accept() {
    const LimitCheck check = model_.Accept(S(thd_->text()));
    if (!check.Ok()) {
        ShowLimitCheck(ui_, check, {order_, value_, thd_});
        return;
    }
    QDialog::accept();
}

}  // namespace varelo
