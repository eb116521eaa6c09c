#include "timeplot/StoredChannelSelection.h"

#include <algorithm>

#include "app/Settings.h"

namespace varelo {

namespace {
// The export offers at most this many channels; a larger stored count is damage.
constexpr int kMostStored = 999;
}  // namespace

StoredChannelSelection StoredChannelSelection::ForTimeplot(bool online, char functionLetter) {
    return {online ? "Level-Time OnLine" : "Level-Time OffLine", functionLetter, 0};
}

StoredChannelSelection StoredChannelSelection::ForExport(char functionLetter) {
    return {"ASCII", functionLetter, 1};
}

std::vector<int> StoredChannelSelection::Read(Settings& settings) const {
    std::vector<int> channels;
    if (!Usable()) return channels;
    const int count =
        std::clamp(settings.ReadInt(setting::ChannelCount(section_, letter_)), 0, kMostStored);
    for (int i = 0; i < count; ++i) {
        const int channel =
            settings.ReadInt(setting::ChannelEntry(section_, letter_, firstIndex_ + i));
        if (channel > 0) channels.push_back(channel);
    }
    return channels;
}

void StoredChannelSelection::Write(Settings& settings, const std::vector<int>& channels) const {
    if (!Usable()) return;
    const int count = std::min(int(channels.size()), kMostStored);
    settings.Write(setting::ChannelCount(section_, letter_), count);
    for (int i = 0; i < count; ++i)
        settings.Write(setting::ChannelEntry(section_, letter_, firstIndex_ + i),
                       channels[size_t(i)]);
}

}  // namespace varelo
