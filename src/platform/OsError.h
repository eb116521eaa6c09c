#pragma once

#include <string>

namespace varelo {

// An operating-system failure: its code and the system's own text for it.
struct OsError {
    int code = 0;
    std::string text;

    bool Failed() const { return code != 0; }
    static OsError None() { return {}; }
    static OsError FromErrno(int err);
};

}  // namespace varelo
