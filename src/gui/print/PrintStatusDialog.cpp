#include "gui/print/PrintStatusDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "gui/app/QtText.h"
#include "gui/print/PaintOptions.h"

namespace varelo {

PrintStatusDialog::PrintStatusDialog(const QString& title, const QString& documentName,
                                     const QString& printer, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QTxt(txt::dlg_printStatus_title));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(title, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(documentName, this));
    page_ = new QLabel(this);
    layout->addWidget(page_);
    layout->addWidget(new QLabel(printer, this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        cancelled_ = true;
        page_->setText(page_->text() + QStringLiteral(" ..."));
    });
    layout->addWidget(buttons);
    SetPage(1);
}

void PrintStatusDialog::SetPage(int page) {
    page_->setText(Q(Str(1196)) + " " + QString::number(page));
}

}  // namespace varelo
