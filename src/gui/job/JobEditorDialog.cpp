#include "gui/job/JobEditorDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/job/JobCurrentDialog.h"
#include "gui/job/JobGeneralDialog.h"
#include "gui/job/JobInterharmonicDialog.h"
#include "gui/job/JobPeriodDialog.h"
#include "gui/job/JobSummaryDialog.h"
#include "job/JobCodeTables.h"
#include "job/JobFile.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

constexpr int kReady = 57345;

void FillCodes(QComboBox* list, const std::vector<JobCode>& codes) {
    for (const JobCode& code : codes)
        list->addItem(Q(code.text), code.code);
}

void Select(QComboBox* list, int code) {
    const int row = list->findData(code);
    if (row >= 0) list->setCurrentIndex(row);
}

// A number field's value; NaN when it holds no number, so that its range refuses it.
double NumberOf(const QLineEdit* field) {
    bool ok = false;
    const double value = field->text().trimmed().toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

QString Number(double value) {
    return QString::number(value, 'g', 10);
}

}  // namespace

JobEditorDialog::JobEditorDialog(JobEditor& editor, UserInterface& ui, Settings& settings,
                                 JobLoggerAccess* logger, CLoggerOperations* operations,
                                 QWidget* parent)
    : QDialog(parent),
      editor_(editor),
      ui_(ui),
      settings_(settings),
      logger_(logger),
      operations_(operations) {
    powerType_ = new QComboBox;
    FillCodes(powerType_, PowerSystemTypes());
    nominalVoltage_ = new QLineEdit;
    frequency_ = new QComboBox;
    for (int f : editor_.OfferedFrequencies())
        frequency_->addItem(QString::number(f), f);
    minMax_ = new QComboBox;
    FillCodes(minMax_, VoltageAveragingTimes());
    transformer_ = new QCheckBox(QStr(251));
    primary_ = new QLineEdit;
    secondary_ = new QLineEdit;
    loggerType_ = new QComboBox;
    for (const std::string& designation : editor_.OfferedLoggerTypes())
        loggerType_->addItem(Q(designation));
    sensor_ = new QComboBox;
    FillCodes(sensor_, CurrentSensorTypes());
    maxClamp_ = new QLineEdit;
    checkSensor_ = new QPushButton(QTxt(txt::dlg_jobEditor_checkTypeAttached));
    interval_ = new QComboBox;
    FillCodes(interval_, IntervalLengths());
    memoryModel_ = new QComboBox;
    FillCodes(memoryModel_, MemoryModels());
    powerAveragingLabel_ = new QLabel(QTxt(txt::dlg_jobEditor_averagingPeriodForPower));
    powerAveraging_ = new QComboBox;
    maxContinuous_ = new QLabel;

    auto* voltage = new QGroupBox;
    auto* v = new QGridLayout(voltage);
    v->addWidget(new QLabel(QStr(1528)), 0, 0);
    v->addWidget(powerType_, 0, 1);
    v->addWidget(new QLabel(QStr(240)), 1, 0);
    v->addWidget(nominalVoltage_, 1, 1);
    v->addWidget(new QLabel(QStringLiteral("V")), 1, 2);
    v->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_frequency)), 2, 0);
    v->addWidget(frequency_, 2, 1);
    v->addWidget(new QLabel(QStringLiteral("Hz")), 2, 2);
    v->addWidget(new QLabel(QStr(239)), 3, 0);
    v->addWidget(minMax_, 3, 1);
    v->addWidget(transformer_, 4, 0, 1, 3);
    v->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_primaryVoltage)), 5, 0);
    v->addWidget(primary_, 5, 1);
    v->addWidget(new QLabel(QStringLiteral("V")), 5, 2);
    v->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_secondaryVoltage)), 6, 0);
    v->addWidget(secondary_, 6, 1);
    v->addWidget(new QLabel(QStringLiteral("V")), 6, 2);

    auto* device = new QGroupBox;
    auto* d = new QGridLayout(device);
    d->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_loggerType)), 0, 0);
    d->addWidget(loggerType_, 0, 1, 1, 2);
    d->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_typeAttached)), 1, 0);
    d->addWidget(sensor_, 1, 1, 1, 2);
    d->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_maxClampCurrent)), 2, 0);
    d->addWidget(maxClamp_, 2, 1);
    d->addWidget(new QLabel(QStringLiteral("A")), 2, 2);
    d->addWidget(checkSensor_, 3, 1, 1, 2);

    auto* intervals = new QGroupBox;
    auto* i = new QGridLayout(intervals);
    i->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_averagingPeriod)), 0, 0);
    i->addWidget(interval_, 0, 1);
    i->addWidget(new QLabel(QTxt(txt::dlg_jobEditor_memoryModel)), 1, 0);
    i->addWidget(memoryModel_, 1, 1);
    i->addWidget(powerAveragingLabel_, 2, 0);
    i->addWidget(powerAveraging_, 2, 1);
    i->addWidget(maxContinuous_, 3, 0, 1, 2);

    auto* jobTypes = new QGroupBox;
    auto* j = new QVBoxLayout(jobTypes);
    jobType_ = new QButtonGroup(this);
    const std::pair<int, TextKey> types[] = {{2, txt::dlg_jobEditor_continuousJob},
                                             {1, txt::dlg_jobEditor_switchActivatedJob},
                                             {0, txt::dlg_jobEditor_timeActivatedJob}};
    for (const auto& [code, text] : types) {
        auto* button = new QRadioButton(QTxt(text));
        jobType_->addButton(button, code);
        j->addWidget(button);
    }

    general_ = new QPushButton(QTxt(txt::dlg_jobEditor_general));
    period_ = new QPushButton(QTxt(txt::dlg_jobEditor_measPeriod));
    current_ = new QPushButton(QTxt(txt::dlg_jobEditor_current));
    interharmonic_ = new QPushButton(QTxt(txt::dlg_jobEditor_interharmonics));
    interharmonic_->setVisible(editor_.Function() == kMeasFuncA);
    auto* pages = new QHBoxLayout;
    for (QPushButton* button : {general_, period_, current_, interharmonic_})
        pages->addWidget(button);

    openLogger_ = new QPushButton(QTxt(txt::dlg_jobEditor_open));
    openOld_ = new QPushButton(QTxt(txt::dlg_jobEditor_openOld));
    auto* loggerBox = new QGroupBox(QStr(235));
    auto* l = new QHBoxLayout(loggerBox);
    l->addWidget(openLogger_);
    l->addWidget(openOld_);
    openPc_ = new QPushButton(QTxt(txt::dlg_jobEditor_open));
    auto* pcBox = new QGroupBox(QTxt(txt::dlg_jobEditor_pc));
    (new QHBoxLayout(pcBox))->addWidget(openPc_);
    next_ = new QPushButton(QTxt(txt::dlg_jobEditor_next));
    next_->setDefault(true);
    auto* cancel = new QPushButton(QTxt(txt::dlg_jobEditor_cancel));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(loggerBox);
    bottom->addWidget(pcBox);
    bottom->addStretch();
    bottom->addWidget(next_);
    bottom->addWidget(cancel);

    auto* grid = new QGridLayout;
    grid->addWidget(voltage, 0, 0);
    grid->addWidget(device, 0, 1);
    grid->addWidget(intervals, 1, 0);
    grid->addWidget(jobTypes, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(pages);
    layout->addLayout(bottom);

    const bool withLogger = logger_ != nullptr;
    openLogger_->setEnabled(withLogger);
    openOld_->setEnabled(withLogger);
    checkSensor_->setEnabled(withLogger);

    connect(general_, &QPushButton::clicked, this, [this] { OpenPage(JobPageKind::General); });
    connect(period_, &QPushButton::clicked, this, [this] { OpenPage(JobPageKind::Period); });
    connect(current_, &QPushButton::clicked, this, [this] { OpenPage(JobPageKind::Current); });
    connect(interharmonic_, &QPushButton::clicked, this,
            [this] { OpenPage(JobPageKind::Interharmonic); });
    connect(openLogger_, &QPushButton::clicked, this, [this] { OpenFromLogger(false); });
    connect(openOld_, &QPushButton::clicked, this, [this] { OpenFromLogger(true); });
    connect(openPc_, &QPushButton::clicked, this, &JobEditorDialog::OpenFromPc);
    connect(checkSensor_, &QPushButton::clicked, this, &JobEditorDialog::CheckSensor);
    connect(next_, &QPushButton::clicked, this, &JobEditorDialog::Next);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(transformer_, &QCheckBox::toggled, this, &JobEditorDialog::UpdateEnabling);
    connect(interval_, &QComboBox::currentIndexChanged, this, &JobEditorDialog::IntervalChosen);
    for (QComboBox* list : {loggerType_, sensor_})
        connect(list, &QComboBox::currentIndexChanged, this, &JobEditorDialog::ChoiceChanged);
    connect(jobType_, &QButtonGroup::idClicked, this, [this](int code) {
        UpdateEnabling();
        if (code == kJobTimeActivated && ApplyPage()) OpenPage(JobPageKind::Period);
    });
    Fill();
}

