#include "gui/limits/SignallingLimitsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/app/QtText.h"
#include "gui/limits/LimitListPair.h"
#include "gui/limits/LimitListSupport.h"

namespace varelo {

SignallingLimitsDialog::SignallingLimitsDialog(CSignallingLimitsModel& model, UserInterface& ui,
                                               QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      lists_(new LimitListPair(model.Lists(), 4,
                               QTxt(txt::dlg_signallingLimits_mainsSignalingVoltages),
                               QTxt(txt::dlg_signallingLimits_selectedFrequencies))),
      frequency_(new QLineEdit),
      value_(new QLineEdit("0.0")),
      set_(new QPushButton(QTxt(txt::dlg_signallingLimits_set))) {
    setWindowTitle(QTxt(txt::dlg_signallingLimits_title));
    setObjectName("SignallingLimitsDialog");
    auto* grid = new QGridLayout(this);
    grid->addWidget(lists_, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QTxt(txt::dlg_signallingLimits_frequency)), 1, 0);
    grid->addWidget(frequency_, 1, 1);
    grid->addWidget(new QLabel(QStr(824)), 1, 2);
    grid->addWidget(new QLabel(QTxt(txt::dlg_signallingLimits_limitValue)), 2, 0);
    grid->addWidget(value_, 2, 1);
    grid->addWidget(new QLabel("%"), 2, 2);
    grid->addWidget(set_, 2, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    grid->addWidget(buttons, 3, 0, 1, 4);

    connect(buttons, &QDialogButtonBox::accepted, this, &SignallingLimitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SignallingLimitsDialog::reject);
    connect(set_, &QPushButton::clicked, this, &SignallingLimitsDialog::Set);
    connect(lists_, &LimitListPair::ItemChosen, this, [this](int key, float value) {
        frequency_->setText(QString::number(key));
        value_->setText(Q(FormatFixed2(value)));
    });
}

void SignallingLimitsDialog::Set() {
    std::string frequency = S(frequency_->text());
    const LimitCheck check = model_.Set(frequency, S(value_->text()));
    frequency_->setText(Q(frequency));
    if (!check.Ok()) {
        ShowLimitCheck(ui_, check, {frequency_, value_});
        return;
    }
    lists_->Refresh();
}

}  // namespace varelo
