#include "support/TempDir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace varelo::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varelo-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(const std::string& name, const std::string& content) const {
    std::ofstream(File(name), std::ios::binary) << content;
}

ScopedEnv::ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
    if (const char* old = ::getenv(name_.c_str())) {
        hadValue_ = true;
        previous_ = old;
    }
    if (value)
        ::setenv(name_.c_str(), value, 1);
    else
        ::unsetenv(name_.c_str());
}

ScopedEnv::~ScopedEnv() {
    if (hadValue_)
        ::setenv(name_.c_str(), previous_.c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace varelo::test