QRadioButton* JobEditorDialog::JobTypeButton(int jobType) const {
    return qobject_cast<QRadioButton*>(jobType_->button(jobType));
}

QPushButton* JobEditorDialog::PageButton(JobPageKind kind) const {
    switch (kind) {
        case JobPageKind::General: return general_;
        case JobPageKind::Period: return period_;
        case JobPageKind::Current: return current_;
        case JobPageKind::Interharmonic: return interharmonic_;
    }
    return nullptr;
}

void JobEditorDialog::Fill() {
    filling_ = true;
    const BasicSettings page = editor_.Basic();
    setWindowTitle(Q(editor_.Title()));
    Select(powerType_, int(page.powerSystemType));
    nominalVoltage_->setText(Number(std::floor(page.nominalVoltage)));
    Select(frequency_, page.nominalFrequency);
    Select(minMax_, page.voltageAveraging);
    transformer_->setChecked(page.voltageTransformer);
    primary_->setText(Number(page.primaryVoltage));
    secondary_->setText(Number(page.secondaryVoltage));
    loggerType_->setCurrentIndex(loggerType_->findText(Q(page.loggerDesignation)));
    // A sensor the list does not offer stays in the job until another is chosen.
    if (sensor_->findData(page.clampId) < 0)
        sensor_->addItem(QString::number(page.clampId), page.clampId);
    Select(sensor_, page.clampId);
    maxClamp_->setText(Number(page.maxClampCurrent));
    Select(interval_, page.interval);
    Select(memoryModel_, int(page.intervalMemoryModel));
    FillPowerAveraging(page.interval, page.powerAveraging);
    if (QAbstractButton* button = jobType_->button(page.jobType)) button->setChecked(true);
    maxContinuous_->setText(Q(editor_.MaxContinuousText(page.interval)));
    filling_ = false;
    UpdateEnabling();
}

