#include "gui/info/MeasurementAssessmentDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/app/QtText.h"

namespace varelo {

namespace {

QGroupBox* Group(const std::string& caption, const std::vector<InformationRow>& rows) {
    auto* group = new QGroupBox(Q(caption));
    auto* form = new QFormLayout(group);
    for (const InformationRow& row : rows) {
        auto* value = new QLabel(Q(row.value));
        value->setObjectName(Q(row.key));
        form->addRow(Q(row.label), value);
    }
    return group;
}

}  // namespace

MeasurementAssessmentDialog::MeasurementAssessmentDialog(MeasurementAssessment assessment,
                                                         QWidget* parent)
    : QDialog(parent), assessment_(std::move(assessment)) {
    setWindowTitle(QStr(1118));
    auto* saved = new QGroupBox(QTxt(txt::dlg_measurementAssessment_savedValuesInformationFor));
    auto* groups = new QHBoxLayout(saved);
    groups->addWidget(Group(assessment_.intervalsCaption, assessment_.intervals));
    groups->addWidget(Group(assessment_.statisticsCaption, assessment_.statistics));
    groups->addWidget(Group(assessment_.eventsCaption, assessment_.events));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group("Measurement according to EN50160", assessment_.en50160));
    layout->addWidget(saved);
    layout->addWidget(buttons);
}

QStringList MeasurementAssessmentDialog::ShownTexts() const {
    QStringList texts;
    for (QGroupBox* group : findChildren<QGroupBox*>()) {
        texts << group->title();
        for (QLabel* label : group->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            if (!label->objectName().isEmpty()) texts << label->text();
    }
    return texts;
}

}  // namespace varelo
