#include "gui/dialogs/AoaChannelSelectionDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "document/Vamor800Doc.h"
#include "gui/aoa/ApplicationInfoDialog.h"
#include "gui/app/QtText.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

// The phase choice behind each button: L1, L2, L3, all, mixed.
constexpr int kChoices[] = {1, 2, 3, kAoaPhaseAll, kAoaPhaseMixed};

AoaChannelSelectionDialog::InfoHook& Hook() {
    static AoaChannelSelectionDialog::InfoHook hook;
    return hook;
}

// "Last used in this window": kept for the session, not stored.
AoaChoice& LastChoice() {
    static AoaChoice choice;
    return choice;
}

}  // namespace

void AoaChannelSelectionDialog::SetInfoHook(InfoHook hook) {
    Hook() = std::move(hook);
}

void AoaChannelSelectionDialog::ForgetLastChoice() {
    LastChoice() = {};
}

AoaChannelSelectionDialog::AoaChannelSelectionDialog(const CVamor800Doc& doc, Settings& settings,
                                                     UserInterface& ui, PhaseLabels labels,
                                                     QWidget* parent)
    : QDialog(parent),
      selection_(std::make_unique<AoaChannelSelection>(doc, labels)),
      groups_(new QListWidget),
      applications_(new QListWidget),
      channels_(new QListWidget),
      limitCaption_(new QLabel(QTxt(txt::dlg_aoaChannelSelection_limitValueLevelFile))),
      limitFile_(new QLabel),
      info_(new QPushButton(QTxt(txt::dlg_aoaChannelSelection_info))) {
    setWindowTitle(QTxt(txt::dlg_aoaChannelSelection_title));

    auto* phaseBox = new QGroupBox;
    auto* phaseRow = new QHBoxLayout(phaseBox);
    auto* phaseGroup = new QButtonGroup(this);
    for (size_t i = 0; i < phases_.size(); ++i) {
        const int choice = kChoices[i];
        const QString text = choice <= 3 ? Q(selection_->PhaseText(choice))
                             : choice == kAoaPhaseAll
                                 ? QStr(195)
                                 : QTxt(txt::dlg_aoaChannelSelection_mixedPhases);
        auto* button = new QRadioButton(text);
        button->setEnabled(choice > 3 || selection_->PhaseEnabled(choice));
        phaseGroup->addButton(button);
        phaseRow->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this, choice](bool on) {
            if (!on || selection_->PhaseChoice() == choice) return;
            selection_->SetPhaseChoice(choice);
            ShowApplications();
        });
        phases_[i] = button;
    }

    auto* groupCaption = new QLabel(QTxt(txt::dlg_aoaChannelSelection_applicationGroup));
    groupCaption->setBuddy(groups_);
    channels_->setSelectionMode(QAbstractItemView::NoSelection);
    channels_->setFocusPolicy(Qt::NoFocus);

    auto* lists = new QGridLayout;
    lists->addWidget(groupCaption, 0, 0);
    lists->addWidget(groups_, 1, 0);
    lists->addWidget(applications_, 1, 1);
    lists->addWidget(new QLabel(QTxt(txt::dlg_aoaChannelSelection_selectedChannels)), 0, 2);
    lists->addWidget(channels_, 1, 2);
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(limitCaption_);
    limitRow->addWidget(limitFile_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(info_, QDialogButtonBox::ActionRole);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(phaseBox);
    layout->addLayout(lists, 1);
    layout->addLayout(limitRow);
    layout->addWidget(buttons);

    connect(groups_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row == selection_->Group()) return;
        selection_->SelectGroup(row);
        ShowApplications();
    });
    connect(applications_, &QListWidget::currentRowChanged, this, [this](int row) {
        const auto& offered = selection_->Applications();
        selection_->SelectApplication(row >= 0 && row < int(offered.size()) ? offered[size_t(row)]
                                                                            : -1);
        ShowApplication();
    });
    connect(applications_, &QListWidget::itemDoubleClicked, this, [this] { ShowInfo(); });
    connect(info_, &QPushButton::clicked, this, [this] { ShowInfo(); });

    selection_->Load(AoaDefinitionInUse(settings, DataFolder()), ui, LastChoice());
    {
        const QSignalBlocker block(groups_);
        for (const CAOAAppGroup& group : selection_->Groups())
            groups_->addItem(Q(group.DisplayName()));
        groups_->setCurrentRow(selection_->Group());
    }
    for (size_t i = 0; i < phases_.size(); ++i) {
        const QSignalBlocker block(phases_[i]);
        phases_[i]->setChecked(kChoices[i] == selection_->PhaseChoice());
    }
    const int application = selection_->Application();
    ShowApplications();
    if (application >= 0) {
        selection_->SelectApplication(application);
        applications_->setCurrentRow(selection_->ApplicationRow());
    }
}

AoaChannelSelectionDialog::~AoaChannelSelectionDialog() = default;

// A new phase or group: its applications, none chosen.
void AoaChannelSelectionDialog::ShowApplications() {
    {
        const QSignalBlocker block(applications_);
        applications_->clear();
        for (int index : selection_->Applications())
            applications_->addItem(Q(selection_->ApplicationAt(index)->DisplayName()));
        applications_->setCurrentRow(-1);
    }
    ShowApplication();
}

void AoaChannelSelectionDialog::ShowApplication() {
    channels_->clear();
    for (size_t i = 0; i < selection_->Curves().size(); ++i)
        channels_->addItem(Q(selection_->CurveName(i)));
    const std::string& limitFile = selection_->LimitFile();
    limitFile_->setText(Q(limitFile));
    limitCaption_->setVisible(!limitFile.empty());
    limitFile_->setVisible(!limitFile.empty());
    info_->setEnabled(selection_->CanAccept());
    ok_->setEnabled(selection_->CanAccept());
}

void AoaChannelSelectionDialog::ShowInfo() {
    const CAOAApplication* application = selection_->Chosen();
    if (!application) return;
    if (Hook()) {
        Hook()(*application, this);
        return;
    }
    CAOAApplication shown = *application;
    ApplicationInfoDialog(shown, true, this).exec();
}

void AoaChannelSelectionDialog::accept() {
    if (!selection_->CanAccept()) return;
    result_ = selection_->Accept();
    LastChoice() = result_.choice;
    QDialog::accept();
}

}  // namespace varelo
