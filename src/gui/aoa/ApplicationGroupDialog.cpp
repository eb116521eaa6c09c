#include "gui/aoa/ApplicationGroupDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "gui/app/QtText.h"
#include "timeplot/AoaDefinition/AoaChannelRules.h"

namespace varelo {

ApplicationGroupDialog::ApplicationGroupDialog(const QString& name, UserInterface& ui,
                                               QWidget* parent)
    : QDialog(parent), ui_(ui), name_(new QLineEdit(name)) {
    setObjectName("ApplicationGroupDialog");
    setWindowTitle(QTxt(txt::dlg_applicationGroup_title));
    auto* form = new QFormLayout;
    form->addRow(QTxt(txt::dlg_applicationGroup_name), name_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    name_->setMinimumWidth(260);
}

void ApplicationGroupDialog::accept() {
    if (const int message = CheckAoaName(S(name_->text()), taken_); message != 0) {
        ui_.ShowMessage(message, Str(message), MessageIcon::Warning);
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace varelo
