#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/UserInterface.h"
#include "measurement/EvaluationPeriod.h"

namespace varelo {

class ProgressWindow;

// The core's questions and messages as Qt dialogs, cursors and status texts.
class QtUserInterface : public UserInterface {
public:
    QtUserInterface();
    ~QtUserInterface() override;

    // The window that dialogs belong to, and where status texts go.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    void SetStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }
    // Told true when a progress window opens and false when it closes: a transfer (a read-out,
    // a firmware download) runs in between and nothing else may start.
    void SetTransferSink(std::function<void(bool)> sink) { transferSink_ = std::move(sink); }

    void ShowMessage(int id, const std::string& text, MessageIcon icon) override;
    void ShowMessageWithCaption(int id, const std::string& text, MessageIcon icon,
                                const std::string& caption) override;
    bool AskYesNo(int id, const std::string& text, MessageIcon icon) override;
    Answer Ask(const Question& question) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool AskEvaluationPeriod(PeriodQuestion& question) override;
    void BeginProgress(const ProgressLayout& layout) override;
    void SetProgress(int bar, long position, long range, const std::string& counter) override;
    bool Pump() override;
    void EndProgress() override;
    bool ChooseSaveFile(const std::string& title, const std::string& filter,
                        const std::string& defaultExtension, const std::string& initialFolder,
                        std::string& path) override;

    bool AskLoggerDesignation(std::string& designation) override;
    bool AskLoggerClock(LoggerClockChoice& choice) override;
    void ShowLoggerInformation(const CLoggerInfo& info) override;
    bool AskOldBootProgram(int dialogId) override;

    ProgressWindow* Progress() const { return progress_.get(); }

private:
    QPointer<QWidget> parent_;
    std::function<void(const QString&)> statusSink_;
    std::function<void(bool)> transferSink_;
    std::unique_ptr<ProgressWindow> progress_;
};

}  // namespace varelo
