#pragma once

#include <span>
#include <string>
#include <string_view>

namespace varelo::sim {

// One "--name value" or "--name=value" option of the command line at args[i]; i moves past a
// separate value. False with the error when the argument is no option or has no value.
bool TakeOption(std::span<const std::string> args, size_t& i, std::string_view& name,
                std::string& value, std::string& error);

}  // namespace varelo::sim
