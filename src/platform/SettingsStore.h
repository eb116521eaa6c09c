#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "platform/IniFile.h"

namespace varelo {

// The per-user settings store: named sections of integer and string values in one file,
// written through at once. Another process's writes are seen by the next read.
class SettingsStore {
public:
    explicit SettingsStore(std::string path);

    int GetInt(std::string_view section, std::string_view key, int defaultValue);
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue);
    bool Has(std::string_view section, std::string_view key);
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Path() const { return path_; }

    // The store of the user: $XDG_CONFIG_HOME/Orbant/Varelo.conf (~/.config when unset).
    static std::string DefaultPath();

private:
    void Refresh();
    bool Write(std::string_view section, std::string_view key, std::string_view raw);

    std::string path_;
    IniFile ini_;
    struct Stamp {
        bool exists = false;
        ino_t inode = 0;
        off_t size = 0;
        long long mtimeNs = 0;
        bool operator==(const Stamp&) const = default;
    } stamp_;
    bool loaded_ = false;
};

}  // namespace varelo
