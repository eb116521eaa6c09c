#include "gui/logger/LoggerDetailsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/app/QtText.h"
#include "logger/LoggerInfoTexts.h"

namespace varelo {

LoggerDetailsDialog::LoggerDetailsDialog(const LoggerInfoTexts& texts, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QTxt(txt::dlg_loggerDetails_title));
    auto* form = new QFormLayout;
    form->addRow(QTxt(txt::dlg_loggerDetails_basicUnit),
                 new QLabel(Q(texts.basicUnit) + QLatin1Char('\n') + Q(texts.hardwareCodes)));
    form->addRow(QTxt(txt::dlg_loggerDetails_calibration), new QLabel(Q(texts.calibration)));
    form->addRow(QTxt(txt::dlg_loggerDetails_bootSoftware), new QLabel(Q(texts.bootSoftware)));
    form->addRow(QTxt(txt::dlg_loggerDetails_cpuSoftware), new QLabel(Q(texts.cpuSoftware)));
    form->addRow(QTxt(txt::dlg_loggerDetails_dspSoftware), new QLabel(Q(texts.dspSoftware)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace varelo
