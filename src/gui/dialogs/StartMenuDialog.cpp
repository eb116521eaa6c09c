#include "gui/dialogs/StartMenuDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/QtText.h"

namespace varelo {

StartMenuDialog::StartMenuDialog(QWidget* parent)
    : QDialog(parent),
      setUpP_(new QPushButton(tr("Set up"))),
      setUpA_(new QPushButton(tr("Set up"))),
      open_(new QPushButton(tr("Open"))) {
    setWindowTitle(QStr(174));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    const struct {
        QPushButton* button;
        QString text;
        int choice;
    } rows[] = {
        {setUpP_, tr("Setting up a Logger for function P"), kSetUpP},
        {setUpA_, tr("Setting up a Logger for function A"), kSetUpA},
        {open_, tr("Open a data file for analysis"), kOpen},
    };
    int row = 0;
    for (const auto& r : rows) {
        r.button->setMinimumWidth(90);
        grid->addWidget(r.button, row, 0);
        grid->addWidget(new QLabel(r.text), row++, 1);
        connect(r.button, &QPushButton::clicked, this, [this, choice = r.choice] { done(choice); });
    }
    open_->setDefault(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(buttons);
}

}  // namespace varelo
