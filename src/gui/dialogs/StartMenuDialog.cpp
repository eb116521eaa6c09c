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
      setUpP_(new QPushButton(QTxt(txt::dlg_startMenu_setUp))),
      setUpA_(new QPushButton(QTxt(txt::dlg_startMenu_setUp))),
      open_(new QPushButton(QTxt(txt::dlg_startMenu_open))) {
    setWindowTitle(QStr(174));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    const struct {
        QPushButton* button;
        QString text;
        int choice;
    } rows[] = {
        {setUpP_, QTxt(txt::dlg_startMenu_settingUpALogger), kSetUpP},
        {setUpA_, QTxt(txt::dlg_startMenu_settingUpALoggerForFunction), kSetUpA},
        {open_, QTxt(txt::dlg_startMenu_openADataFile), kOpen},
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