void JobEditorDialog::FillPowerAveraging(int32_t interval, int16_t selected) {
    powerAveraging_->clear();
    FillCodes(powerAveraging_, PowerAveragingTimes(interval));
    // Intervals below a minute cannot average power over a minute.
    Select(powerAveraging_, interval < 60 ? kPowerAveragingSecond : selected);
}

void JobEditorDialog::UpdateEnabling() {
    primary_->setEnabled(transformer_->isChecked());
    secondary_->setEnabled(transformer_->isChecked());
    period_->setEnabled(jobType_->checkedId() == kJobTimeActivated);
    current_->setEnabled(editor_.CurrentPageEnabled());
    powerAveragingLabel_->setVisible(editor_.PowerAveragingShown());
    powerAveraging_->setVisible(editor_.PowerAveragingShown());
}

void JobEditorDialog::IntervalChosen() {
    if (filling_) return;
    const int32_t interval = interval_->currentData().toInt();
    FillPowerAveraging(interval, int16_t(powerAveraging_->currentData().toInt()));
    maxContinuous_->setText(Q(editor_.MaxContinuousText(interval)));
}

void JobEditorDialog::ChoiceChanged() {
    if (filling_) return;
    if (editor_.ApplyBasic(Page()).Accepted()) {
        maxContinuous_->setText(Q(editor_.MaxContinuousText(interval_->currentData().toInt())));
        UpdateEnabling();
    }
}

