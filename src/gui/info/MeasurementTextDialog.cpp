#include "gui/info/MeasurementTextDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

constexpr int kUnstorableText = 2200;

}  // namespace

MeasurementTextDialog::MeasurementTextDialog(const MeasurementTexts& texts, UserInterface& ui,
                                             QWidget* parent)
    : QDialog(parent), ui_(ui) {
    setWindowTitle(QTxt(txt::dlg_measurementText_title));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QTxt(txt::dlg_measurementText_captionMax20Characters)), 0, 0);
    grid->addWidget(new QLabel(QTxt(txt::dlg_measurementText_textMaximum40Char)), 0, 1);
    // No length limit: the dialog takes what is typed, as the job always did.
    for (size_t n = 0; n < size_t(kJobLineCount); ++n) {
        titles_[n] = new QLineEdit(Q(texts.titles[n]));
        titles_[n]->setMaxLength(32767);
        texts_[n] = new QLineEdit(Q(texts.texts[n]));
        texts_[n]->setMaxLength(32767);
        texts_[n]->setMinimumWidth(texts_[n]->fontMetrics().averageCharWidth() * 42);
        grid->addWidget(titles_[n], int(n) + 1, 0);
        grid->addWidget(texts_[n], int(n) + 1, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &MeasurementTextDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

MeasurementTexts MeasurementTextDialog::Texts() const {
    MeasurementTexts texts;
    for (size_t n = 0; n < size_t(kJobLineCount); ++n) {
        texts.titles[n] = S(titles_[n]->text());
        texts.texts[n] = S(texts_[n]->text());
    }
    return texts;
}

void MeasurementTextDialog::accept() {
    const std::string sequence = UnstorableSequence(Texts());
    if (!sequence.empty()) {
        ui_.ShowMessage(kUnstorableText, Msg(kUnstorableText, {sequence}), MessageIcon::Warning);
        return;
    }
    QDialog::accept();
}

}  // namespace varelo
