#include "gui/aoa/ChannelInfoDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/AppOptions.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "gui/app/QtText.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/AoaDefinition/AOAApplication.h"

namespace varelo {

namespace {

constexpr int kAny = 1102;
constexpr int kPhase = 243;
constexpr int kOrderUnit = 333;  // "V h"
constexpr int kFreqMeasurements[] = {192, 1174};
constexpr int kPrinciples[] = {1111, 1112, 1107, 1109};
constexpr int kScalingTypes[] = {1188, 1187, 1189, 1190, 1191, 1192};  // types 1..6
constexpr int kValueType = 6;

QComboBox* Choices(std::initializer_list<int> ids) {
    auto* box = new QComboBox;
    for (int id : ids)
        box->addItem(QStr(id));
    return box;
}

QComboBox* ScalingChoice(uint8_t type) {
    auto* box = new QComboBox;
    for (size_t i = 0; i < std::size(kScalingTypes); ++i)
        box->addItem(QStr(kScalingTypes[i]), int(i + 1));
    box->setCurrentIndex(std::max(0, box->findData(int(type))));
    return box;
}

}  // namespace

ChannelInfoDialog::ChannelInfoDialog(CAOAChannelInfo& channel, uint32_t measFunc, uint8_t phaseMode,
                                     bool readOnly, UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      channel_(channel),
      phaseMode_(phaseMode),
      readOnly_(readOnly),
      ui_(ui),
      name_(new QLabel),
      quantities_(new QListWidget),
      freqMeasurement_(Choices({kFreqMeasurements[0], kFreqMeasurements[1]})),
      frequency_(new QLineEdit),
      frequencyUnit_(new QLabel),
      principle_(Choices({kPrinciples[0], kPrinciples[1], kPrinciples[2], kPrinciples[3]})),
      phaseLabel_(new QLabel(QStr(243))),
      phase_(new QComboBox),
      beginType_(ScalingChoice(channel.BeginType)),
      beginValue_(new QLineEdit),
      beginUnit_(new QLabel),
      endType_(ScalingChoice(channel.EndType)),
      endValue_(new QLineEdit),
      endUnit_(new QLabel),
      rounding_(new QCheckBox(QTxt(txt::dlg_channelInfo_rounding))) {
    setObjectName("ChannelInfoDialog");
    setWindowTitle(QTxt(txt::dlg_channelInfo_title));
    const AoaChannelFields fields = AoaChannelFieldsOf(channel);
    for (int quantity : AoaQuantityChoices(measFunc)) {
        const QString name = Q(AoaChannelName(
            quantity == channel.Quantity ? channel : CAOAChannelInfo{.Quantity = quantity}));
        auto* item = new QListWidgetItem(name, quantities_);
        item->setData(Qt::UserRole, quantity);
        if (quantity == channel.Quantity) quantities_->setCurrentItem(item);
    }
    freqMeasurement_->setCurrentIndex(channel.FreqMeasurement == 1 ? 1 : 0);
    frequency_->setText(Q(fields.freqOrOrder));
    principle_->setCurrentIndex(channel.MeasPrinciple <= 3 ? channel.MeasPrinciple : 0);
    const std::vector<int> phases = AoaPhaseChoices(phaseMode);
    for (int phase : phases) {
        phase_->addItem(
            phase == 0 ? QStr(kAny)
                       : QStr(kPhase) + " " +
                             Q(PhaseLabel(1, phase - 1, AppOptions::Instance().PhaseLabeling())),
            phase);
    }
    phase_->setCurrentIndex(std::max(0, phase_->findData(int(channel.Phase))));
    phase_->setEnabled(phaseMode == CAOAApplication::kMixed);
    beginValue_->setText(Q(fields.beginValue));
    endValue_->setText(Q(fields.endValue));
    rounding_->setChecked(channel.Rounding != 0);

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field, QWidget* unit = nullptr) {
        auto* text = new QLabel(label);
        grid->addWidget(text, row, 0);
        grid->addWidget(field, row, 1);
        if (unit) grid->addWidget(unit, row, 2);
        ++row;
        return text;
    };
    interharmonicRows_ << addRow(QTxt(txt::dlg_channelInfo_frequencyMeasurement), freqMeasurement_)
                       << freqMeasurement_;
    interharmonicRows_ << addRow(QTxt(txt::dlg_channelInfo_frequency), frequency_, frequencyUnit_)
                       << frequency_ << frequencyUnit_;
    interharmonicRows_ << addRow(QTxt(txt::dlg_channelInfo_measurementPrinciple), principle_)
                       << principle_;
    grid->addWidget(phaseLabel_, row, 0);
    grid->addWidget(phase_, row++, 1);
    addRow(QTxt(txt::dlg_channelInfo_scalingAtTheAxisBeginning), beginType_);
    addRow(QTxt(txt::dlg_channelInfo_valueAtTheAxisBeginning), beginValue_, beginUnit_);
    addRow(QTxt(txt::dlg_channelInfo_scalingAtTheAxisEnd), endType_);
    addRow(QTxt(txt::dlg_channelInfo_valueAtTheAxisEnd), endValue_, endUnit_);
    grid->addWidget(rounding_, row, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QTxt(txt::dlg_channelInfo_selectedChannel)));
    layout->addWidget(name_);
    layout->addWidget(quantities_);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(quantities_, &QListWidget::currentRowChanged, this, &ChannelInfoDialog::QuantityChosen);
    connect(freqMeasurement_, &QComboBox::currentIndexChanged, this,
            &ChannelInfoDialog::UpdateUnits);
    connect(beginType_, &QComboBox::currentIndexChanged, this, &ChannelInfoDialog::UpdateUnits);
    connect(endType_, &QComboBox::currentIndexChanged, this, &ChannelInfoDialog::UpdateUnits);
    if (readOnly) {
        for (QWidget* input : std::initializer_list<QWidget*>{
                 quantities_, freqMeasurement_, frequency_, principle_, phase_, beginType_,
                 beginValue_, endType_, endValue_, rounding_})
            input->setEnabled(false);
    }
    QuantityChosen();
    quantities_->scrollToItem(quantities_->currentItem());
}

