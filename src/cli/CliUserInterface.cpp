#include "cli/CliUserInterface.h"

#include <cstdio>

#include "cli/LoggerInfoOutput.h"

namespace varelo {

namespace {

const char* IconWord(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return "note";
        case MessageIcon::Warning: return "warning";
        case MessageIcon::Stop: return "error";
        case MessageIcon::Question: return "question";
        case MessageIcon::None: return "message";
    }
    return "";
}

}  // namespace

void CliUserInterface::ShowMessage(int id, const std::string& text, MessageIcon icon) {
    std::fprintf(stderr, "%s %d: %s\n", IconWord(icon), id, text.c_str());
}

bool CliUserInterface::AskYesNo(int id, const std::string& text, MessageIcon icon) {
    std::fprintf(stderr, "%s %d: %s [%s]\n", IconWord(icon), id, text.c_str(),
                 answerYes_ ? "yes" : "no");
    return answerYes_;
}

Answer CliUserInterface::Ask(const Question& question) {
    return AskYesNo(question.id, question.text, question.icon) ? Answer::Yes : Answer::No;
}

bool CliUserInterface::AskLoggerDesignation(std::string& designation) {
    if (!designation_) return false;
    std::fprintf(stderr, "designation: \"%s\" becomes \"%s\"\n", designation.c_str(),
                 designation_->c_str());
    designation = *designation_;
    return true;
}

bool CliUserInterface::AskLoggerClock(LoggerClockChoice& choice) {
    if (!clock_) return false;
    std::fprintf(stderr, "Logger clock: %s\n", choice.loggerTime.FileText().c_str());
    choice.usePcClock = clock_->usePcClock;
    choice.picked = clock_->picked;
    return true;
}

void CliUserInterface::ShowLoggerInformation(const CLoggerInfo& info) {
    std::fputs(LoggerInfoText(info).c_str(), stdout);
}

bool CliUserInterface::AskOldBootProgram(int dialogId) {
    const OldBootProgramText text = OldBootProgramDialog(dialogId);
    std::fprintf(stderr, "dialog %d: %s\n", dialogId, text.title.c_str());
    for (const std::string& line : text.lines)
        std::fprintf(stderr, "  %s\n", line.c_str());
    // The 1.00 dialog only informs.
    const bool yes = dialogId != 137 && answerYes_;
    if (dialogId != 137) std::fprintf(stderr, "  [%s]\n", yes ? "yes" : "no");
    return yes;
}

bool CliUserInterface::AskEvaluationPeriod(PeriodQuestion& question) {
    if (!periodStart_.IsZero()) question.start = periodStart_;
    if (!periodEnd_.IsZero()) question.end = periodEnd_;
    return true;
}

void CliUserInterface::BeginProgress(const ProgressLayout& layout) {
    std::fprintf(stderr, "%s\n", layout.title.c_str());
    if (!layout.caution.empty()) std::fprintf(stderr, "%s\n", layout.caution.c_str());
    for (const std::string& line : layout.lines)
        std::fprintf(stderr, "%s\n", line.c_str());
    barCaptions_ = layout.barCaptions;
}

void CliUserInterface::SetProgress(int bar, long position, long range, const std::string& counter) {
    // Only the end of a bar is worth a line on a terminal.
    if (position != range) return;
    if (bar >= 0 && size_t(bar) < barCaptions_.size())
        std::fprintf(stderr, "  %s: %s\n", barCaptions_[size_t(bar)].c_str(), counter.c_str());
    else
        std::fprintf(stderr, "  [%d] %s\n", bar, counter.c_str());
}

void CliUserInterface::EndProgress() {}

bool CliUserInterface::ChooseSaveFile(const std::string&, const std::string&, const std::string&,
                                      const std::string&, std::string& path) {
    if (saveFile_.empty()) return false;
    path = saveFile_;
    return true;
}

}  // namespace varelo
