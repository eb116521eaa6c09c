#include "platform/Paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace varelo {

namespace fs = std::filesystem;

std::string ProgramFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

std::string DataFolder() {
    if (const char* dir = std::getenv("VARELO_DATA_DIR"); dir && *dir) return dir;
    return (fs::path(ProgramFolder()).parent_path() / "share" / "varelo").string();
}

std::string UserDataFolder() {
    std::string documents;
    if (const char* dir = std::getenv("XDG_DOCUMENTS_DIR"); dir && *dir) {
        documents = dir;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        documents = std::string(home) + "/Documents";
    } else {
        return ProgramFolder();
    }
    if (documents.back() != '/') documents += '/';
    return documents + "Varelo";
}

bool FileIsReadable(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return file.good() && !fs::is_directory(path);
}

}  // namespace varelo
