#include "gui/limits/VseDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/app/QtText.h"
#include "gui/limits/LimitListSupport.h"

namespace varelo {

VseDialog::VseDialog(CVseModel& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      list_(new QListWidget),
      set_(new QPushButton(QTxt(txt::dlg_vse_set))),
      standard_(new QPushButton(QTxt(txt::dlg_vse_standard))) {
    setWindowTitle(QTxt(txt::dlg_vse_title));
    setObjectName("VseDialog");
    for (QLineEdit*& field : fields_)
        field = new QLineEdit;
    auto* inputs = new QFormLayout;
    const char* units[] = {"A", "kVA", "kVA"};
    for (int i = 0; i < 3; ++i) {
        fields_[i]->setText(Q(model_.FieldText(CVseModel::Field(i))));
        auto* row = new QHBoxLayout;
        row->addWidget(fields_[i]);
        row->addWidget(new QLabel(units[i]));
        inputs->addRow(new QLabel(tr(CVseModel::kLabels[i])), row);
    }
    auto* grid = new QGridLayout(this);
    grid->addLayout(inputs, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QTxt(txt::dlg_vse_parameterPn)), 1, 0);
    grid->addWidget(list_, 2, 0, 4, 1);
    grid->addWidget(new QLabel(QTxt(txt::dlg_vse_order)), 2, 1);
    grid->addWidget(fields_[CVseModel::kOrder], 2, 2);
    grid->addWidget(new QLabel(QTxt(txt::dlg_vse_pn)), 3, 1);
    grid->addWidget(fields_[CVseModel::kValue], 3, 2);
    grid->addWidget(set_, 4, 2);
    grid->addWidget(standard_, 5, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    grid->addWidget(buttons, 6, 0, 1, 3);
    FillLimitList(*list_, model_.Parameters(), 2, -1);

    connect(buttons, &QDialogButtonBox::accepted, this, &VseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VseDialog::reject);
    connect(set_, &QPushButton::clicked, this, &VseDialog::Set);
    connect(standard_, &QPushButton::clicked, this, [this] {
        model_.Standard();
        FillLimitList(*list_, model_.Parameters(), 2, -1);
    });
    connect(list_, &QListWidget::currentRowChanged, this, &VseDialog::Select);
}

void VseDialog::Select(int row) {
    if (row < 0 || row >= int(model_.Parameters().size())) return;
    const LimitItem& item = model_.Parameters()[size_t(row)];
    fields_[CVseModel::kOrder]->setText(QString::number(item.key));
    fields_[CVseModel::kValue]->setText(Q(FormatFixed2(item.value)));
}

void VseDialog::Set() {
    int row = -1;
    const LimitCheck check = model_.Set(S(fields_[CVseModel::kOrder]->text()),
                                        S(fields_[CVseModel::kValue]->text()), row);
    if (!check.Ok()) {
        ShowLimitCheck(ui_, check, {fields_, fields_ + 5});
        return;
    }
    FillLimitList(*list_, model_.Parameters(), 2, row);
}

void VseDialog::accept() {
    const LimitCheck check =
        model_.Accept(S(fields_[0]->text()), S(fields_[1]->text()), S(fields_[2]->text()));
    if (!check.Ok()) {
        ShowLimitCheck(ui_, check, {fields_, fields_ + 5});
        return;
    }
    QDialog::accept();
}

}  // namespace varelo
