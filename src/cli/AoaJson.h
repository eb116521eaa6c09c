#pragma once

#include <string>
#include <string_view>

namespace varelo {

class CAOARootObj;

// The definition as `aoa show --json` prints it, and back: the same JSON gives the same file.
std::string AoaToJson(const CAOARootObj& root);
// Every field is required and none other is taken, so a misspelt name is an error, not a
// default; false with the reason in problem.
bool AoaFromJson(std::string_view json, CAOARootObj& root, std::string& problem);

}  // namespace varelo
