#pragma once

#include <string>

#include "platform/OsError.h"

namespace varelo {

// The user's text for a failed file operation: one message per kind of system failure, with
// the file's name where the message has a place for it.
std::string FileErrorMessage(const OsError& error, const std::string& fileName);

// The message number FileErrorMessage uses for a system error code.
int FileErrorMessageId(int code);

}  // namespace varelo
