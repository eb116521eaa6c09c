#pragma once

#include <string>

namespace varelo::sim {

// The Logger's end of a pseudo-terminal. The slave side is what the PC opens as its port; it
// is raw, so every byte passes untranslated, and this object keeps a slave descriptor of its
// own open so that the master sees no hang-up while the PC closes the port between
// operations.
class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    ~PseudoTerminal() { Close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool Open(std::string& error);
    void Close();
    bool IsOpen() const { return master_ >= 0; }

    // Non-blocking master descriptor: the Logger reads commands and writes answers here.
    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace varelo::sim
