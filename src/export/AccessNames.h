#pragma once

#include <string>
#include <string_view>

namespace varelo {

// A quantity name the configuration may give that no measurement holds: a harmonic order
// outside its family's range. The column is then filled as for a missing quantity.
inline constexpr int kChannelNotHeld = 0;

// The channel identifier of a configuration's quantity name ("Umean" "L1" = 1011,
// "Iharm" "3" "N" = 4123); -1 when the text is not a quantity name.
int ParseQuantityName(std::string_view text);

// Trims the name in place; true when it has 1 to 64 characters and none of . ! ` [ ] or a
// control character.
bool IsValidAccessName(std::string& name);

}  // namespace varelo
