#include "gui/dialogs/GeneralSettingsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/PortNaming.h"
#include "app/Startup.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

// Radio buttons in a group box, one exclusive set.
QGroupBox* RadioColumn(const QString& title, std::initializer_list<QRadioButton*> buttons) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (QRadioButton* button : buttons) {
        group->addButton(button);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return box;
}

QWidget* FileRow(QLineEdit* edit, QPushButton* select) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(select);
    return row;
}

}  // namespace

GeneralSettingsDialog::GeneralSettingsDialog(const GeneralSettingsForm& form,
                                             bool flickerThdEditable, QWidget* parent)
    : QDialog(parent),
      printHeader_(new QLineEdit),
      limitFile_(new QLineEdit),
      aoaFile_(new QLineEdit),
      port_(new QComboBox),
      baud_(new QComboBox),
      thd40_(new QRadioButton("2 .. 40")),
      thd50_(new QRadioButton("2 .. 50")),
      l123_(new QRadioButton("L1, L2, L3")),
      abc_(new QRadioButton("A, B, C")),
      voltage_{new QRadioButton(QTxt(txt::dlg_generalSettings_fundamental)),
               new QRadioButton(QTxt(txt::dlg_generalSettings_nominalValue)),
               new QRadioButton(QStr(1111)),
               new QRadioButton(QTxt(txt::dlg_generalSettings_absoluteValues))},
      current_{new QRadioButton(QTxt(txt::dlg_generalSettings_fundamental)),
               new QRadioButton(QStr(1111)),
               new QRadioButton(QTxt(txt::dlg_generalSettings_absoluteValues))},
      showSplash_(new QCheckBox(QTxt(txt::dlg_generalSettings_showOrbantStartupScreen))),
      showStartMenu_(new QCheckBox(QTxt(txt::dlg_generalSettings_showStartupMenu))),
      autoTimeSync_(new QCheckBox(QTxt(txt::dlg_generalSettings_automaticTimeSynchronizationWhen))),
      showEn50160_(new QCheckBox(QTxt(txt::dlg_generalSettings_showEn50160NonCompliance))),
      showFlicker_(new QCheckBox(QTxt(txt::dlg_generalSettings_showFlickerValues))),
      showThd_(new QCheckBox(QTxt(txt::dlg_generalSettings_showThdValues))) {
    setWindowTitle(QTxt(txt::dlg_generalSettings_title));
    printHeader_->setMaxLength(50);
    for (int port = 1; port <= 9; ++port)
        port_->addItem(Q(PortLabel(port)));
    for (const char* rate : BaudRates())
        baud_->addItem(rate);
    showFlicker_->setEnabled(flickerThdEditable);
    showThd_->setEnabled(flickerThdEditable);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFiles());
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildCommunication());
    middle->addWidget(BuildHarmonics(), 1);
    layout->addLayout(middle);
    layout->addWidget(BuildSwitches());
    layout->addWidget(buttons);
    SetForm(form);
}

QWidget* GeneralSettingsDialog::BuildFiles() {
    auto* selectLimits = new QPushButton(QTxt(txt::dlg_generalSettings_select));
    connect(selectLimits, &QPushButton::clicked, this,
            [this] { SelectFile(limitFile_, 854, 339, 853); });
    auto* selectAoa = new QPushButton(QTxt(txt::dlg_generalSettings_select));
    connect(selectAoa, &QPushButton::clicked, this,
            [this] { SelectFile(aoaFile_, 200, 201, 199); });
    auto* box = new QGroupBox;
    auto* form = new QFormLayout(box);
    form->addRow(QTxt(txt::dlg_generalSettings_titleOnPrint), printHeader_);
    form->addRow(QTxt(txt::dlg_generalSettings_limitValueLevelFile),
                 FileRow(limitFile_, selectLimits));
    form->addRow(QTxt(txt::dlg_generalSettings_applicationOrientedAnalysisFile),
                 FileRow(aoaFile_, selectAoa));
    return box;
}

