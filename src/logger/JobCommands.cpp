// The job commands of the Logger protocol.
#include "app/StringTable.h"
#include "logger/JobWireFormat.h"
#include "logger/LoggerProtocol.h"
#include "logger/TestSum.h"

namespace varelo {

int32_t CLoggerProtocol::ReadJobFunction() {
    if (!SendCommand('a', 427)) return 0;
    uint8_t answer[kJobReadBlockSize + 1];
    if (!ReceiveAnswer(answer, sizeof answer, 428)) return 0;
    std::span<const uint8_t> block(answer, kJobReadBlockSize);
    uint8_t computed = XorTestSum(block);
    if (answer[kJobReadBlockSize] != computed) {
        diagnostics_.DataError(
            Msg(429, {std::to_string(answer[kJobReadBlockSize]), std::to_string(computed)}));
        return 0;
    }
    return int32_t(DecodeJobFunction(block));
}

}  // namespace varelo
