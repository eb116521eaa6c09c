#include "gui/aoa/ApplicationInfoDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "timeplot/AoaDefinition/AOAApplication.h"
#include "timeplot/AoaDefinition/AoaChannelRules.h"

namespace varelo {

namespace {
constexpr int kProgramName = 174;
}  // namespace

ApplicationInfoDialog::ApplicationInfoDialog(CAOAApplication& app, bool readOnly, QWidget* parent)
    : QDialog(parent),
      app_(app),
      readOnly_(readOnly),
      name_(new QLineEdit(Q(app.Name))),
      limitFile_(new QLabel(Q(app.LimitFile))),
      description_(new QPlainTextEdit(Q(app.Description).replace("\r\n", "\n"))),
      copy_(new QPushButton(QTxt(txt::dlg_applicationInfo_copy))) {
    setObjectName("ApplicationInfoDialog");
    setWindowTitle(QTxt(txt::dlg_applicationInfo_title));
    setSizeGripEnabled(true);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(15);
    name_->setFont(font);
    description_->setFont(font);
    name_->setReadOnly(readOnly);
    description_->setReadOnly(readOnly);
    limitFile_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    limitFile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The limit value file comes only from the definition file; its chooser stays hidden.
    auto* chooseLimitFile = new QPushButton(QStringLiteral("..."));
    chooseLimitFile->setHidden(true);

    auto* ok = new QPushButton(QTxt(txt::dlg_applicationInfo_ok));
    auto* cancel = new QPushButton(QTxt(txt::dlg_applicationInfo_cancel));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(copy_, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(description_->toPlainText()); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QTxt(txt::dlg_applicationInfo_name)), 0, 0);
    grid->addWidget(name_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QTxt(txt::dlg_applicationInfo_limitValueFileName)), 1, 0);
    grid->addWidget(limitFile_, 1, 1);
    grid->addWidget(chooseLimitFile, 1, 2);
    grid->addWidget(description_, 2, 0, 1, 3);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(copy_);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    resize(560, 360);
}

void ApplicationInfoDialog::accept() {
    if (readOnly_) {
        QDialog::accept();
        return;
    }
    std::string name;
    if (const int message = CheckAoaName(S(name_->text()), name); message != 0) {
        QMessageBox box(QMessageBox::Warning, QStr(kProgramName), QStr(message), QMessageBox::Ok,
                        this);
        ModalRunner::Exec(box);
        name_->setFocus();
        return;
    }
    app_.Name = name;
    // Files keep their line breaks as CR LF; an untouched description stays byte for byte.
    const QString shown = Q(app_.Description).replace("\r\n", "\n");
    if (description_->toPlainText() != shown)
        app_.Description = S(description_->toPlainText().replace("\n", "\r\n"));
    QDialog::accept();
}

}  // namespace varelo
