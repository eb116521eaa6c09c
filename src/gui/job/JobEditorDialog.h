#pragma once

#include <QDialog>

#include "job/JobEditor.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varelo {

class CLoggerOperations;
class Settings;

// The sub-pages reached from the basic settings page.
enum class JobPageKind { General, Period, Current, Interharmonic };

// Dialog 168, "Basic settings": the job editor's main page over the rules of JobEditor. Every
// sub-page, Open and Next first takes the page's values over; a refused value keeps the page
// with the focus on its field.
class JobEditorDialog : public QDialog {
    Q_OBJECT

public:
    // logger and operations reach the Logger (Open, Open old, Check type attached, writing the
    // job); without them those buttons are disabled.
    JobEditorDialog(JobEditor& editor, UserInterface& ui, Settings& settings,
                    JobLoggerAccess* logger, CLoggerOperations* operations,
                    QWidget* parent = nullptr);

    // Takes the page's values over; false after a refusal, whose message was shown.
    bool ApplyPage();
    // "Next": the checks, then the summary page; true when the editor ended there.
    bool Next();

    QComboBox* PowerTypeList() const { return powerType_; }
    QLineEdit* NominalVoltageField() const { return nominalVoltage_; }
    QComboBox* FrequencyList() const { return frequency_; }
    QComboBox* MinMaxList() const { return minMax_; }
    QCheckBox* TransformerBox() const { return transformer_; }
    QLineEdit* PrimaryField() const { return primary_; }
    QLineEdit* SecondaryField() const { return secondary_; }
    QComboBox* LoggerTypeList() const { return loggerType_; }
    QComboBox* SensorList() const { return sensor_; }
    QLineEdit* MaxClampField() const { return maxClamp_; }
    QComboBox* IntervalList() const { return interval_; }
    QComboBox* MemoryModelList() const { return memoryModel_; }
    QComboBox* PowerAveragingList() const { return powerAveraging_; }
    QRadioButton* JobTypeButton(int jobType) const;
    QLabel* MaxContinuousLabel() const { return maxContinuous_; }
    QPushButton* PageButton(JobPageKind kind) const;
    QPushButton* OpenPcButton() const { return openPc_; }
    QPushButton* NextButton() const { return next_; }

private:
    BasicSettings Page() const;
    void Fill();
    void FillPowerAveraging(int32_t interval, int16_t selected);
    void UpdateEnabling();
    void IntervalChosen();
    QWidget* FieldWidget(JobField field) const;
    void OpenPage(JobPageKind kind);
    void OpenFromLogger(bool old);
    void OpenFromPc();
    void CheckSensor();
    // Takes a list choice over at once, so the enabling follows it; refusals wait for a button.
    void ChoiceChanged();

    JobEditor& editor_;
    UserInterface& ui_;
    Settings& settings_;
    JobLoggerAccess* logger_;
    CLoggerOperations* operations_;
    bool filling_ = false;

    QComboBox* powerType_;
    QLineEdit* nominalVoltage_;
    QComboBox* frequency_;
    QComboBox* minMax_;
    QCheckBox* transformer_;
    QLineEdit* primary_;
    QLineEdit* secondary_;
    QComboBox* loggerType_;
    QComboBox* sensor_;
    QLineEdit* maxClamp_;
    QPushButton* checkSensor_;
    QComboBox* interval_;
    QComboBox* memoryModel_;
    QLabel* powerAveragingLabel_;
    QComboBox* powerAveraging_;
    QButtonGroup* jobType_;
    QLabel* maxContinuous_;
    QPushButton* general_;
    QPushButton* period_;
    QPushButton* current_;
    QPushButton* interharmonic_;
    QPushButton* openLogger_;
    QPushButton* openOld_;
    QPushButton* openPc_;
    QPushButton* next_;
};

}  // namespace varelo
