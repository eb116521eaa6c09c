#include "gui/dialogs/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ProductVersion.h"
#include "app/ShellRules.h"
#include "gui/app/QtText.h"
#include "gui/app/Resources.h"

namespace varelo {

namespace {

QLabel* BoldLabel(const QString& text, int pixelHeight) {
    auto* label = new QLabel(text);
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(pixelHeight);
    label->setFont(font);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), version_(new QLabel(Q(AboutVersionLine(kProductVersion)))) {
    LoadResources();
    setWindowTitle(QStr(57664).remove('&').remove("..."));
    auto* logo = new QLabel;
    logo->setPixmap(QIcon(":/icons/varelo.svg").pixmap(48, 48));
    logo->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->addWidget(BoldLabel(QStr(174), 36));
    texts->addWidget(BoldLabel(QTxt(txt::dlg_about_softwareForLogger), 14));
    texts->addSpacing(8);
    texts->addWidget(version_);
    texts->addSpacing(8);
    texts->addWidget(new QLabel(QTxt(txt::dlg_about_copyright)));
    texts->addWidget(new QLabel(QTxt(txt::dlg_about_evaluationOfPowerQuality)));

    auto* body = new QHBoxLayout;
    body->addWidget(logo);
    body->addSpacing(12);
    body->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutDialog::VersionText() const {
    return version_->text();
}

}  // namespace varelo
