#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/Scenario.h"

namespace varelo::sim {

// The Logger's processor in its serial bootstrap mode, byte by byte: silent until a zero
// byte, which it answers with its ident byte; then it takes the 32 bytes of the primary
// loader and the 512 bytes of the hex loader; then the monitor's commands. "R" restarts the
// application. A Logger switched off answers nothing.
class BootstrapLoader {
public:
    static constexpr size_t kLoaderSize = 32;
    static constexpr size_t kHexLoaderSize = 512;

    struct Outcome {
        std::vector<uint8_t> received;
        std::vector<uint8_t> send;
        std::string note;
    };

    // Starts again from the silence before the zero byte.
    void Reset();
    // Takes one byte; an outcome when a command or a stage is complete.
    std::optional<Outcome> Receive(uint8_t byte, Scenario& scenario);

private:
    enum class Stage { WaitForZero, Loader, HexLoader, Monitor };

    std::optional<Outcome> MonitorCommand(Scenario& scenario);

    Stage stage_ = Stage::WaitForZero;
    std::vector<uint8_t> command_;
};

}  // namespace varelo::sim
