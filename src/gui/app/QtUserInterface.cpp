#include "gui/app/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/app/ModalRunner.h"
#include "gui/app/ProgressWindow.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/EvaluationPeriodDialog.h"
#include "gui/logger/LoggerClockDialog.h"
#include "gui/logger/LoggerDesignationDialog.h"
#include "gui/logger/LoggerInformationDialog.h"
#include "logger/LoggerOperations.h"
#include "platform/Clock.h"

namespace varelo {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::None: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

// A dialog in the middle of a wait shows the normal cursor.
class NormalCursor {
public:
    NormalCursor() : waiting_(QApplication::overrideCursor() != nullptr) {
        if (waiting_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (waiting_) QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool waiting_;
};

int RunBox(QWidget* parent, const std::string& text, MessageIcon icon,
           QMessageBox::StandardButtons buttons, const QString& caption = QStr(174)) {
    NormalCursor cursor;
    QMessageBox box(BoxIcon(icon), caption, Q(text), buttons, parent);
    return ModalRunner::Exec(box);
}

}  // namespace

QtUserInterface::QtUserInterface() = default;
QtUserInterface::~QtUserInterface() = default;

void QtUserInterface::ShowMessage(int, const std::string& text, MessageIcon icon) {
    RunBox(parent_, text, icon, QMessageBox::Ok);
}

void QtUserInterface::ShowMessageWithCaption(int, const std::string& text, MessageIcon icon,
                                             const std::string& caption) {
    RunBox(parent_, text, icon, QMessageBox::Ok, Q(caption));
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

Answer QtUserInterface::Ask(const Question& question) {
    NormalCursor cursor;
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (question.withCancel) buttons |= QMessageBox::Cancel;
    QMessageBox box(BoxIcon(question.icon), QStr(174), Q(question.text), buttons, parent_);
    box.setDefaultButton(question.noIsDefault ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(question.withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (ModalRunner::Exec(box)) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: return Answer::No;
    }
}

bool QtUserInterface::AskLoggerDesignation(std::string& designation) {
    NormalCursor cursor;
    LoggerDesignationDialog dialog(Q(designation), parent_);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return false;
    designation = S(dialog.Designation());
    return true;
}

bool QtUserInterface::AskLoggerClock(LoggerClockChoice& choice) {
    NormalCursor cursor;
    LoggerClockDialog dialog(choice.loggerTime, SystemClock(), parent_);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return false;
    choice.usePcClock = dialog.UsePcClock();
    choice.picked = dialog.Picked();
    return true;
}

void QtUserInterface::ShowLoggerInformation(const CLoggerInfo& info) {
    NormalCursor cursor;
    LoggerInformationDialog dialog(info, parent_);
    ModalRunner::Exec(dialog);
}

bool QtUserInterface::AskOldBootProgram(int dialogId) {
    NormalCursor cursor;
    const OldBootProgramText text = OldBootProgramDialog(dialogId);
    QStringList lines;
    for (const std::string& line : text.lines)
        lines << Q(line);
    // The 1.00 dialog only informs; the 1.10 one asks.
    const bool asks = dialogId != 137;
    QMessageBox box(QMessageBox::NoIcon, Q(text.title), lines.join(QStringLiteral("\n\n")),
                    asks ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent_);
    return ModalRunner::Exec(box) == QMessageBox::Yes && asks;
}

bool QtUserInterface::AskEvaluationPeriod(PeriodQuestion& question) {
    bool accepted = false;
    EvaluationPeriodDialog dialog(question, parent_);
    {
        NormalCursor cursor;
        accepted = ModalRunner::Exec(dialog) == QDialog::Accepted;
    }
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
