#pragma once

#include <QDialog>
#include <cstdint>

#include "timeplot/AoaDefinition/AOAChannelInfo.h"
#include "timeplot/AoaDefinition/AoaChannelRules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace varelo {

class UserInterface;

// "Channel information" (113): one channel of an application. OK checks the fields and takes
// them into the channel; read-only (the source window's "Info...") it only shows.
class ChannelInfoDialog : public QDialog {
    Q_OBJECT

public:
    ChannelInfoDialog(CAOAChannelInfo& channel, uint32_t measFunc, uint8_t phaseMode, bool readOnly,
                      UserInterface& ui, QWidget* parent = nullptr);

    QListWidget* QuantityList() const { return quantities_; }
    QComboBox* PhaseChoice() const { return phase_; }
    QLineEdit* Frequency() const { return frequency_; }
    QComboBox* BeginType() const { return beginType_; }
    QLineEdit* BeginValue() const { return beginValue_; }
    QComboBox* EndType() const { return endType_; }
    QLineEdit* EndValue() const { return endValue_; }
    void accept() override;

private:
    void QuantityChosen();
    void UpdateUnits();
    AoaChannelFields Fields() const;

    CAOAChannelInfo& channel_;
    uint8_t phaseMode_;
    bool readOnly_;
    UserInterface& ui_;
    QLabel* name_;
    QListWidget* quantities_;
    QComboBox* freqMeasurement_;
    QLineEdit* frequency_;
    QLabel* frequencyUnit_;
    QComboBox* principle_;
    QList<QWidget*> interharmonicRows_;
    QLabel* phaseLabel_;
    QComboBox* phase_;
    QComboBox* beginType_;
    QLineEdit* beginValue_;
    QLabel* beginUnit_;
    QComboBox* endType_;
    QLineEdit* endValue_;
    QLabel* endUnit_;
    QCheckBox* rounding_;
};

}  // namespace varelo
