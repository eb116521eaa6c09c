#include "gui/export/VseParameterDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/app/QtText.h"

namespace varelo {

namespace {

template <size_t N>
QComboBox* TextList(const std::array<int, N>& ids, int current) {
    auto* box = new QComboBox;
    for (int id : ids)
        box->addItem(QStr(id));
    box->setCurrentIndex(current);
    return box;
}

}  // namespace

VseParameterDialog::VseParameterDialog(const VseSettings& settings, QWidget* parent)
    : QDialog(parent),
      ewNumber_(new QLineEdit(QString::number(settings.ewNumber))),
      location_(TextList(kVseLocationTexts, settings.location)),
      transformer_(TextList(kVseTransformerTexts, settings.transformer)),
      protocol_(new QCheckBox(QTxt(txt::dlg_vseParameter_printProtocolAfterThe))),
      save_(new QCheckBox(QTxt(txt::dlg_vseParameter_saveThisSelection))) {
    setWindowTitle(QTxt(txt::dlg_vseParameter_title));
    // The file holds four digits; a wider number would be read back as 0.
    ewNumber_->setValidator(new QIntValidator(0, int(VseSettings::kMaxEwNumber), ewNumber_));
    ewNumber_->setMaxLength(4);
    protocol_->setChecked(settings.protocol);
    save_->setChecked(settings.save);

    auto* form = new QFormLayout;
    form->addRow(QTxt(txt::dlg_vseParameter_ewNumber), ewNumber_);
    form->addRow(QTxt(txt::dlg_vseParameter_measPoint), location_);
    form->addRow(QTxt(txt::dlg_vseParameter_ratedPowerOfTransformer), transformer_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(protocol_);
    layout->addWidget(save_);
    layout->addWidget(buttons);
}

VseSettings VseParameterDialog::Settings() const {
    VseSettings settings;
    settings.ewNumber = ewNumber_->text().toUInt();
    settings.location = location_->currentIndex();
    settings.transformer = transformer_->currentIndex();
    settings.protocol = protocol_->isChecked();
    settings.save = save_->isChecked();
    return settings;
}

}  // namespace varelo
