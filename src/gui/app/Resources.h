#pragma once

namespace varelo {

// Registers the program's compiled-in resources (icons) and its window icon; the library that holds
// them is static, so nothing registers them by itself. Safe to call more than once.
void LoadResources();

}  // namespace varelo
