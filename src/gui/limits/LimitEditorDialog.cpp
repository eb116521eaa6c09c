#include "gui/limits/LimitEditorDialog.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <filesystem>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "evaluation/LimitEditor/HarmonicLimitsModel.h"
#include "evaluation/LimitEditor/InterharmonicLimitsModel.h"
#include "evaluation/LimitEditor/SignallingLimitsModel.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/limits/HarmonicLimitsDialog.h"
#include "gui/limits/InterharmonicLimitsDialog.h"
#include "gui/limits/LimitEditorPrintout.h"
#include "gui/limits/SignallingLimitsDialog.h"
#include "gui/print/PrintJob.h"
#include "gui/print/SharedPrinter.h"

namespace varelo {

namespace {

constexpr int kOpenTitle = 339;
constexpr int kExtension = 853;
constexpr int kFilter = 854;

QString ShownText(const std::string& crlf) {
    return Q(crlf).replace("\r\n", "\n");
}

}  // namespace

LimitEditorDialog::LimitEditorDialog(CLimitEditorModel& model, UserInterface& ui,
                                     Settings& settings, QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      settings_(settings),
      text_(new QPlainTextEdit),
      frequency_(new QLabel),
      close_(new QPushButton(QTxt(txt::dlg_limitEditor_close))) {
    setObjectName("LimitEditorDialog");
    for (size_t i = 1; i < kLimitFieldCount; ++i) {
        fields_[i] = new QLineEdit;
        fields_[i]->setMinimumWidth(64);
        fields_[i]->setMaximumWidth(80);
        const LimitField field = LimitField(i);
        connect(fields_[i], &QLineEdit::editingFinished, this, [this, field] { FieldLeft(field); });
    }
    for (QLabel*& label : histogramLabels_)
        label = new QLabel;
    text_->setMaximumHeight(70);
    auto field = [this](LimitField f) { return fields_[size_t(f)]; };
    auto withUnit = [](QWidget* widget, const QString& unit) {
        auto* row = new QHBoxLayout;
        row->addWidget(widget);
        row->addWidget(new QLabel(unit));
        row->addStretch();
        return row;
    };

    auto* voltage = new QGroupBox(QTxt(txt::dlg_limitEditor_slowVoltageVariations));
    auto* voltageForm = new QGridLayout(voltage);
    voltageForm->addWidget(histogramLabels_[0], 0, 0);
    voltageForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_tolerancePositive)), 0, 1);
    voltageForm->addLayout(withUnit(field(LimitField::NplusTol95), "%"), 0, 2);
    voltageForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_toleranceNegative)), 1, 1);
    voltageForm->addLayout(withUnit(field(LimitField::NminusTol95), "%"), 1, 2);
    voltageForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_100OfTheTime)), 2, 0);
    voltageForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_tolerancePositive)), 2, 1);
    voltageForm->addLayout(withUnit(field(LimitField::NplusTol100), "%"), 2, 2);
    voltageForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_toleranceNegative)), 3, 1);
    voltageForm->addLayout(withUnit(field(LimitField::NminusTol100), "%"), 3, 2);

    auto* frequency = new QGroupBox(QStr(2110));
    auto* frequencyForm = new QGridLayout(frequency);
    frequencyForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_fundamental)), 0, 0);
    frequencyForm->addLayout(withUnit(frequency_, "Hz"), 0, 2);
    frequencyForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_995OfThe)), 1, 0);
    frequencyForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_tolerancePositive)), 1, 1);
    frequencyForm->addLayout(withUnit(field(LimitField::FplusTol95), "%"), 1, 2);
    frequencyForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_toleranceNegative)), 2, 1);
    frequencyForm->addLayout(withUnit(field(LimitField::FminusTol95), "%"), 2, 2);
    frequencyForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_100OfTheTime)), 3, 0);
    frequencyForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_tolerancePositive)), 3, 1);
    frequencyForm->addLayout(withUnit(field(LimitField::FplusTol100), "%"), 3, 2);
    frequencyForm->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_toleranceNegative)), 4, 1);
    frequencyForm->addLayout(withUnit(field(LimitField::FminusTol100), "%"), 4, 2);

    auto* others = new QGroupBox(QTxt(txt::dlg_limitEditor_furtherLimits));
    auto* othersForm = new QFormLayout(others);
    othersForm->addRow(QStr(899), withUnit(field(LimitField::FlickPst), ""));
    othersForm->addRow(histogramLabels_[1], withUnit(field(LimitField::FlickPlt), ""));
    othersForm->addRow(histogramLabels_[2], withUnit(field(LimitField::VoltUnbal), "%"));
    othersForm->addRow(QStr(2102), withUnit(field(LimitField::NrEvents), ""));
    othersForm->addRow(QStr(2103), withUnit(field(LimitField::InterruptionLimit), "%"));

    const TextKey buttonTexts[] = {txt::dlg_limitEditor_print,
                                   txt::dlg_limitEditor_save,
                                   txt::dlg_limitEditor_saveAs,
                                   txt::dlg_limitEditor_open,
                                   txt::dlg_limitEditor_mainsSignalingVoltages,
                                   txt::dlg_limitEditor_interharmonics,
                                   txt::dlg_limitEditor_voltageHarmonics,
                                   txt::dlg_limitEditor_currentHarmonics};
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i] = new QPushButton(QTxt(buttonTexts[i]));
    // No button is the default: Return in a field only ends that field's entry.
    for (QPushButton* button : buttons_)
        button->setAutoDefault(false);
    close_->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_description)), 0, 0);
    grid->addWidget(text_, 1, 0, 1, 2);
    auto* histogram = new QHBoxLayout;
    histogram->addWidget(new QLabel(QTxt(txt::dlg_limitEditor_valuesWithinTheTolerance)));
    histogram->addLayout(withUnit(field(LimitField::Histogram), QStr(1131)));
    grid->addLayout(histogram, 2, 0, 1, 2);
    grid->addWidget(voltage, 3, 0);
    grid->addWidget(frequency, 3, 1);
    grid->addWidget(others, 4, 0);
    auto* limits = new QGridLayout;
    for (int i = 4; i < 8; ++i)
        limits->addWidget(buttons_[size_t(i)], (i - 4) / 2, (i - 4) % 2);
    grid->addLayout(limits, 4, 1);
    auto* row = new QHBoxLayout;
    for (int i = 0; i < 4; ++i)
        row->addWidget(buttons_[size_t(i)]);
    row->addStretch();
    row->addWidget(close_);
    grid->addLayout(row, 5, 0, 1, 2);

    connect(ButtonOf(Button::Print), &QPushButton::clicked, this, &LimitEditorDialog::Print);
    connect(ButtonOf(Button::Save), &QPushButton::clicked, this, [this] { Save(false); });
    connect(ButtonOf(Button::SaveAs), &QPushButton::clicked, this, [this] { Save(true); });
    connect(ButtonOf(Button::Open), &QPushButton::clicked, this, &LimitEditorDialog::Open);
    connect(ButtonOf(Button::Signalling), &QPushButton::clicked, this,
            &LimitEditorDialog::Signalling);
    connect(ButtonOf(Button::Interharmonics), &QPushButton::clicked, this,
            &LimitEditorDialog::Interharmonics);
    connect(ButtonOf(Button::Voltage), &QPushButton::clicked, this, [this] { Harmonics(false); });
    connect(ButtonOf(Button::Current), &QPushButton::clicked, this, [this] { Harmonics(true); });
    connect(close_, &QPushButton::clicked, this, &LimitEditorDialog::reject);
    Fill();
}

