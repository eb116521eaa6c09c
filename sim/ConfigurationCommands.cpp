#include "sim/ConfigurationCommands.h"

#include "sim/CommandDispatcher.h"
#include "sim/WireWriter.h"

namespace varelo::sim {

namespace {

constexpr size_t kHardwareLength = 131;
constexpr size_t kClampLength = 11;
constexpr size_t kSoftwareLength = 86;
constexpr size_t kStatusLength = 50;
constexpr size_t kMaxNumbersData = 6;

// What the Status paragraph of the old job reports while the Logger has none.
const JobReport kNoJob{.state = 'K'};

// How the Status paragraph tells a job-state letter: byte 32 the operating state, byte 35 the
// job's own letter. Between segments the job is active, which only byte 35 tells apart.
struct StateLetters {
    char state;
    uint8_t operating;
    uint8_t job;
};

constexpr StateLetters kStateLetters[] = {
    {'A', 'A', 'A'}, {'S', 'A', 'a'}, {'F', 'F', 'f'}, {'V', 'V', 'v'}, {'K', 'K', 'k'},
};

const StateLetters& LettersOf(char state) {
    for (const auto& letters : kStateLetters) {
        if (letters.state == state) return letters;
    }
    return kStateLetters[std::size(kStateLetters) - 1];  // no job
}

Reply Answer(uint8_t command, std::vector<uint8_t> bytes) {
    return {.bytes = std::move(bytes), .owner = command, .repeatable = true};
}

Reply ReadHardware(CommandContext& context) {
    return Answer(kReadHardware, HardwareParagraph(context.scenario));
}

Reply ReadClamp(CommandContext& context) {
    if (!context.scenario.clamp.known)
        return {.owner = kReadClamp, .note = "not known to this firmware"};
    return Answer(kReadClamp, ClampAnswer(context.scenario.clamp));
}

Reply ReadSoftware(CommandContext& context) {
    return Answer(kReadSoftware, SoftwareParagraph(context.scenario.software));
}

Reply ReadStatus(CommandContext& context) {
    const Scenario& s = context.scenario;
    SimDateTime clock = s.Clock();
    Reply reply = Answer(kReadStatus, StatusParagraph(s, s.selectedJob, clock));
    reply.note = "job " + std::to_string(s.selectedJob);
    return reply;
}

Reply ReadMaxNumbers(CommandContext& context) {
    return Answer(kReadMaxNumbers, MaxNumbersAnswer(context.scenario.maxNumbers));
}

}  // namespace

std::vector<uint8_t> HardwareParagraph(const Scenario& scenario) {
    const HardwareInfo& h = scenario.hardware;
    WireWriter w(kHardwareLength);
    w.Text(0, 30, h.type);
    w.Text(30, 20, h.serial);
    w.Text(52, 20, h.basicUnit);
    for (size_t i = 0; i < h.codes.size(); ++i)
        w.Text(72 + 2 * i, 2, h.codes[i]);
    w.Text(82, 5, h.bootVersion);
    w.Text(87, 20, h.bootFunction);
    w.Text(109, 20, h.calibration);
    w.EndWithCrLf();
    return w.Take();
}

std::vector<uint8_t> ClampAnswer(const ClampInfo& clamp) {
    WireWriter w(kClampLength);
    w.U8(0, clamp.id);
    w.FloatLittleEndian(1, clamp.maxCurrent);
    w.Bytes(5, clamp.serial);
    return w.Take();
}

std::vector<uint8_t> SoftwareParagraph(const SoftwareInfo& software) {
    WireWriter w(kSoftwareLength);
    w.Text(0, 30, software.measurementFunction);
    w.Text(32, 5, software.cpuVersion);
    w.Text(37, 20, software.cpuFunction);
    w.Text(59, 5, software.dspVersion);
    w.Text(64, 20, software.dspFunction);
    w.EndWithCrLf();
    return w.Take();
}

std::vector<uint8_t> MaxNumbersAnswer(const MaxNumbersInfo& numbers) {
    WireWriter w(kMaxNumbersData + 1);
    w.U16(0, uint16_t(numbers.intervals));
    w.U16(2, uint16_t(numbers.events));
    w.U16(4, uint16_t(numbers.statistics));
    std::vector<uint8_t> bytes = w.Take();
    bytes[kMaxNumbersData] = SumOf(std::span(bytes).first(kMaxNumbersData));
    return bytes;
}

std::vector<uint8_t> StatusParagraph(const Scenario& scenario, uint8_t job,
                                     const SimDateTime& clock) {
    const bool current = job == 0;
    const JobReport& r = current              ? scenario.jobs[0].report
                         : scenario.hasOldJob ? scenario.jobs[1].report
                                              : kNoJob;
    WireWriter w(kStatusLength);
    w.DigitDate(0, clock);
    w.Text(12, 20, scenario.designation);
    const StateLetters& letters = LettersOf(r.state);
    // On the current job's paragraph 'X' says that an old job is available.
    w.U8(32, current && scenario.hasOldJob ? 'X' : letters.operating);
    w.U8(33, scenario.online);
    w.U8(34, r.intervalMemory);
    w.U8(35, letters.job);
    if (scenario.IsExtendedFamily()) {
        w.U24(36, uint32_t(r.intervals));
    } else {
        w.U16(37, uint16_t(r.intervals));  // byte 36 stays zero
    }
    w.U8(39, r.statisticsMemory);
    w.U16(40, uint16_t(r.statistics));
    w.U8(42, r.eventMemory);
    w.U16(45, uint16_t(r.events));
    w.U8(47, r.openEvents);
    w.EndWithCrLf();
    return w.Take();
}

void RegisterConfigurationCommands(CommandDispatcher& dispatcher) {
    dispatcher.Register(kReadHardware, ReadHardware);
    dispatcher.Register(kReadClamp, ReadClamp);
    dispatcher.Register(kReadSoftware, ReadSoftware);
    dispatcher.Register(kReadStatus, ReadStatus);
    dispatcher.Register(kReadMaxNumbers, ReadMaxNumbers);
}

}  // namespace varelo::sim
