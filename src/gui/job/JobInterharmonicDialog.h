#pragma once

#include <QDialog>

#include "job/JobPageCheck.h"
#include "measurement/MeasurementJob.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace varelo {

class JobEditor;
class UserInterface;

// The voltage interharmonics page (111) of function A: up to five channels, each a frequency
// or an order of the nominal frequency with a measuring principle and a text. Job() holds the
// page's result after OK.
class JobInterharmonicDialog : public QDialog {
    Q_OBJECT

public:
    JobInterharmonicDialog(const JobEditor& editor, UserInterface& ui, QWidget* parent = nullptr);

    const CMeasurementJob& Job() const { return job_; }
    // Nothing to check on OK: the channels were checked as they were added.
    bool TryAccept() { return true; }

    QRadioButton* AbsoluteButton() const { return absolute_; }
    QRadioButton* RelativeButton() const { return relative_; }
    QLineEdit* ValueEdit() const { return value_; }
    QLabel* ValueLabel() const { return valueLabel_; }
    QLabel* UnitLabel() const { return unit_; }
    QComboBox* PrincipleList() const { return principle_; }
    QLineEdit* TextEdit() const { return text_; }
    QListWidget* ChannelList() const { return channels_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DeleteButton() const { return delete_; }

private:
    void SwitchMeasurement(bool relative);
    void ShowMeasurement(bool relative);
    void Add();
    void Delete();
    void RefreshList();

    UserInterface& ui_;
    CMeasurementJob job_;
    int nominalFrequency_;
    bool relativeShown_ = false;
    QRadioButton* absolute_ = nullptr;
    QRadioButton* relative_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QLineEdit* value_ = nullptr;
    QLabel* unit_ = nullptr;
    QComboBox* principle_ = nullptr;
    QLineEdit* text_ = nullptr;
    QListWidget* channels_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace varelo
