#include "sim/OptionArgument.h"

namespace varelo::sim {

bool TakeOption(std::span<const std::string> args, size_t& i, std::string_view& name,
                std::string& value, std::string& error) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
        error = "unexpected argument '" + arg + "'";
        return false;
    }
    name = arg;
    value.clear();
    if (const size_t eq = arg.find('='); eq != std::string::npos) {
        name = name.substr(0, eq);
        value = arg.substr(eq + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    }
    if (value.empty()) {
        error = "option " + std::string(name) + " needs a value";
        return false;
    }
    return true;
}

}  // namespace varelo::sim
