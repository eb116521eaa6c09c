#include "sim/DownloadCommands.h"

#include <optional>
#include <string_view>
#include <vector>

#include "sim/CommandDispatcher.h"

namespace varelo::sim {

namespace {

constexpr size_t kBlockHeader = 8;  // type, 2 length digits, 5 address digits
constexpr size_t kMaxBlock = 128;

std::optional<uint32_t> Hex(std::span<const uint8_t> digits) {
    uint32_t value = 0;
    for (uint8_t c : digits) {
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + uint32_t(d);
    }
    return value;
}

// The data that follows the header; a header that is no header has none.
size_t WriteMemoryLength(std::span<const uint8_t> received) {
    if (received.size() < kBlockHeader) return kBlockHeader;
    return kBlockHeader + Hex(received.subspan(1, 2)).value_or(0);
}

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t at; (at = text.find('|', from)) != std::string::npos; from = at + 1)
        fields.push_back(text.substr(from, at - from));
    fields.push_back(text.substr(from));
    return fields;
}

Reply Refuse(const std::string& why) {
    return {.bytes = {kBlockRefused}, .owner = kWriteMemory, .repeatable = true, .note = why};
}

Reply BootDownload(CommandContext& context) {
    context.scenario.firmware.bootDownload = true;
    context.scenario.state = kBootProgramState;
    return {.owner = kBootDownload, .note = "boot download started"};
}

// Checks the block as the boot program does: known type, hexadecimal header, a length of 1 to
// 128 inside the memory, and a memory that takes blocks now.
Reply WriteMemory(CommandContext& context) {
    auto data = context.data;
    auto length = Hex(data.subspan(1, 2));
    auto address = Hex(data.subspan(3, 5));
    if (!length || !address) return Refuse("block refused: header not hexadecimal");
    if (*length == 0 || *length > kMaxBlock || *address + *length > SimMemory::kSize)
        return Refuse("block refused: length or address out of range");
    FirmwareDownloadState& fw = context.scenario.firmware;
    SimMemory* memory = nullptr;
    if (data[0] == 'R' && fw.bootDownload)
        memory = &fw.bootFlash;
    else if (data[0] == 'R' && context.scenario.state == kBootProgramState)
        memory = &fw.bootRam;
    else if (data[0] == 'C' && fw.cpuFlash)
        memory = &fw.cpuFlashMemory;
    if (!memory) {
        ++fw.refusedBlocks;
        return Refuse("block refused: memory not open for type " + std::string(1, char(data[0])));
    }
    memory->Write(*address, data.subspan(kBlockHeader));
    return {.bytes = {kBlockAccepted}, .owner = kWriteMemory, .repeatable = true};
}

Reply StartCpuFlash(CommandContext& context) {
    context.scenario.firmware.cpuFlash = true;
    context.scenario.firmware.cpuFlashMemory = {};
    return {.bytes = {kStartCpuFlash}, .owner = kStartCpuFlash, .repeatable = true};
}

Reply FinishCpuFlash(CommandContext& context) {
    bool open = context.scenario.firmware.cpuFlash;
    context.scenario.firmware.cpuFlash = false;
    return {.bytes = {open ? kFinishCpuFlash : kBlockRefused},
            .owner = kFinishCpuFlash,
            .repeatable = true};
}

// The restarted Logger runs what its flash memories hold; a demonstration image says which
// versions that is. Anything else leaves the versions as they were.
Reply Restart(CommandContext& context) {
    Scenario& s = context.scenario;
    std::string note = "restart";
    // Restarting the running application aborts its job and clears the job memory.
    if (s.state == '+' && !s.firmware.bootDownload) {
        const char function = s.jobs[0].function;
        s.jobs = {};
        s.jobs[0].function = s.jobs[1].function = function;
        s.jobs[0].report = s.jobs[1].report = JobReport{.state = 'K'};
        s.hasOldJob = false;
        note += "; jobs and measurements cleared";
    }
    auto boot = Fields(s.firmware.bootFlash.TextAtStart());
    if (boot.size() >= 4 && boot[0] == kDemoImageMark && boot[1] == "BOOT") {
        s.hardware.bootVersion = boot[2];
        s.hardware.bootFunction = boot[3];
        note += "; boot " + boot[2];
    }
    note += TakeCpuImageVersions(s, s.firmware.cpuFlashMemory);
    s.firmware = {};
    s.state = '+';
    s.selectedJob = 0;
    return {.bytes = {'+'}, .owner = kRestart, .repeatable = true, .note = note};
}

}  // namespace

std::string TakeCpuImageVersions(Scenario& s, const SimMemory& cpuFlash) {
    auto cpu = Fields(cpuFlash.TextAtStart());
    if (cpu.size() < 6 || cpu[0] != kDemoImageMark || cpu[1] != "CPU") return {};
    s.software.cpuVersion = cpu[2];
    s.software.cpuFunction = cpu[3];
    s.software.dspVersion = cpu[4];
    s.software.dspFunction = cpu[5];
    return "; CPU " + cpu[2] + ", DSP " + cpu[4];
}

void RegisterDownloadCommands(CommandDispatcher& dispatcher) {
    dispatcher.Register(kBootDownload, BootDownload);
    dispatcher.Register(kWriteMemory, WriteMemory, DataLengthRule(WriteMemoryLength));
    dispatcher.Register(kStartCpuFlash, StartCpuFlash);
    dispatcher.Register(kFinishCpuFlash, FinishCpuFlash);
    dispatcher.Register(kRestart, Restart);
}

}  // namespace varelo::sim
