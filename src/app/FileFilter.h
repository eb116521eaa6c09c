#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varelo {

// One entry of a file dialog's filter: the text shown and its patterns.
struct FileFilterEntry {
    std::string text;                   // "Varelo measurement files (*.VXM)"
    std::vector<std::string> patterns;  // "*.VXM"
};

// Reads a filter "text|patterns|text|patterns||" whose patterns are separated by ";". An entry
// without patterns ends the list.
std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter);

// The entry as file dialogs on this platform want it: the text without its own bracketed
// pattern list, then the patterns in brackets separated by blanks.
std::string DialogFilterText(const FileFilterEntry& entry);

}  // namespace varelo
