#include "gui/dialogs/ChannelSelectionDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/AppOptions.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "gui/app/QtText.h"
#include "timeplot/DiagramState.h"

namespace varelo {

namespace {

ChannelSelectionSetup SetupFor(const CVamor800Doc& doc, ChannelLayout layout,
                               const DiagramState* diagram, bool fromStored) {
    ChannelSelectionSetup setup(doc.Data().job);
    setup.layout = layout;
    setup.availability = doc.Availability();
    setup.labels = AppOptions::Instance().PhaseLabeling();
    setup.functionLetter = doc.MeasurementLetter();
    setup.online = doc.IsOnline();
    setup.fromStored = fromStored || !diagram;
    if (diagram) {
        for (const Curve& curve : diagram->Curves())
            setup.currentCurves.push_back(curve.channelId);
        setup.zoomHistory = diagram->HasZoomHistory();
    }
    return setup;
}

QListWidget* MakeList(int minimumWidth) {
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumWidth(minimumWidth);
    list->setMinimumHeight(260);
    return list;
}

}  // namespace

ChannelSelectionDialog::ChannelSelectionDialog(const CVamor800Doc& doc, ChannelLayout layout,
                                               Settings& settings, UserInterface& ui,
                                               const DiagramState* diagram, bool fromStored,
                                               QWidget* parent)
    : ChannelSelectionDialog(SetupFor(doc, layout, diagram, fromStored), settings, ui, parent) {}

ChannelSelectionDialog::ChannelSelectionDialog(const CVamor800Doc& doc,
                                               std::function<bool(int quantity)> offerOnly,
                                               int titleId, Settings& settings, UserInterface& ui,
                                               QWidget* parent)
    : ChannelSelectionDialog(
          [&] {
              ChannelSelectionSetup setup = SetupFor(doc, ChannelLayout::kExport, nullptr, true);
              setup.offerOnly = std::move(offerOnly);
              return setup;
          }(),
          settings, ui, parent) {
    setWindowTitle(Q(Str(titleId)));
}

ChannelSelectionDialog::ChannelSelectionDialog(const ChannelSelectionSetup& setup,
                                               Settings& settings, UserInterface& ui,
                                               QWidget* parent)
    : QDialog(parent),
      selection_(std::make_unique<ChannelSelection>(setup, settings)),
      ui_(ui),
      offered_(MakeList(170)),
      chosen_(MakeList(190)),
      add_(new QPushButton(">")),
      addAll_(new QPushButton("> >")),
      remove_(new QPushButton("<")),
      removeAll_(new QPushButton("< <")),
      replace_(new QCheckBox(QTxt(txt::dlg_channelSelection_replace))),
      count_(new QLabel) {
    const bool timeplot = setup.layout == ChannelLayout::kTimeplot;
    setWindowTitle(timeplot ? QTxt(txt::dlg_channelSelection_title)
                            : QTxt(txt::dlg_channelSelection_exportChannelSelection));
    for (int i = 0; i < int(selection_->Offered().size()); ++i)
        offered_->addItem(Q(selection_->OfferedName(i)));
    // Wide enough for the longest name beside the scroll bar.
    offered_->setMinimumWidth(offered_->sizeHintForColumn(0) + 2 * offered_->frameWidth() +
                              offered_->verticalScrollBar()->sizeHint().width() + 8);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QTxt(txt::dlg_channelSelection_measurementQuantities)));
    left->addWidget(offered_, 1);
    auto* phaseBox = new QGroupBox;
    auto* phaseRow = new QHBoxLayout(phaseBox);
    for (int p = 0; p < ChannelSelection::kPhases; ++p) {
        auto* box = new QCheckBox(Q(selection_->PhaseName(p)));
        box->setChecked(selection_->PhaseOn(p));
        box->setEnabled(selection_->PhaseEnabled(p));
        connect(box, &QCheckBox::toggled, this, [this, p](bool on) {
            selection_->SetPhaseOn(p, on);
            Refresh();
        });
        phases_[size_t(p)] = box;
        phaseRow->addWidget(box);
    }
    left->addWidget(phaseBox);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QTxt(txt::dlg_channelSelection_selected)));
    right->addWidget(count_);
    right->addWidget(chosen_, 1);
    right->addWidget(replace_);
    replace_->setVisible(timeplot);
    addAll_->setVisible(!timeplot);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addWidget(BuildButtons());
    lists->addLayout(right, 1);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(lists, 1);
    layoutBox->addWidget(buttons);

    connect(offered_, &QListWidget::currentRowChanged, this, [this](int row) {
        selection_->SelectOffered(row);
        Refresh();
    });
    connect(offered_, &QListWidget::itemDoubleClicked, this, [this] {
        selection_->Add();
        Refresh();
    });
    connect(chosen_, &QListWidget::currentRowChanged, this, [this](int row) {
        selection_->SelectChosen(row);
        Refresh();
    });
    connect(replace_, &QCheckBox::toggled, this, [this](bool on) {
        selection_->SetReplace(on);
        Refresh();
    });
    Refresh();
}

ChannelSelectionDialog::~ChannelSelectionDialog() = default;

QWidget* ChannelSelectionDialog::BuildButtons() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addStretch(1);
    for (QPushButton* button : {add_, addAll_, remove_, removeAll_})
        layout->addWidget(button);
    layout->addStretch(1);
    auto act = [this](void (ChannelSelection::*action)()) {
        return [this, action] {
            (selection_.get()->*action)();
            Refresh();
        };
    };
    connect(add_, &QPushButton::clicked, this, act(&ChannelSelection::Add));
    connect(addAll_, &QPushButton::clicked, this, act(&ChannelSelection::AddAll));
    connect(remove_, &QPushButton::clicked, this, act(&ChannelSelection::Remove));
    connect(removeAll_, &QPushButton::clicked, this, act(&ChannelSelection::RemoveAll));
    return column;
}

// Shows the model: the right list, the selection, the switches and what is enabled.
void ChannelSelectionDialog::Refresh() {
    const QSignalBlocker blockChosen(chosen_);
    const QSignalBlocker blockReplace(replace_);
    const std::vector<int>& chosen = selection_->Chosen();
    if (chosen_->count() != int(chosen.size())) {
        chosen_->clear();
        for (int i = 0; i < int(chosen.size()); ++i)
            chosen_->addItem(Q(selection_->ChosenName(i)));
    } else {
        for (int i = 0; i < int(chosen.size()); ++i)
            chosen_->item(i)->setText(Q(selection_->ChosenName(i)));
    }
    chosen_->setCurrentRow(selection_->ChosenSelection());
    replace_->setChecked(selection_->Replace());
    replace_->setEnabled(selection_->CanReplace());
    add_->setEnabled(selection_->CanAdd());
    addAll_->setEnabled(selection_->CanAddAll());
    remove_->setEnabled(selection_->CanRemove());
    removeAll_->setEnabled(selection_->CanRemoveAll());
    ok_->setEnabled(selection_->CanAccept());
    count_->setText(Q(selection_->CountText()));
}

void ChannelSelectionDialog::accept() {
    if (selection_->Accept(ui_)) QDialog::accept();
}

}  // namespace varelo
