#pragma once

#include <QDialog>

#include "app/GeneralSettings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace varelo {

// Dialog 114, the general settings. It shows and edits a form; writing it is the caller's.
class GeneralSettingsDialog : public QDialog {
    Q_OBJECT

public:
    GeneralSettingsDialog(const GeneralSettingsForm& form, bool flickerThdEditable,
                          QWidget* parent = nullptr);

    GeneralSettingsForm Form() const;

    QLineEdit* PrintHeaderEdit() const { return printHeader_; }
    QLineEdit* LimitFileEdit() const { return limitFile_; }
    QComboBox* PortBox() const { return port_; }
    QCheckBox* FlickerBox() const { return showFlicker_; }
    QCheckBox* ThdBox() const { return showThd_; }
    QRadioButton* Thd40Button() const { return thd40_; }

private:
    QWidget* BuildFiles();
    QWidget* BuildCommunication();
    QWidget* BuildHarmonics();
    QWidget* BuildSwitches();
    void SelectFile(QLineEdit* edit, int filter, int title, int extension);
    void SetForm(const GeneralSettingsForm& form);

    QLineEdit* printHeader_;
    QLineEdit* limitFile_;
    QLineEdit* aoaFile_;
    QComboBox* port_;
    QComboBox* baud_;
    QRadioButton* thd40_;
    QRadioButton* thd50_;
    QRadioButton* l123_;
    QRadioButton* abc_;
    QRadioButton* voltage_[4];
    QRadioButton* current_[3];
    QCheckBox* showSplash_;
    QCheckBox* showStartMenu_;
    QCheckBox* autoTimeSync_;
    QCheckBox* showEn50160_;
    QCheckBox* showFlicker_;
    QCheckBox* showThd_;
};

}  // namespace varelo
