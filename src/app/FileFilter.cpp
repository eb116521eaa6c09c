#include "app/FileFilter.h"

namespace varelo {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(separator, start), text.size());
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter) {
    std::vector<FileFilterEntry> entries;
    const auto fields = Split(filter, '|');
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty() || fields[i + 1].empty()) break;
        FileFilterEntry entry{fields[i], {}};
        for (auto& pattern : Split(fields[i + 1], ';')) {
            if (!pattern.empty()) entry.patterns.push_back(std::move(pattern));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string DialogFilterText(const FileFilterEntry& entry) {
    std::string text = entry.text;
    // Dialogs read the last bracketed part as the patterns; the text's own would mislead them.
    if (!text.empty() && text.back() == ')') {
        if (const size_t open = text.rfind('('); open != std::string::npos) {
            text.erase(open);
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
        }
    }
    text += " (";
    for (size_t i = 0; i < entry.patterns.size(); ++i) {
        if (i > 0) text += ' ';
        text += entry.patterns[i];
    }
    return text + ")";
}

}  // namespace varelo
