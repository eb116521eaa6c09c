#pragma once

#include <string>
#include <vector>

#include <optional>

#include "app/UserInterface.h"
#include "logger/LoggerOperations.h"
#include "measurement/EvaluationPeriod.h"

namespace varelo {

// Messages on stderr with their number; questions answered from the command line's choice.
class CliUserInterface : public UserInterface {
public:
    explicit CliUserInterface(bool answerYes = false) : answerYes_(answerYes) {}
    void SetAnswerYes(bool yes) { answerYes_ = yes; }

    void ShowMessage(int id, const std::string& text, MessageIcon icon) override;
    bool AskYesNo(int id, const std::string& text, MessageIcon icon) override;
    Answer Ask(const Question& question) override;
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    // The period given on the command line, else the proposal.
    bool AskEvaluationPeriod(PeriodQuestion& question) override;
    // Progress goes to stderr: the window's texts, then a line with a bar's caption and counter
    // when the bar is full; there is no cancel.
    void BeginProgress(const ProgressLayout& layout) override;
    void SetProgress(int bar, long position, long range, const std::string& counter) override;
    bool Pump() override { return false; }
    void EndProgress() override;
    // The file given on the command line; cancelled when there is none.
    bool ChooseSaveFile(const std::string& title, const std::string& filter,
                        const std::string& defaultExtension, const std::string& initialFolder,
                        std::string& path) override;
    // The designation and clock given on the command line; cancelled when there is none.
    bool AskLoggerDesignation(std::string& designation) override;
    bool AskLoggerClock(LoggerClockChoice& choice) override;
    void ShowLoggerInformation(const CLoggerInfo& info) override;
    bool AskOldBootProgram(int dialogId) override;
    void SetSaveFile(std::string path) { saveFile_ = std::move(path); }
    void SetDesignation(std::string designation) { designation_ = std::move(designation); }
    void SetClock(const LoggerClockChoice& choice) { clock_ = choice; }
    void SetEvaluationPeriod(const CTimeStamp& start, const CTimeStamp& end) {
        periodStart_ = start;
        periodEnd_ = end;
    }

private:
    bool answerYes_;
    std::vector<std::string> barCaptions_;
    CTimeStamp periodStart_;
    CTimeStamp periodEnd_;
    std::string saveFile_;
    std::optional<std::string> designation_;
    std::optional<LoggerClockChoice> clock_;
};

}  // namespace varelo
