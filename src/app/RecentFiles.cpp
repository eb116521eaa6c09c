#include "app/RecentFiles.h"

#include <algorithm>

#include "app/Settings.h"

namespace varelo {

namespace {

constexpr const char* kSection = "Recent File List";

std::string KeyOf(size_t index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

RecentFiles::RecentFiles(Settings& settings) : settings_(settings) {
    for (size_t i = 0; i < kCapacity; ++i) {
        std::string path = settings_.Store().GetString(kSection, KeyOf(i), "");
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end())
            entries_.push_back(std::move(path));
    }
}

void RecentFiles::Add(const std::string& path) {
    std::erase(entries_, path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kCapacity) entries_.resize(kCapacity);
    Store();
}

void RecentFiles::Remove(const std::string& path) {
    std::erase(entries_, path);
    Store();
}

void RecentFiles::Store() {
    for (size_t i = 0; i < kCapacity; ++i)
        settings_.Store().WriteString(kSection, KeyOf(i), i < entries_.size() ? entries_[i] : "");
}

}  // namespace varelo
