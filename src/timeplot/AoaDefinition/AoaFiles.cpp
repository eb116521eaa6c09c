#include "timeplot/AoaDefinition/AoaFiles.h"

#include <algorithm>
#include <cctype>

#include "app/FileErrorMessage.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "timeplot/AoaDefinition/AOARootObj.h"

namespace varelo {

namespace {

constexpr size_t kCodeAndExtension = 7;  // "ENG.aoa"

size_t Characters(std::string_view utf8) {
    return size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string DefaultName(const std::string& dataFolder, const std::string& code) {
    return dataFolder + "/" + Str(197) + code + Str(199);
}

}  // namespace

std::string DefaultAoaPath(const std::string& dataFolder, const std::string& languageCode) {
    const std::string path = DefaultName(dataFolder, languageCode);
    return FileIsReadable(path) ? path : DefaultName(dataFolder, "ENG");
}

bool IsReservedAoaPath(const std::string& path, const std::string& dataFolder) {
    const size_t characters = Characters(path);
    if (characters < kCodeAndExtension) return false;
    const std::string reserved = dataFolder + "/" + Str(197);
    return SameIgnoringCase(Utf8Prefix(path, characters - kCodeAndExtension), reserved);
}

AoaReadError LoadAoaDefinition(const std::string& path, uint32_t key, CAOARootObj& root,
                               UserInterface& ui, int ansiCodePage) {
    OsError osError;
    const AoaReadError error = root.Read(path, key, ansiCodePage, &osError);
    if (error == AoaReadError::FileError) {
        ui.ShowMessage(FileErrorMessageId(osError.code), FileErrorMessage(osError, path),
                       MessageIcon::Warning);
    } else if (int id = AoaReadErrorMessage(error); id != 0) {
        ui.ShowMessage(id, Msg(id, {path}), MessageIcon::Warning);
    }
    return error;
}

}  // namespace varelo
