#pragma once

#include <string>
#include <vector>

namespace varelo {

class Settings;

// The channels chosen last, per measurement function: the count under the function letter,
// the channels under the letter and a two-digit index. Timeplots count from 0 (stored and
// online diagrams apart), the ASCII export from 1.
class StoredChannelSelection {
public:
    static StoredChannelSelection ForTimeplot(bool online, char functionLetter);
    static StoredChannelSelection ForExport(char functionLetter);

    // Only functions A and P have a letter to store under.
    bool Usable() const { return letter_ == 'A' || letter_ == 'P'; }
    // The stored channels in order, absent and negative entries left out.
    std::vector<int> Read(Settings& settings) const;
    void Write(Settings& settings, const std::vector<int>& channels) const;

private:
    StoredChannelSelection(std::string section, char letter, int firstIndex)
        : section_(std::move(section)), letter_(letter), firstIndex_(firstIndex) {}

    std::string section_;
    char letter_;
    int firstIndex_;
};

}  // namespace varelo
