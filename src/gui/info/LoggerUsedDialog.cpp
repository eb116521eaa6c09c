#include "gui/info/LoggerUsedDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/app/QtText.h"

namespace varelo {

LoggerUsedDialog::LoggerUsedDialog(std::vector<InformationRow> rows, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)) {
    setWindowTitle(QTxt(txt::dlg_loggerUsed_title));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    for (const InformationRow& row : rows_) {
        // The rows after "Details" are the Logger's details, in a group of their own.
        if (row.key == "details") {
            auto* details = new QGroupBox(Q(row.label));
            form = new QFormLayout(details);
            layout->addWidget(details);
            continue;
        }
        auto* value = new QLabel(Q(row.value));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(Q(row.label), value);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace varelo
