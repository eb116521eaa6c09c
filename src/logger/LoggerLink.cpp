#include "logger/LoggerLink.h"

#include <utility>

#include "app/StringTable.h"
#include "app/UserInterface.h"

namespace varelo {

int CLoggerLink::MessageId(const SerialFailure& failure) {
    switch (failure.step) {
    case SerialStep::Open: return 718;
    case SerialStep::QueueSizes: return 719;
    case SerialStep::Timeouts: return 736;
    case SerialStep::GetLineSettings: return 720;
    case SerialStep::SetLineSettings: return 721;
    case SerialStep::Write: return 722;
    case SerialStep::ShortWrite: return 723;
    case SerialStep::ClearErrors: return 724;
    case SerialStep::ShortRead: return 733;
    case SerialStep::LineError: return 734;
    case SerialStep::Read: return 735;
    case SerialStep::None: break;
    }
    return 0;
}

std::string CLoggerLink::MessageText(const SerialFailure& f, const std::string& portName) {
    const int id = MessageId(f);
    switch (f.step) {
    case SerialStep::Timeouts:  // the one printf-style port message
        return FormatPrintf(Str(id), {portName, static_cast<unsigned long long>(f.os.code),
                                      f.os.text});
    case SerialStep::ShortWrite:  // "only %2 instead of %3"
        return Msg(id, {portName, std::to_string(f.actual), std::to_string(f.expected)});
    case SerialStep::ShortRead:  // "expected %2, received %3"
        return Msg(id, {portName, std::to_string(f.expected), std::to_string(f.actual)});
    case SerialStep::LineError:
        return Msg(id, {portName, LineErrorTexts(f.lineErrors), std::to_string(f.lineErrors)});
    case SerialStep::None: return "";
    default: return Msg(id, {portName, std::to_string(f.os.code), f.os.text});
    }
}

std::string CLoggerLink::LineErrorTexts(uint32_t errorFlags) {
    if (errorFlags & line_error::kMode) return Str(725) + "\n";
    const std::pair<uint32_t, int> kTexts[] = {
        {line_error::kBreak, 726},   {line_error::kFraming, 727},
        {line_error::kIo, 728},      {line_error::kOverrun, 729},
        {line_error::kInputQueueOverflow, 730}, {line_error::kParity, 731},
        {line_error::kOutputQueueFull, 732},
    };
    std::string texts;
    for (auto [flag, id] : kTexts) {
        if (errorFlags & flag) texts += Str(id) + "\n";
    }
    return texts;
}

void CLoggerLink::Show(const SerialFailure& failure) {
    ui_.ShowMessage(MessageId(failure), MessageText(failure, port_.PortName()),
                    MessageIcon::Stop);
}

bool CLoggerLink::Open(const std::string& portName, const std::string& baudText,
                       bool dtrEnable) {
    const SerialFailure f = port_.Open(portName, baudText, dtrEnable);
    if (f.Failed()) Show(f);
    return !f.Failed();
}

int CLoggerLink::Transmit(const uint8_t* data, size_t count, uint32_t preDelayMs) {
    if (preDelayMs != 0) {
        WaitCursor wait(ui_);
        port_.GetClock().Sleep(preDelayMs);
    }
    const SerialFailure f = port_.Transmit(data, count);
    if (!f.Failed()) return 1;
    Show(f);
    return -1;
}

int CLoggerLink::ReceiveExact(uint8_t* buffer, size_t count, uint32_t timeoutMs, bool quiet,
                              int& errorCounter) {
    const SerialFailure f = port_.ReceiveExact(buffer, count, timeoutMs);
    if (!f.Failed()) return static_cast<int>(count);
    if (quiet)
        ++errorCounter;
    else
        Show(f);
    return -1;
}

}  // namespace varelo