BasicSettings JobEditorDialog::Page() const {
    BasicSettings page = editor_.Basic();
    page.powerSystemType = uint32_t(powerType_->currentData().toInt());
    page.nominalVoltage = NumberOf(nominalVoltage_);
    page.nominalFrequency = int16_t(frequency_->currentData().toInt());
    page.voltageAveraging = int16_t(minMax_->currentData().toInt());
    page.voltageTransformer = transformer_->isChecked();
    page.primaryVoltage = NumberOf(primary_);
    page.secondaryVoltage = NumberOf(secondary_);
    page.loggerDesignation = S(loggerType_->currentText());
    page.clampId = uint8_t(sensor_->currentData().toInt());
    page.maxClampCurrent = NumberOf(maxClamp_);
    page.interval = interval_->currentData().toInt();
    page.intervalMemoryModel = uint32_t(memoryModel_->currentData().toInt());
    page.powerAveraging = int16_t(powerAveraging_->currentData().toInt());
    page.jobType = jobType_->checkedId();
    return page;
}

QWidget* JobEditorDialog::FieldWidget(JobField field) const {
    switch (field) {
        case JobField::NominalVoltage: return nominalVoltage_;
        case JobField::PrimaryVoltage: return primary_;
        case JobField::SecondaryVoltage: return secondary_;
        case JobField::MaxClampCurrent: return maxClamp_;
        default: return nullptr;
    }
}

bool JobEditorDialog::ApplyPage() {
    const PageCheck check = editor_.ApplyBasic(Page());
    if (check.beep) QApplication::beep();
    if (check.message != 0) {
        ui_.ShowMessage(check.message, check.text, MessageIcon::Warning);
        if (QWidget* field = FieldWidget(check.field)) field->setFocus();
    }
    if (!check.Accepted()) return false;
    Fill();
    return true;
}

namespace {

// Runs a sub-page on a copy of the editor's job; its job after OK, none after Cancel.
template <class Page>
std::optional<CMeasurementJob> RunPage(Page& page) {
    if (ModalRunner::Exec(page) != QDialog::Accepted) return std::nullopt;
    return page.Job();
}

}  // namespace

void JobEditorDialog::OpenPage(JobPageKind kind) {
    if (!ApplyPage()) return;
    std::optional<CMeasurementJob> job;
    switch (kind) {
        case JobPageKind::General: {
            JobGeneralDialog page(editor_, ui_, this);
            job = RunPage(page);
            break;
        }
        case JobPageKind::Period: {
            JobPeriodDialog page(editor_, ui_, this);
            job = RunPage(page);
            break;
        }
        case JobPageKind::Current: {
            JobCurrentDialog page(editor_, ui_, this);
            job = RunPage(page);
            break;
        }
        case JobPageKind::Interharmonic: {
            JobInterharmonicDialog page(editor_, ui_, this);
            job = RunPage(page);
            break;
        }
    }
    if (!job) return;
    editor_.TakePage(*job);
    Fill();
}

void JobEditorDialog::OpenFromLogger(bool old) {
    if (!logger_ || !ApplyPage()) return;
    if (editor_.OpenFromLogger(old, *logger_) == JobEditor::OpenResult::Opened) Fill();
}

void JobEditorDialog::CheckSensor() {
    if (!logger_ || !ApplyPage()) return;
    if (editor_.CheckSensor(*logger_)) Fill();
}

void JobEditorDialog::OpenFromPc() {
    if (!ApplyPage() || !editor_.ConfirmDiscard(1186)) return;
    const JobFileNames names = JobFileNamesOf(editor_.Function());
    QFileDialog dialog(this, Q(names.openTitle), Q(UserDataFolder()));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DialogNameFilters(names.filter));
    dialog.setDefaultSuffix(Q(names.extension));
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    // An unreadable file leaves everything as it was, without a message.
    if (editor_.LoadJobFile(S(dialog.selectedFiles().first()))) Fill();
}

bool JobEditorDialog::Next() {
    if (!ApplyPage()) return false;
    JobSummaryDialog summary(editor_, ui_, settings_, operations_, this);
    const int result = ModalRunner::Exec(summary);
    // A "Save as" in the summary names the file even when it was left with Cancel.
    Fill();
    if (result != JobSummaryDialog::kClose) return false;
    ui_.SetStatusText(Str(kReady));
    accept();
    return true;
}

}  // namespace varelo
