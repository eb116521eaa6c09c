#pragma once

class QIcon;

namespace varelo {

// Registers the program's compiled-in resources (icons) and its window icon; the library that holds
// them is static, so nothing registers them by itself. Safe to call more than once.
void LoadResources();
// The tool bar image of a command (resources/icons/<id>.svg); a null icon when it has none.
QIcon CommandIcon(int commandId);

}  // namespace varelo
