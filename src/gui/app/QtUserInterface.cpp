#include "gui/app/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/app/ModalRunner.h"
#include "gui/app/ProgressWindow.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/EvaluationPeriodDialog.h"

namespace varelo {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

int RunBox(QWidget* parent, const std::string& text, MessageIcon icon,
           QMessageBox::StandardButtons buttons) {
    QMessageBox box(BoxIcon(icon), QStr(174), Q(text), buttons, parent);
    return ModalRunner::Exec(box);
}

}  // namespace

QtUserInterface::QtUserInterface() = default;
QtUserInterface::~QtUserInterface() = default;

void QtUserInterface::ShowMessage(int, const std::string& text, MessageIcon icon) {
    RunBox(parent_, text, icon, QMessageBox::Ok);
}

bool QtUserInterface::AskYesNo(int, const std::string& text, MessageIcon icon) {
    return RunBox(parent_, text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtUserInterface::SetStatusText(const std::string& text) {
    if (statusSink_) statusSink_(Q(text));
}

void QtUserInterface::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

bool QtUserInterface::AskEvaluationPeriod(PeriodQuestion& question) {
    // A question in the middle of a wait shows the normal cursor.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    EvaluationPeriodDialog dialog(question, parent_);
    const bool accepted = ModalRunner::Exec(dialog) == QDialog::Accepted;
    if (waiting) QApplication::restoreOverrideCursor();
    if (!accepted) return false;
    const EvaluationPeriod period = dialog.Period();
    question.start = period.start;
    question.end = period.end;
    return true;
}

void QtUserInterface::BeginProgress(const ProgressLayout& layout) {
    // The sink first: a window opened after its parent was disabled stays usable.
    if (!progress_ && transferSink_) transferSink_(true);
    progress_ = std::make_unique<ProgressWindow>(layout, parent_);
    progress_->show();
    QApplication::processEvents();
}

void QtUserInterface::SetProgress(int bar, long position, long range, const std::string& counter) {
    if (!progress_) return;
    progress_->SetBar(bar, position, range, Q(counter));
    QApplication::processEvents();
}

bool QtUserInterface::Pump() {
    QApplication::processEvents();
    return progress_ && progress_->CancelRequested();
}

void QtUserInterface::EndProgress() {
    if (!progress_) return;
    progress_.reset();
    if (transferSink_) transferSink_(false);
}

bool QtUserInterface::ChooseSaveFile(const std::string& title, const std::string& filter,
                                     const std::string& defaultExtension,
                                     const std::string& initialFolder, std::string& path) {
    QFileDialog dialog(parent_, Q(title), Q(initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(DialogNameFilters(filter));
    dialog.setDefaultSuffix(Q(defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = S(dialog.selectedFiles().first());
    return true;
}

}  // namespace varelo