void ChannelInfoDialog::QuantityChosen() {
    const QListWidgetItem* item = quantities_->currentItem();
    const int quantity = item ? item->data(Qt::UserRole).toInt() : -1;
    name_->setText(item ? item->text() : QString());
    for (QWidget* widget : interharmonicRows_)
        widget->setVisible(quantity == kAoaInterharmonicByParameters);
    const bool once = IsOncePerMeasurement(quantity);
    phaseLabel_->setHidden(once);
    phase_->setHidden(once);
    UpdateUnits();
}

void ChannelInfoDialog::UpdateUnits() {
    frequencyUnit_->setText(freqMeasurement_->currentIndex() == 1 ? QStr(kOrderUnit)
                                                                  : QStringLiteral("Hz"));
    beginUnit_->setText(beginType_->currentData().toInt() == kValueType ? QString() : "%");
    endUnit_->setText(endType_->currentData().toInt() == kValueType ? QString() : "%");
}

AoaChannelFields ChannelInfoDialog::Fields() const {
    AoaChannelFields fields;
    const QListWidgetItem* item = quantities_->currentItem();
    fields.quantity = item ? item->data(Qt::UserRole).toInt() : -1;
    fields.phase = phase_->currentData().toInt();
    fields.freqMeasurement = uint8_t(freqMeasurement_->currentIndex());
    fields.freqOrOrder = S(frequency_->text());
    fields.measPrinciple = uint8_t(principle_->currentIndex());
    fields.beginType = uint8_t(beginType_->currentData().toInt());
    fields.beginValue = S(beginValue_->text());
    fields.endType = uint8_t(endType_->currentData().toInt());
    fields.endValue = S(endValue_->text());
    fields.rounding = rounding_->isChecked();
    return fields;
}

void ChannelInfoDialog::accept() {
    if (readOnly_) {
        QDialog::accept();
        return;
    }
    const AoaChannelCheck check = CheckAoaChannel(Fields(), phaseMode_, channel_);
    if (!check.Ok()) {
        ui_.ShowMessage(check.message, check.text, MessageIcon::Warning);
        QWidget* field = nullptr;
        switch (check.field) {
            case AoaChannelField::Quantity: field = quantities_; break;
            case AoaChannelField::FreqOrOrder: field = frequency_; break;
            case AoaChannelField::BeginValue: field = beginValue_; break;
            case AoaChannelField::EndValue: field = endValue_; break;
            case AoaChannelField::None: break;
        }
        if (field) field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace varelo
