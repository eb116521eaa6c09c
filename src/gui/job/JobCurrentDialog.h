#pragma once

#include <QDialog>

#include "job/JobPageCheck.h"
#include "measurement/MeasurementJob.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace varelo {

class JobEditor;
class UserInterface;

// The current page (109): the phase and neutral averaging, input ranges and additional
// transformers, the special transformer's phase shift and how the neutral is obtained. Job()
// holds the page's result after OK.
class JobCurrentDialog : public QDialog {
    Q_OBJECT

public:
    JobCurrentDialog(const JobEditor& editor, UserInterface& ui, QWidget* parent = nullptr);

    const CMeasurementJob& Job() const { return job_; }
    bool TryAccept();
    void accept() override;

    QComboBox* PhaseRangeList() const { return phaseRange_; }
    QCheckBox* PhaseTransformerBox() const { return phaseTransformer_; }
    QCheckBox* SpecialTransformerBox() const { return special_; }
    QRadioButton* MeasuredButton() const { return measured_; }
    QRadioButton* CalculatedButton() const { return calculated_; }
    QWidget* FieldWidget(JobField field) const;

private:
    void EnableFields();

    UserInterface& ui_;
    CMeasurementJob job_;
    QComboBox* phaseAveraging_ = nullptr;
    QComboBox* phaseRange_ = nullptr;
    QCheckBox* phaseTransformer_ = nullptr;
    QLineEdit* phasePrimary_ = nullptr;
    QLineEdit* phaseSecondary_ = nullptr;
    QCheckBox* special_ = nullptr;
    QLineEdit* phaseShift_ = nullptr;
    QRadioButton* measured_ = nullptr;
    QRadioButton* calculated_ = nullptr;
    QComboBox* neutralAveraging_ = nullptr;
    QComboBox* neutralRange_ = nullptr;
    QCheckBox* neutralTransformer_ = nullptr;
    QLineEdit* neutralPrimary_ = nullptr;
    QLineEdit* neutralSecondary_ = nullptr;
};

}  // namespace varelo