void LimitEditorDialog::Fill() {
    shown_ = model_.FieldTexts();
    text_->setPlainText(ShownText(shown_[0]));
    for (size_t i = 1; i < kLimitFieldCount; ++i)
        fields_[i]->setText(Q(shown_[i]));
    frequency_->setText(QString::number(model_.Working().PowSysNomFreq));
    setWindowTitle(Q(model_.Title()));
    UpdateHistogramLabels();
}

void LimitEditorDialog::FieldLeft(LimitField field) {
    QLineEdit* edit = fields_[size_t(field)];
    const std::string checked =
        CLimitEditorModel::CheckField(field, S(edit->text()), shown_[size_t(field)]);
    shown_[size_t(field)] = checked;
    if (edit->text() != Q(checked)) edit->setText(Q(checked));
    if (field == LimitField::Histogram) UpdateHistogramLabels();
}

void LimitEditorDialog::UpdateHistogramLabels() {
    const auto labels =
        CLimitEditorModel::HistogramLabels(S(fields_[size_t(LimitField::Histogram)]->text()));
    for (size_t i = 0; i < labels.size(); ++i)
        histogramLabels_[i]->setText(Q(labels[i]));
}

bool LimitEditorDialog::TakeOver() {
    LimitFieldTexts texts;
    QString description = text_->toPlainText();
    texts[0] = S(description);
    for (size_t i = 1; i < kLimitFieldCount; ++i)
        texts[i] = S(fields_[i]->text());
    const LimitCheck check = model_.TakeOver(texts);
    if (!check.Ok()) {
        ui_.ShowMessage(check.message, check.text, MessageIcon::Warning);
        if (QLineEdit* edit = fields_[size_t(check.field)]) {
            edit->setFocus();
            edit->selectAll();
        }
        return false;
    }
    // The description shows what was kept of it.
    if (ShownText(model_.Working().Text) != description)
        text_->setPlainText(ShownText(model_.Working().Text));
    shown_ = model_.FieldTexts();
    for (size_t i = 1; i < kLimitFieldCount; ++i)
        fields_[i]->setText(Q(shown_[i]));
    return true;
}

