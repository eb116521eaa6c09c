// The decoders of the Logger's answers under libFuzzer; the first input byte picks the
// decoder (and its flags), the rest is the answer. Whatever the answer, a decoder substitutes
// and reports, it never crashes or reads past the answer. The job block has two encoders to
// hold it to:
// - decoded, encoded and decoded again it gives the same job, up to what the written block
//   does not carry, and encodes to the same bytes again;
// - the simulator's own encoder, written separately from the same layout, writes the same
//   bytes as the client's for every job the client decodes.
// seeds/wire holds answers of the simulated Logger, each behind the byte that picks its
// decoder.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "FuzzSupport.h"
#include "logger/ConfigurationFormat.h"
#include "logger/IntervalWireFormat.h"
#include "logger/JobWireFormat.h"
#include "logger/ProtocolDiagnostics.h"
#include "logger/StatisticEventWireFormat.h"
#include "measurement/LoggerInfo.h"
#include "measurement/MeasurementJob.h"
#include "sim/JobBlock.h"

namespace {

using namespace varelo;

// A Logger report for the block read back: memory states, counts, an effective start and no
// end, each within its range.
constexpr std::array<uint8_t, kJobReadBlockSize - kJobWriteBlockSize> kPlainReport = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};

void JobRoundTrip(std::span<const uint8_t> block, bool extended) {
    CMeasurementJob first;
    ProtocolDiagnostics diagnostics;
    if (!DecodeJob(block, first, extended, diagnostics)) return;  // too short
    DecodeJobFunction(block);

    const auto written = EncodeJob(first, extended);
    const std::vector<uint8_t> simulated = sim::JobData(first, extended);
    for (size_t i = 0; i < written.size(); ++i) {
        if (i >= simulated.size() || written[i] != simulated[i]) {
            std::fprintf(stderr, "byte %zu: client %u, simulator %u\n", i, written[i],
                         i < simulated.size() ? simulated[i] : 0u);
            fuzz::Finding("the client and the simulator encode a job differently");
        }
    }

    std::vector<uint8_t> again(written.begin(), written.end());
    again.insert(again.end(), kPlainReport.begin(), kPlainReport.end());
    CMeasurementJob second;
    fuzz::Require(DecodeJob(again, second, extended, diagnostics), "an encoded job is too short");
    // The report is the Logger's, not the job's.
    second.IntervalMem = first.IntervalMem;
    second.StatMem = first.StatMem;
    second.EventMem = first.EventMem;
    second.EventOpen = first.EventOpen;
    second.MeasStartMeasured = first.MeasStartMeasured;
    second.MeasStopMeasured = first.MeasStopMeasured;
    fuzz::Require(EncodeJob(second, extended) == written, "a decoded job encodes differently");

    // What the written block does not carry: the values of a transformer that is not used
    // (written as 100) and the channels beyond their count (written as not measured).
    CMeasurementJob expected = first;
    if (first.VoltTransformer != 1) expected.VoltPrimaryRawVal = expected.VoltSecondaryRawVal = 100;
    if (first.PhCurrTransformer != 1)
        expected.PhCurrPrimaryRawVal = expected.PhCurrSecondaryRawVal = 100;
    if (first.NeutralCurrTransformer != 1)
        expected.NeutralCurrPrimaryRawVal = expected.NeutralCurrSecondaryRawVal = 100;
    for (size_t i = size_t(first.NrInterHarm); i < size_t(kInterharmonicCount); ++i) {
        expected.HarmOrder[i] = second.HarmOrder[i];
        expected.HarmText[i] = second.HarmText[i];
        expected.HarmFreqSync[i] = second.HarmFreqSync[i];
        expected.HarmMeasPrinciple[i] = second.HarmMeasPrinciple[i];
    }
    fuzz::Require(second == expected, "a job decoded from its own block differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t choice = data[0];
    const bool flag = (choice & 0x80) != 0;
    const std::span<const uint8_t> answer(data + 1, size - 1);
    ProtocolDiagnostics diagnostics;
    CLoggerInfo info;
    switch (choice % 10) {
        case 0:
            EndsWithCrLf(answer);
            DecodeHardware(answer, info, diagnostics);
            DecodeSoftware(answer, info);
            break;
        case 1:
            DecodeClamp(answer, info, diagnostics);
            ApplyClampTypeRule(info);
            break;
        case 2: {
            MaxNumbers numbers;
            DecodeMaxNumbers(answer, numbers, diagnostics);
            break;
        }
        case 3: DecodeStatusFields(answer, flag, (choice & 0x40) != 0, diagnostics); break;
        case 4:
            DecodeStatusHeader(answer, info, diagnostics);
            StatusHasOldJob(answer);
            break;
        case 5: JobRoundTrip(answer, flag); break;
        case 6: {
            CIntervalRecord record;
            IsEmptyRecord(answer);
            DecodeIntervalP(answer, record, flag, (choice >> 4) % 3, diagnostics);
            break;
        }
        case 7: {
            CIntervalRecord record;
            DecodeIntervalA(answer, record, flag, diagnostics);
            break;
        }
        case 8: {
            CStatisticSegment segment;
            DecodeStatisticSegment(answer, segment, diagnostics);
            break;
        }
        case 9: {
            CEventRecord event;
            DecodeEvent(answer, event, diagnostics);
            break;
        }
    }
    return 0;
}
