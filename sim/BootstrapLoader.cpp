#include "sim/BootstrapLoader.h"

#include <span>

#include "sim/DownloadCommands.h"

namespace varelo::sim {

namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr size_t kPokeLength = 6;  // "p", segment, address (2 bytes each), data
constexpr size_t kBlockData = 128;
constexpr size_t kBlockLength = 9 + kBlockData;  // "WC80", 5 address digits, data

// The monitor takes lower-case digits only.
std::optional<uint32_t> LowerHex(std::span<const uint8_t> digits) {
    uint32_t value = 0;
    for (uint8_t c : digits) {
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + uint32_t(d);
    }
    return value;
}

}  // namespace

void BootstrapLoader::Reset() {
    stage_ = Stage::WaitForZero;
    command_.clear();
}

std::optional<BootstrapLoader::Outcome> BootstrapLoader::Receive(uint8_t byte, Scenario& scenario) {
    if (scenario.power == Power::Off) return std::nullopt;
    BootstrapState& b = scenario.bootstrap;
    switch (stage_) {
        case Stage::WaitForZero:
            if (byte != 0x00) return std::nullopt;
            stage_ = Stage::Loader;
            b.loader.clear();
            return Outcome{{byte}, {b.ident}, "bootstrap: zero byte, ident sent"};
        case Stage::Loader:
            b.loader.push_back(byte);
            if (b.loader.size() < kLoaderSize) return std::nullopt;
            stage_ = Stage::HexLoader;
            b.hexLoader.clear();
            return Outcome{b.loader, {}, "bootstrap: primary loader received"};
        case Stage::HexLoader:
            b.hexLoader.push_back(byte);
            if (b.hexLoader.size() < kHexLoaderSize) return std::nullopt;
            stage_ = Stage::Monitor;
            b.monitorSum = 0;
            return Outcome{b.hexLoader, {}, "bootstrap: hex loader received, monitor loading"};
        case Stage::Monitor: command_.push_back(byte); return MonitorCommand(scenario);
    }
    return std::nullopt;
}

std::optional<BootstrapLoader::Outcome> BootstrapLoader::MonitorCommand(Scenario& scenario) {
    BootstrapState& b = scenario.bootstrap;
    auto done = [&](std::vector<uint8_t> send, std::string note) {
        Outcome outcome{std::move(command_), std::move(send), std::move(note)};
        command_.clear();
        return outcome;
    };
    switch (command_.front()) {
        case 'p': {
            if (command_.size() < kPokeLength) return std::nullopt;
            const uint32_t segment = uint32_t(command_[1] << 8 | command_[2]);
            const uint32_t address = segment * 65536 + uint32_t(command_[3] << 8 | command_[4]);
            const uint8_t data = command_[5];
            b.monitor.Write(address, std::span(&data, 1));  // outside its memory: lost
            b.monitorSum = uint8_t(b.monitorSum + data);
            return done({}, "monitor: byte stored");
        }
        case 'e': return done({b.monitorSum}, "monitor: sum");
        case kEsc: return done({kEsc}, "monitor: escape");
        case 'P':
            b.flashOpen = true;
            b.cpuFlash = {};
            b.blockAddresses.clear();
            return done({'P'}, "monitor: CPU flash opened");
        case 'W': {
            if (command_.size() < kBlockLength) return std::nullopt;
            auto header = std::span(command_).subspan(1, 3);
            auto address = LowerHex(std::span(command_).subspan(4, 5));
            const bool valid = header[0] == 'C' && header[1] == '8' && header[2] == '0' &&
                               address && *address + kBlockData <= SimMemory::kSize;
            if (!valid || !b.flashOpen) return done({kBlockRefused}, "monitor: block refused");
            b.cpuFlash.Write(*address, std::span(command_).subspan(9));
            b.blockAddresses.push_back(*address);
            std::vector<uint8_t> answer;
            if (b.blockAnswer) answer.push_back(*b.blockAnswer);
            return done(std::move(answer), "monitor: CPU block written");
        }
        case 'c': b.flashOpen = false; return done({}, "monitor: CPU flash closed");
        case 'R': {
            std::string note = "monitor: restart into the application";
            note += TakeCpuImageVersions(scenario, b.cpuFlash);
            scenario.power = Power::On;
            scenario.state = '+';
            Reset();
            return Outcome{{'R'}, {}, note};
        }
        default: return done({}, "monitor: unknown command, ignored");
    }
}

}  // namespace varelo::sim
