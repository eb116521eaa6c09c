// The measurement data commands of the Logger protocol: interval records, statistic segments
// and events, one record per call.
#include <vector>

#include "app/StringTable.h"
#include "logger/IntervalWireFormat.h"
#include "logger/LoggerProtocol.h"
#include "logger/StatisticEventWireFormat.h"
#include "logger/TestSum.h"

namespace varelo {

namespace {

constexpr uint8_t kReadInterval = 'm';
constexpr uint8_t kReadStatistic = 'T';
constexpr uint8_t kReadEvent = 'E';
constexpr int kIntervalAttempts = 4;
constexpr int kIntervalTexts = 507;  // not transmitted, too short, test sum
constexpr int kStatisticTexts = 553;
constexpr int kEventTexts = 563;

}  // namespace

bool CLoggerProtocol::ReadIntervalAnswer(std::span<uint8_t> answer) {
    const size_t data = answer.size() - 1;
    for (int attempt = 1; attempt <= kIntervalAttempts; ++attempt) {
        // The Logger has moved on to the next record with "m"; "x" asks for this one again.
        const uint8_t command = attempt == 1 ? kReadInterval : cmd::kRepeat;
        if (!SendCommand(command, kIntervalTexts)) return false;
        const unsigned flags = attempt < kIntervalAttempts ? kQuietLastAttempt : 0;
        if (Receive(answer.data(), answer.size(), 0, flags) != int(answer.size())) {
            diagnostics_.DataError(Msg(kIntervalTexts + 1, {std::to_string(answer.size()),
                                                            std::to_string(LastReceivedCount())}));
            continue;
        }
        const uint8_t computed = XorTestSum(answer.first(data));
        if (answer[data] == computed) return true;
        diagnostics_.DataError(
            Msg(kIntervalTexts + 2, {std::to_string(answer[data]), std::to_string(computed)}));
    }
    return false;
}

int CLoggerProtocol::ReadIntervalP(uint32_t /*number*/, CIntervalRecord& record,
                                   int firmwareGeneration, bool& empty) {
    std::vector<uint8_t> answer(kIntervalPDataSize + 1);
    if (!ReadIntervalAnswer(answer)) return 0;
    const auto data = std::span<const uint8_t>(answer).first(kIntervalPDataSize);
    empty = IsEmptyRecord(data);
    if (!empty) DecodeIntervalP(data, record, false, firmwareGeneration, diagnostics_);
    return 1;
}

int CLoggerProtocol::ReadIntervalA(uint32_t /*number*/, CIntervalRecord& record, bool& empty) {
    std::vector<uint8_t> answer(kIntervalADataSize + 1);
    if (!ReadIntervalAnswer(answer)) return 0;
    const auto data = std::span<const uint8_t>(answer).first(kIntervalADataSize);
    empty = IsEmptyRecord(data);
    if (!empty) DecodeIntervalA(data, record, false, diagnostics_);
    return 1;
}

bool CLoggerProtocol::ReadCheckedAnswer(uint8_t command, std::span<uint8_t> answer,
                                        int firstTextId) {
    if (!SendCommand(command, firstTextId)) return false;
    if (!ReceiveAnswer(answer.data(), answer.size(), firstTextId + 1)) return false;
    const size_t data = answer.size() - 1;
    const uint8_t computed = XorTestSum(answer.first(data));
    if (answer[data] == computed) return true;
    diagnostics_.DataError(
        Msg(firstTextId + 2, {std::to_string(answer[data]), std::to_string(computed)}));
    return false;
}

int CLoggerProtocol::ReadStatisticSegment(uint32_t /*number*/, CStatisticSegment& segment) {
    std::vector<uint8_t> answer(kStatisticDataSize + 1);
    if (!ReadCheckedAnswer(kReadStatistic, answer, kStatisticTexts)) return 0;
    return DecodeStatisticSegment(answer, segment, diagnostics_) ? 1 : 0;
}

int CLoggerProtocol::ReadEvent(uint32_t /*number*/, CEventRecord& event) {
    std::vector<uint8_t> answer(kEventDataSize + 1);
    if (!ReadCheckedAnswer(kReadEvent, answer, kEventTexts)) return 0;
    return DecodeEvent(answer, event, diagnostics_) ? 1 : 0;
}

}  // namespace varelo
