#include "gui/dialogs/ExceedingsChannelDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/AppOptions.h"
#include "document/Vamor800Doc.h"
#include "evaluation/ExceedingsChannelChoice.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

QListWidget* MakeList(int minimumWidth) {
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumWidth(minimumWidth);
    list->setMinimumHeight(260);
    return list;
}

}  // namespace

ExceedingsChannelDialog::ExceedingsChannelDialog(const CVamor800Doc& doc, QWidget* parent)
    : QDialog(parent),
      choice_(std::make_unique<ExceedingsChannelChoice>(doc.Limits(), doc.Data().job,
                                                        doc.Availability(),
                                                        AppOptions::Instance().PhaseLabeling())),
      offered_(MakeList(170)),
      chosen_(MakeList(190)),
      add_(new QPushButton(">")),
      remove_(new QPushButton("<")),
      removeAll_(new QPushButton("< <")),
      count_(new QLabel) {
    setWindowTitle(QTxt(txt::dlg_exceedingsChannel_title));
    for (int i = 0; i < int(choice_->Offered().size()); ++i)
        offered_->addItem(Q(choice_->OfferedName(i)));
    offered_->setMinimumWidth(offered_->sizeHintForColumn(0) + 2 * offered_->frameWidth() +
                              offered_->verticalScrollBar()->sizeHint().width() + 8);
    offered_->setCurrentRow(choice_->OfferedSelection());

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QTxt(txt::dlg_exceedingsChannel_measurementQuantities)));
    left->addWidget(offered_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(count_);
    right->addWidget(chosen_, 1);
    auto* column = new QVBoxLayout;
    column->addStretch(1);
    for (QPushButton* button : {add_, remove_, removeAll_})
        column->addWidget(button);
    column->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addLayout(column);
    lists->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);

    connect(offered_, &QListWidget::currentRowChanged, this, [this](int row) {
        choice_->SelectOffered(row);
        Refresh();
    });
    connect(offered_, &QListWidget::itemDoubleClicked, this, [this] {
        choice_->Add();
        Refresh();
    });
    connect(chosen_, &QListWidget::currentRowChanged, this, [this](int row) {
        choice_->SelectChosen(row);
        Refresh();
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        choice_->Add();
        Refresh();
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        choice_->Remove();
        Refresh();
    });
    connect(removeAll_, &QPushButton::clicked, this, [this] {
        choice_->RemoveAll();
        Refresh();
    });
    Refresh();
}

ExceedingsChannelDialog::~ExceedingsChannelDialog() = default;

const std::vector<int>& ExceedingsChannelDialog::Channels() const {
    return choice_->Chosen();
}

// Shows the model: the right list, its selection, the counter and what is enabled.
void ExceedingsChannelDialog::Refresh() {
    const QSignalBlocker block(chosen_);
    const std::vector<int>& chosen = choice_->Chosen();
    if (chosen_->count() != int(chosen.size())) {
        chosen_->clear();
        for (int i = 0; i < int(chosen.size()); ++i)
            chosen_->addItem(Q(choice_->ChosenName(i)));
    }
    chosen_->setCurrentRow(choice_->ChosenSelection());
    add_->setEnabled(choice_->CanAdd());
    remove_->setEnabled(choice_->CanRemove());
    removeAll_->setEnabled(choice_->CanRemoveAll());
    ok_->setEnabled(choice_->CanAccept());
    count_->setText(Q(choice_->CountText()));
}

}  // namespace varelo
