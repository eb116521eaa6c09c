#include "timeplot/AoaDefinition/AOARootObj.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/AtomicFile.h"
#include "timeplot/AoaDefinition/AoaArchiveWriter.h"
#include "timeplot/AoaDefinition/AoaObList.h"

namespace varelo {

namespace {

constexpr size_t kDirectoryEntrySize = 12;

void PutU32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = char(value >> (8 * i));
}

// The file's bytes; NotFound for a missing file or a path that names none.
AoaReadError ReadBytes(const std::string& path, std::vector<uint8_t>& bytes, OsError* osError) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        const int err = errno;
        if (err == 0 || err == ENOENT || err == ENOTDIR || err == ENAMETOOLONG || err == EISDIR)
            return AoaReadError::NotFound;
        if (osError) *osError = OsError::FromErrno(err);
        return AoaReadError::FileError;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        if (osError) *osError = OsError::FromErrno(errno ? errno : EIO);
        return AoaReadError::FileError;
    }
    return AoaReadError::None;
}

}  // namespace

std::vector<CAOAAppGroup>* CAOARootObj::ListFor(uint32_t key) {
    for (Entry& entry : entries_) {
        if (entry.Key == key) return &entry.Groups;
    }
    if (entries_.size() >= kMaxEntries) return nullptr;
    entries_.push_back({key, 0, 0, {}});
    return &entries_.back().Groups;
}

AoaReadError CAOARootObj::Read(const std::string& path, uint32_t key, int ansiCodePage,
                               OsError* osError) {
    entries_.clear();
    std::vector<uint8_t> bytes;
    if (AoaReadError error = ReadBytes(path, bytes, osError); error != AoaReadError::None)
        return error;

    CAoaArchiveReader head(bytes, 0, ansiCodePage);
    uint32_t version = 0;
    uint16_t headerLength = 0;
    uint32_t count = 0;
    if (!head.U32(version)) return head.Error();
    if (version != kFormatVersion) return AoaReadError::BadSchema;
    if (!head.U16(headerLength)) return head.Error();
    if (headerLength > head.Remaining()) return AoaReadError::PastEnd;
    CAoaArchiveReader directory(bytes, 4 + 2 + size_t(headerLength), ansiCodePage);
    if (!directory.U32(count)) return directory.Error();
    if (count > kMaxEntries) return AoaReadError::BadFormat;
    std::vector<Entry> read(count);
    for (Entry& entry : read) {
        if (!(directory.U32(entry.Key) && directory.U32(entry.Offset) &&
              directory.U32(entry.Length)))
            return directory.Error();
    }

    auto readEntry = [&](Entry& entry) {
        CAoaArchiveReader in(bytes, entry.Offset, ansiCodePage);
        ReadObList(in, entry.Groups);
        return in.Error();
    };
    if (key == 0) {
        for (Entry& entry : read) {
            if (AoaReadError error = readEntry(entry); error != AoaReadError::None) return error;
        }
        entries_ = std::move(read);
        return AoaReadError::None;
    }
    auto found =
        std::find_if(read.begin(), read.end(), [&](const Entry& e) { return e.Key == key; });
    Entry only{key, 0, 0, {}};
    if (found != read.end()) {
        only = std::move(*found);
        if (AoaReadError error = readEntry(only); error != AoaReadError::None) return error;
    }
    entries_.push_back(std::move(only));
    return AoaReadError::None;
}

std::string CAOARootObj::Serialize() {
    CAoaArchiveWriter head;
    head.U32(kFormatVersion);
    constexpr size_t headerLength = sizeof kHeaderText - 1;
    head.U16(uint16_t(headerLength));
    std::string bytes = head.Bytes();
    bytes.append(kHeaderText, headerLength);
    CAoaArchiveWriter countOut;
    countOut.U32(uint32_t(entries_.size()));
    bytes += countOut.Bytes();
    const size_t directoryAt = bytes.size();
    bytes.append(kDirectoryEntrySize * entries_.size(), '\0');
    for (size_t i = 0; i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        CAoaArchiveWriter out;  // class numbering starts afresh for each entry
        WriteObList(out, entry.Groups);
        entry.Offset = uint32_t(bytes.size());
        entry.Length = uint32_t(out.Bytes().size());
        bytes += out.Bytes();
        const size_t at = directoryAt + kDirectoryEntrySize * i;
        PutU32(bytes, at, entry.Key);
        PutU32(bytes, at + 4, entry.Offset);
        PutU32(bytes, at + 8, entry.Length);
    }
    return bytes;
}

bool CAOARootObj::Write(const std::string& path, OsError* error) {
    OsError result = WriteFileAtomically(path, Serialize());
    if (error) *error = result;
    return !result.Failed();
}

}  // namespace varelo
