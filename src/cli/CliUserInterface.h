#pragma once

#include "app/UserInterface.h"

namespace varelo {

// Messages on stderr with their number; questions answered from the command line's choice.
class CliUserInterface : public UserInterface {
public:
    explicit CliUserInterface(bool answerYes = false) : answerYes_(answerYes) {}

    void ShowMessage(int id, const std::string& text, MessageIcon icon) override;
    bool AskYesNo(int id, const std::string& text, MessageIcon icon) override;
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

private:
    bool answerYes_;
};

}  // namespace varelo
