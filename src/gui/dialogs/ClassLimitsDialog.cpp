#include "gui/dialogs/ClassLimitsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "evaluation/CumulativeFrequency.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {
constexpr int kUpperNotAboveLower = 788;
}  // namespace

ClassLimitsDialog::ClassLimitsDialog(int upper, int lower, UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), upper_(new QSpinBox), lower_(new QSpinBox) {
    setWindowTitle(QTxt(txt::dlg_classLimits_title));
    upper_->setRange(1, 100);
    lower_->setRange(0, 99);
    upper_->setValue(upper);
    lower_->setValue(lower);
    auto* form = new QFormLayout;
    form->addRow(QTxt(txt::dlg_classLimits_upperClassLimit), upper_);
    form->addRow(QTxt(txt::dlg_classLimits_lowerClassLimit), lower_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* standard =
        buttons->addButton(QTxt(txt::dlg_classLimits_standard), QDialogButtonBox::ResetRole);
    connect(standard, &QPushButton::clicked, this, [this] {
        const CumulativeSettings defaults;
        upper_->setValue(defaults.upperClassLimit);
        lower_->setValue(defaults.lowerClassLimit);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int ClassLimitsDialog::Upper() const {
    return upper_->value();
}
int ClassLimitsDialog::Lower() const {
    return lower_->value();
}

void ClassLimitsDialog::accept() {
    // Equal limits would pass a "not below" check but leave no class between them.
    if (Upper() <= Lower()) {
        ui_.ShowMessage(kUpperNotAboveLower, Str(kUpperNotAboveLower), MessageIcon::Warning);
        upper_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace varelo
