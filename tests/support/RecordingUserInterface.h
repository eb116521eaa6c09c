#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/UserInterface.h"

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

    std::vector<int> MessageIds() const {
        std::vector<int> ids;
        for (const auto& m : messages) ids.push_back(m.id);
        return ids;
    }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<std::string> statusTexts;
    bool answerYes = true;
    std::vector<PeriodQuestion> periodQuestions;
    // The period answered; none cancels the question.
    std::optional<std::pair<CTimeStamp, CTimeStamp>> periodAnswer;
    int waitCursorDepth = 0;
};

}  // namespace varelo::test
