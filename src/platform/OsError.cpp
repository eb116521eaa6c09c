#include "platform/OsError.h"

#include <cstring>

namespace varelo {

OsError OsError::FromErrno(int err) {
    // The system texts end with a line break, as the messages that quote them expect.
    return OsError{err, std::string(std::strerror(err)) + "\n"};
}

}  // namespace varelo
