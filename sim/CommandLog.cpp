#include "sim/CommandLog.h"

#include <cerrno>
#include <cstring>

#include "sim/ByteText.h"

namespace varelo::sim {

CommandLog::~CommandLog() {
    if (file_)
        std::fclose(file_);
}

bool CommandLog::OpenFile(const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        error = "cannot write the command log '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::lock_guard lock(mutex_);
    if (file_)
        std::fclose(file_);
    file_ = file;
    return true;
}

void CommandLog::Add(SteadyClock::time_point receivedAt, std::vector<uint8_t> bytes,
                     std::string note) {
    std::lock_guard lock(mutex_);
    entries_.push_back({receivedAt - start_, std::move(bytes), std::move(note)});
    if (file_) {
        // Flushed per line so that the log can be followed while the Logger runs.
        std::string line = FormatLine(entries_.back()) + "\n";
        std::fputs(line.c_str(), file_);
        std::fflush(file_);
    }
    added_.notify_all();
}

std::vector<LoggedCommand> CommandLog::Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

std::vector<uint8_t> CommandLog::ReceivedBytes() const {
    std::lock_guard lock(mutex_);
    std::vector<uint8_t> bytes;
    for (const auto& e : entries_)
        bytes.insert(bytes.end(), e.bytes.begin(), e.bytes.end());
    return bytes;
}

bool CommandLog::WaitForCount(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return added_.wait_for(lock, timeout, [&] { return entries_.size() >= count; });
}

std::string CommandLog::FormatLine(const LoggedCommand& entry) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%12.6f",
                  std::chrono::duration<double>(entry.time).count());
    std::string line = seconds;
    line += "  " + HexBytes(entry.bytes) + "  " + PrintableBytes(entry.bytes);
    if (!entry.note.empty())
        line += "  " + entry.note;
    return line;
}

}  // namespace varelo::sim
