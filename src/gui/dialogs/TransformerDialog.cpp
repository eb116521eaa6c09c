#include "gui/dialogs/TransformerDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "gui/app/QtText.h"

namespace varelo {

TransformerDialog::TransformerDialog(const CMeasurementJob& job, PhaseLabels labels,
                                     UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), job_(job), form_(job) {
    setWindowTitle(QTxt(txt::dlg_transformer_title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildGroup(Q(TransformerForm::PhaseCaption(labels)), form_.phase, phase_));
    neutralGroup_ = BuildGroup(QStr(242), form_.neutral, neutral_);
    neutralGroup_->setVisible(form_.NeutralShown());
    layout->addWidget(neutralGroup_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &TransformerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QGroupBox* TransformerDialog::BuildGroup(const QString& title, const TransformerForm::Group& group,
                                         GroupWidgets& widgets) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    form->addRow(QTxt(txt::dlg_transformer_inputRange), new QLabel(Q(group.inputRange) + " A"));
    widgets.box = new QCheckBox(QTxt(txt::dlg_transformer_additionalCurrentTransformer));
    widgets.box->setChecked(group.transformer);
    form->addRow(widgets.box);
    auto edit = [](const std::string& text) {
        auto* line = new QLineEdit(Q(text));
        line->setMaxLength(TransformerForm::kMaxLength);
        return line;
    };
    widgets.primary = edit(group.primary);
    widgets.secondary = edit(group.secondary);
    auto* primaryLabel = new QLabel(QTxt(txt::dlg_transformer_primaryCurrent));
    auto* secondaryLabel = new QLabel(QTxt(txt::dlg_transformer_secondaryCurrent));
    primaryLabel->setBuddy(widgets.primary);
    secondaryLabel->setBuddy(widgets.secondary);
    form->addRow(primaryLabel, widgets.primary);
    form->addRow(secondaryLabel, widgets.secondary);
    // The fields belong to the check box: hidden while it is clear.
    const QList<QWidget*> fields = {primaryLabel, secondaryLabel, widgets.primary,
                                    widgets.secondary};
    auto show = [fields](bool on) {
        for (QWidget* w : fields)
            w->setVisible(on);
    };
    show(group.transformer);
    connect(widgets.box, &QCheckBox::toggled, this, show);
    return box;
}

QLineEdit* TransformerDialog::Edit(TransformerForm::Field field) const {
    switch (field) {
        case TransformerForm::Field::PhasePrimary: return phase_.primary;
        case TransformerForm::Field::PhaseSecondary: return phase_.secondary;
        case TransformerForm::Field::NeutralPrimary: return neutral_.primary;
        case TransformerForm::Field::NeutralSecondary: return neutral_.secondary;
    }
    return nullptr;
}

bool TransformerDialog::TryAccept() {
    auto take = [](const GroupWidgets& widgets, TransformerForm::Group& group) {
        group.transformer = widgets.box->isChecked();
        group.primary = S(widgets.primary->text());
        group.secondary = S(widgets.secondary->text());
    };
    take(phase_, form_.phase);
    take(neutral_, form_.neutral);
    CMeasurementJob job = job_;
    if (const auto problem = form_.Apply(job)) {
        ui_.ShowMessage(problem->messageId, problem->text, MessageIcon::Warning);
        QLineEdit* bad = Edit(problem->field);
        bad->setFocus();
        bad->selectAll();
        return false;
    }
    job_ = job;
    return true;
}

void TransformerDialog::accept() {
    if (TryAccept()) QDialog::accept();
}

}  // namespace varelo
