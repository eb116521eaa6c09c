// The job commands of the Logger protocol: read the selected job, write a new one, and learn
// the measurement function of a job.
#include <filesystem>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "logger/ConfigurationFormat.h"
#include "logger/JobWireFormat.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "logger/TestSum.h"
#include "measurement/MeasurementJob.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

// Debug images of the job blocks go to the user's data folder: the program folder is not
// writable once the program is installed. Write errors are of no consequence.
void StoreJobImage(Settings& settings, const char* name, std::span<const uint8_t> bytes) {
    if (settings.ReadInt(setting::StoreJobBinary) == 0) return;
    std::error_code ec;
    std::filesystem::create_directories(UserDataFolder(), ec);
    std::FILE* file = std::fopen((UserDataFolder() + "/" + name).c_str(), "wb");
    if (!file) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace

bool CLoggerProtocol::ReadJobBlock(std::span<uint8_t, kJobReadBlockSize + 1> answer) {
    if (!SendCommand('a', 427)) return false;
    if (!ReceiveAnswer(answer.data(), answer.size(), 428)) return false;
    uint8_t computed = XorTestSum(answer.first(kJobReadBlockSize));
    if (answer[kJobReadBlockSize] == computed) return true;
    diagnostics_.DataError(
        Msg(429, {std::to_string(answer[kJobReadBlockSize]), std::to_string(computed)}));
    return false;
}

uint32_t CLoggerProtocol::ReadJobFunction() {
    std::array<uint8_t, kJobReadBlockSize + 1> answer;
    if (!ReadJobBlock(answer)) return 0;
    return DecodeJobFunction(answer);
}

int CLoggerProtocol::ReadMeasurementJob(CMeasurementJob& job) {
    StatusFields status;
    if (!ReadStatusFields({}, status)) return 0;
    job.NrInterval = uint32_t(std::max<int32_t>(status.counts.intervalCount, 0));
    job.EventReady = status.counts.completeEvents;
    job.NrStat = status.counts.statisticCount;

    std::array<uint8_t, kJobReadBlockSize + 1> answer;
    if (!ReadJobBlock(answer)) return 0;
    StoreJobImage(settings_, "JobA_KelvaroToVamor.BIN", answer);
    DecodeJob(answer, job, extendedFamily_, diagnostics_);
    return 1;
}

int CLoggerProtocol::WriteMeasurementJob(const CMeasurementJob& job) {
    WaitCursor wait(port_.Ui());
    if (!SendCommand('A', 503)) return 0;
    std::array<uint8_t, kJobWriteBlockSize> block = EncodeJob(job, extendedFamily_);
    uint8_t computed = XorTestSum(block);
    if (Send(block, 0) < 0) {
        diagnostics_.TransmissionError(Str(504));
        return 0;
    }
    StoreJobImage(settings_, "JobA_VamorToKelvaro.BIN", block);
    uint8_t answer = 0;
    if (Receive(&answer, 1, config_.maxResponseTime + 4000, 0) < 0) {
        diagnostics_.DataError(Str(505));
        return 0;
    }
    if (answer == computed) return 1;
    diagnostics_.DataError(Str(506));
    return 0;
}

}  // namespace varelo
