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
    setWindowTitle(QStringLiteral("Logger - Details"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Basic unit:"),
                 new QLabel(Q(texts.basicUnit) + QLatin1Char('\n') + Q(texts.hardwareCodes)));
    form->addRow(QStringLiteral("Calibration:"), new QLabel(Q(texts.calibration)));
    form->addRow(QStringLiteral("Boot Software:"), new QLabel(Q(texts.bootSoftware)));
    form->addRow(QStringLiteral("CPU software:"), new QLabel(Q(texts.cpuSoftware)));
    form->addRow(QStringLiteral("DSP software:"), new QLabel(Q(texts.dspSoftware)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace varelo
