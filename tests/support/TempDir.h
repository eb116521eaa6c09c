#pragma once

#include <string>

namespace varelo::test {

// A fresh folder below the system's temporary folder, removed with its content at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    void Write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

// The whole content of a file, empty when it cannot be read.
std::string ReadAll(const std::string& path);

// Sets an environment variable for its lifetime and restores the previous value.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const char* value);
    ~ScopedEnv();

private:
    std::string name_;
    bool hadValue_ = false;
    std::string previous_;
};

}  // namespace varelo::test
