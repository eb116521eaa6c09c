#pragma once

#include <string>
#include <vector>

namespace varelo {

class Settings;

// The files opened last, newest first, at most nine, kept in the settings store
// ("Recent File List", "File1".."File9").
class RecentFiles {
public:
    static constexpr size_t kCapacity = 9;

    explicit RecentFiles(Settings& settings);

    const std::vector<std::string>& Entries() const { return entries_; }
    // Moves the path to the front (once only) and stores the list.
    void Add(const std::string& path);
    // Drops a path that could not be opened.
    void Remove(const std::string& path);

private:
    void Store();

    Settings& settings_;
    std::vector<std::string> entries_;
};

}  // namespace varelo
