#include "platform/SettingsStore.h"

#include <sys/stat.h>

#include <charconv>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "platform/AtomicFile.h"

namespace varelo {

namespace {

// Strings are stored quoted and escaped, integers bare, so the two types stay apart as they
// do in a registry: an integer read of a string value gives the default.
std::string EncodeString(std::string_view value) {
    std::string out = "\"";
    for (char c : value) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out + "\"";
}

bool IsQuoted(std::string_view raw) {
    return raw.size() >= 2 && raw.front() == '"' && raw.back() == '"';
}

std::string DecodeString(std::string_view raw) {
    if (!IsQuoted(raw)) return std::string(raw);
    raw = raw.substr(1, raw.size() - 2);
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        char c = raw[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

}  // namespace

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {}

std::string SettingsStore::DefaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.config";
    }
    return base + "/Orbant/Varelo.conf";
}

void SettingsStore::Refresh() {
    struct stat st {};
    Stamp now;
    if (::stat(path_.c_str(), &st) == 0) {
        now = {true, st.st_ino, st.st_size,
               static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
    }
    if (loaded_ && now == stamp_) return;
    if (!now.exists || !ini_.Load(path_)) ini_ = IniFile();
    stamp_ = now;
    loaded_ = true;
}

bool SettingsStore::Has(std::string_view section, std::string_view key) {
    Refresh();
    return ini_.Find(section, key) != nullptr;
}

int SettingsStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
    Refresh();
    const std::string* raw = ini_.Find(section, key);
    if (!raw || IsQuoted(*raw)) return defaultValue;
    long value = 0;
    auto [end, ec] = std::from_chars(raw->data(), raw->data() + raw->size(), value);
    if (ec != std::errc() || end != raw->data() + raw->size() || value < INT_MIN ||
        value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

std::string SettingsStore::GetString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) {
    Refresh();
    const std::string* raw = ini_.Find(section, key);
    return raw ? DecodeString(*raw) : std::string(defaultValue);
}

bool SettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
    return Write(section, key, std::to_string(value));
}

bool SettingsStore::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
    return Write(section, key, EncodeString(value));
}

bool SettingsStore::Write(std::string_view section, std::string_view key, std::string_view raw) {
    Refresh();
    ini_.Set(section, key, raw);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    bool ok = !WriteFileAtomically(path_, ini_.ToText()).Failed();
    loaded_ = false;  // re-read on the next access, so the stamp is the written file's
    return ok;
}

}  // namespace varelo
