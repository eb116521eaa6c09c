#pragma once

#include <QDialog>

#include "document/TransformerForm.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace varelo {

class UserInterface;

// Dialog 162 "Change current transformer ratio": the phase and neutral transformers of a
// stored measurement's job. OK checks the fields in order and stays open on the first bad one,
// with the focus there; Job() holds the result after OK.
class TransformerDialog : public QDialog {
    Q_OBJECT

public:
    TransformerDialog(const CMeasurementJob& job, PhaseLabels labels, UserInterface& ui,
                      QWidget* parent = nullptr);

    const CMeasurementJob& Job() const { return job_; }
    bool TryAccept();
    void accept() override;

    QCheckBox* PhaseTransformerBox() const { return phase_.box; }
    QCheckBox* NeutralTransformerBox() const { return neutral_.box; }
    QLineEdit* Edit(TransformerForm::Field field) const;
    QGroupBox* NeutralGroup() const { return neutralGroup_; }

private:
    struct GroupWidgets {
        QCheckBox* box = nullptr;
        QWidget* primaryRow = nullptr;
        QWidget* secondaryRow = nullptr;
        QLineEdit* primary = nullptr;
        QLineEdit* secondary = nullptr;
    };
    QGroupBox* BuildGroup(const QString& title, const TransformerForm::Group& group,
                          GroupWidgets& widgets);

    UserInterface& ui_;
    CMeasurementJob job_;
    TransformerForm form_;
    GroupWidgets phase_;
    GroupWidgets neutral_;
    QGroupBox* neutralGroup_ = nullptr;
};

}  // namespace varelo