QWidget* GeneralSettingsDialog::BuildCommunication() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* link = new QGroupBox(QTxt(txt::dlg_generalSettings_interface));
    auto* form = new QFormLayout(link);
    form->addRow(QTxt(txt::dlg_generalSettings_rs232Port), port_);
    form->addRow(QTxt(txt::dlg_generalSettings_baudRate), baud_);
    layout->addWidget(link);
    layout->addWidget(
        RadioColumn(QTxt(txt::dlg_generalSettings_numberOfHarmonicsFor), {thd40_, thd50_}));
    layout->addWidget(
        RadioColumn(QTxt(txt::dlg_generalSettings_phaseIdentification), {l123_, abc_}));
    return column;
}

QWidget* GeneralSettingsDialog::BuildHarmonics() {
    auto* box = new QGroupBox(QTxt(txt::dlg_generalSettings_harmonicsIn));
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(RadioColumn(QStr(250), {voltage_[0], voltage_[1], voltage_[2], voltage_[3]}));
    layout->addWidget(RadioColumn(QStr(253), {current_[0], current_[1], current_[2]}));
    return box;
}

QWidget* GeneralSettingsDialog::BuildSwitches() {
    auto* box = new QGroupBox;
    auto* grid = new QGridLayout(box);
    grid->addWidget(showSplash_, 0, 0);
    grid->addWidget(showStartMenu_, 1, 0);
    grid->addWidget(showEn50160_, 2, 0);
    grid->addWidget(showFlicker_, 0, 1);
    grid->addWidget(showThd_, 1, 1);
    grid->addWidget(autoTimeSync_, 3, 0, 1, 2);
    return box;
}

void GeneralSettingsDialog::SelectFile(QLineEdit* edit, int filter, int title, int extension) {
    const QString current = edit->text();
    QFileDialog dialog(this, QStr(title), current.isEmpty() ? Q(DataFolder()) : current);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DialogNameFilters(Str(filter)));
    dialog.setDefaultSuffix(QStr(extension).remove('.'));
    if (ModalRunner::Exec(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        edit->setText(dialog.selectedFiles().first());
}

void GeneralSettingsDialog::SetForm(const GeneralSettingsForm& form) {
    printHeader_->setText(Q(form.printHeader));
    limitFile_->setText(Q(form.limitFile));
    aoaFile_->setText(Q(form.aoaFile));
    port_->setCurrentIndex(form.comPortIndex);
    baud_->setCurrentIndex(baud_->findText(Q(form.baudRate)));
    (form.thdUpTo50 ? thd50_ : thd40_)->setChecked(true);
    (form.phasesAbc ? abc_ : l123_)->setChecked(true);
    for (int i = 0; i < 4; ++i) {
        if (form.voltage[i]) voltage_[i]->setChecked(true);
    }
    for (int i = 0; i < 3; ++i) {
        if (form.current[i]) current_[i]->setChecked(true);
    }
    showSplash_->setChecked(form.showSplash);
    showStartMenu_->setChecked(form.showStartMenu);
    autoTimeSync_->setChecked(form.autoTimeSync);
    showEn50160_->setChecked(form.showEn50160Warning);
    showFlicker_->setChecked(form.showFlicker);
    showThd_->setChecked(form.showThd);
}

GeneralSettingsForm GeneralSettingsDialog::Form() const {
    GeneralSettingsForm form;
    form.printHeader = S(printHeader_->text());
    form.limitFile = S(limitFile_->text());
    form.aoaFile = S(aoaFile_->text());
    form.comPortIndex = port_->currentIndex();
    form.baudRate = S(baud_->currentText());
    form.thdUpTo50 = thd50_->isChecked();
    form.phasesAbc = abc_->isChecked();
    for (int i = 0; i < 4; ++i)
        form.voltage[i] = voltage_[i]->isChecked();
    for (int i = 0; i < 3; ++i)
        form.current[i] = current_[i]->isChecked();
    form.showSplash = showSplash_->isChecked();
    form.showStartMenu = showStartMenu_->isChecked();
    form.autoTimeSync = autoTimeSync_->isChecked();
    form.showEn50160Warning = showEn50160_->isChecked();
    form.showFlicker = showFlicker_->isChecked();
    form.showThd = showThd_->isChecked();
    return form;
}

}  // namespace varelo
