#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/UserInterface.h"
#include "logger/LoggerOperations.h"
#include "measurement/EvaluationPeriod.h"
#include "measurement/LoggerInfo.h"

namespace varelo::test {

// Records what the core shows; answers questions with a preset reply.
class RecordingUserInterface : public UserInterface {
public:
    struct Message {
        int id;
        std::string text;
        MessageIcon icon;
    };

    void ShowMessage(int id, const std::string& text, MessageIcon icon) override {
        messages.push_back({id, text, icon});
    }
    bool AskYesNo(int id, const std::string& text, MessageIcon icon) override {
        questions.push_back({id, text, icon});
        return answerYes;
    }
    Answer Ask(const Question& question) override {
        questions.push_back({question.id, question.text, question.icon});
        asked.push_back(question);
        return answerYes ? Answer::Yes : Answer::No;
    }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void BeginWaitCursor() override { ++waitCursorDepth; }
    void EndWaitCursor() override { --waitCursorDepth; }
    bool AskEvaluationPeriod(PeriodQuestion& question) override {
        periodQuestions.push_back(question);
        if (!periodAnswer) return false;  // cancelled
        question.start = periodAnswer->first;
        question.end = periodAnswer->second;
        return true;
    }

    void BeginProgress(const ProgressLayout& layout) override { progressLayouts.push_back(layout); }
    void SetProgress(int bar, long position, long range, const std::string& counter) override {
        progress.push_back({bar, position, range, counter});
    }
    bool Pump() override {
        ++pumps;
        return cancelAfterPumps >= 0 && pumps > cancelAfterPumps;
    }
    void EndProgress() override { ++progressEnds; }
    bool ChooseSaveFile(const std::string& title, const std::string& filter,
                        const std::string& defaultExtension, const std::string& initialFolder,
                        std::string& path) override {
        saveQuestions.push_back({title, filter, defaultExtension, initialFolder});
        if (!saveAnswer) return false;  // cancelled
        path = *saveAnswer;
        return true;
    }

    bool AskLoggerDesignation(std::string& designation) override {
        shownDesignations.push_back(designation);
        if (!designationAnswer) return false;  // cancelled
        designation = *designationAnswer;
        return true;
    }
    bool AskLoggerClock(LoggerClockChoice& choice) override {
        shownLoggerClocks.push_back(choice.loggerTime);
        if (!clockAnswer) return false;  // cancelled
        choice.usePcClock = clockAnswer->usePcClock;
        choice.picked = clockAnswer->picked;
        return true;
    }
    void ShowLoggerInformation(const CLoggerInfo& info) override {
        shownInformation.push_back(info);
    }
    bool AskOldBootProgram(int dialogId) override {
        oldBootDialogs.push_back(dialogId);
        return answerYes;
    }

    std::vector<int> MessageIds() const {
        std::vector<int> ids;
        for (const auto& m : messages)
            ids.push_back(m.id);
        return ids;
    }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<Question> asked;  // the questions with their buttons
    std::vector<std::string> statusTexts;
    bool answerYes = true;
    std::vector<PeriodQuestion> periodQuestions;
    // The period answered; none cancels the question.
    std::optional<std::pair<CTimeStamp, CTimeStamp>> periodAnswer;
    int waitCursorDepth = 0;

    struct ProgressStep {
        int bar;
        long position;
        long range;
        std::string counter;
    };
    std::vector<ProgressLayout> progressLayouts;
    std::vector<ProgressStep> progress;
    int progressEnds = 0;
    int pumps = 0;
    int cancelAfterPumps = -1;  // Pump reports a cancel after this many calls; -1 never

    struct SaveQuestion {
        std::string title;
        std::string filter;
        std::string defaultExtension;
        std::string initialFolder;
    };
    std::vector<SaveQuestion> saveQuestions;
    std::optional<std::string> saveAnswer;  // none cancels the save dialog

    std::vector<std::string> shownDesignations;
    std::optional<std::string> designationAnswer;  // none cancels the designation dialog
    std::vector<CTimeStamp> shownLoggerClocks;
    std::optional<LoggerClockChoice> clockAnswer;  // none cancels the clock dialog
    std::vector<CLoggerInfo> shownInformation;
    std::vector<int> oldBootDialogs;
};

}  // namespace varelo::test