void LimitEditorDialog::reject() {
    if (!TakeOver() || !model_.ConfirmDiscard()) return;
    QDialog::reject();
}

void LimitEditorDialog::Print() {
    if (!TakeOver()) return;
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    LimitEditorPrintout printout(model_.Working(), model_.FileName());
    PrintRequest request{printout, Q(model_.FileName()), nullptr, settings_, ui_, this};
    RunPrintJob(printer, request);
}

void LimitEditorDialog::Save(bool as) {
    if (!TakeOver()) return;
    if (as)
        model_.SaveAs();
    else
        model_.Save();
    setWindowTitle(Q(model_.Title()));
}

void LimitEditorDialog::Open() {
    if (!TakeOver() || !model_.ConfirmDiscard()) return;
    QFileDialog dialog(this, QStr(kOpenTitle), Q(model_.SaveAsFolder()));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DialogNameFilters(Str(kFilter)));
    dialog.setDefaultSuffix(QStr(kExtension));
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    // An unreadable file leaves everything as it was.
    if (model_.Open(S(dialog.selectedFiles().first()))) Fill();
}

void LimitEditorDialog::Harmonics(bool current) {
    if (!TakeOver()) return;
    CHarmonicLimitsModel harmonics = model_.Harmonics(current);
    HarmonicLimitsDialog dialog(harmonics, ui_, this);
    if (ModalRunner::Exec(dialog) == QDialog::Accepted) model_.TakeHarmonics(harmonics);
}

void LimitEditorDialog::Signalling() {
    if (!TakeOver()) return;
    CSignallingLimitsModel signalling = model_.Signalling();
    SignallingLimitsDialog dialog(signalling, ui_, this);
    if (ModalRunner::Exec(dialog) == QDialog::Accepted) model_.TakeSignalling(signalling);
}

void LimitEditorDialog::Interharmonics() {
    if (!TakeOver()) return;
    CInterharmonicLimitsModel interharmonics = model_.Interharmonics();
    InterharmonicLimitsDialog dialog(interharmonics, ui_, this);
    if (ModalRunner::Exec(dialog) == QDialog::Accepted) model_.TakeInterharmonics(interharmonics);
}

}  // namespace varelo
