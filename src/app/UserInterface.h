#pragma once

#include <string>
#include <vector>

namespace varelo {

// None: a plain message box.
enum class MessageIcon { Information, Warning, Stop, Question, None };

struct PeriodQuestion;
struct CLoggerInfo;
struct LoggerClockChoice;

enum class Answer { Yes, No, Cancel };

// A question with its buttons chosen: Yes and No, with or without Cancel, and which of Yes
// and No is the default.
struct Question {
    int id = 0;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    bool noIsDefault = false;
    bool withCancel = false;
};

// The fixed content of a progress window.
struct ProgressLayout {
    std::string title;
    std::string caution;                   // a warning above everything else; empty for none
    std::vector<std::string> lines;        // instructions below the warning
    std::vector<std::string> barCaptions;  // bar n's caption, shown with the bar
    bool cancellable = true;               // whether the window offers Cancel
};

// What the core asks of whoever shows it to a person: the desktop program, the command line,
// or a recording double in tests.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A string-table message (its number and formatted text) in a message box.
    virtual void ShowMessage(int id, const std::string& text, MessageIcon icon) = 0;
    // The same under a caption of its own instead of the program's name.
    virtual void ShowMessageWithCaption(int id, const std::string& text, MessageIcon icon,
                                        const std::string& caption) {
        (void)caption;
        ShowMessage(id, text, icon);
    }
    // A yes/no question; true for yes.
    virtual bool AskYesNo(int id, const std::string& text, MessageIcon icon) = 0;
    // Closing the box answers Cancel when it offers Cancel, else No.
    virtual Answer Ask(const Question& question) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // The evaluation period of a measurement being opened; false when the question was
    // cancelled. A valid answer is in question.start and question.end.
    virtual bool AskEvaluationPeriod(PeriodQuestion& question) = 0;

    // A modeless progress window with bars numbered from 0; each call shows its change at once.
    // A bar appears with its first change.
    virtual void BeginProgress(const ProgressLayout& layout) = 0;
    virtual void SetProgress(int bar, long position, long range, const std::string& counter) = 0;
    // Handles waiting input while a transfer runs; true once the user asked to cancel.
    virtual bool Pump() = 0;
    virtual void EndProgress() = 0;

    // A save-file dialog that asks before overwriting; filter is "text|patterns|...||". The
    // chosen path goes to path; false when the dialog was cancelled.
    virtual bool ChooseSaveFile(const std::string& title, const std::string& filter,
                                const std::string& defaultExtension,
                                const std::string& initialFolder, std::string& path) = 0;

    // The Logger's dialogs. The designation and the clock dialogs take the Logger's value and
    // give back the person's; false when they cancelled.
    virtual bool AskLoggerDesignation(std::string& designation) = 0;
    virtual bool AskLoggerClock(LoggerClockChoice& choice) = 0;
    // Modal, with the details on request.
    virtual void ShowLoggerInformation(const CLoggerInfo& info) = 0;
    // The dialogs of a Logger with an old boot program: 1.00 only informs (false); 1.10 asks
    // whether to download now over a direct cable (true for Yes).
    virtual bool AskOldBootProgram(int dialogId) = 0;
};

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
    ~WaitCursor() { ui_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInterface& ui_;
};

}  // namespace varelo
