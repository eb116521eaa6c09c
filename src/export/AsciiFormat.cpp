#include "export/AsciiFormat.h"

#include <locale>

#include "app/Settings.h"

namespace varelo {

namespace {

int Flag(Settings& settings, const SettingKey& key) {
    const int value = settings.ReadInt(key);
    return value == 0 || value == 1 ? value : key.intDefault;
}

}  // namespace

char AsciiFormat::Delimiter() const {
    switch (delimiter) {
        case 2: return '\t';
        case 3:
        case 6: return ' ';
        case 4:
        case 7: return ';';
        default: return ',';
    }
}

char AsciiFormat::DecimalSeparator(char localeDecimal) const {
    if (!winDecimal) return '.';
    // Asked for the regional separator, the person wants something other than the point.
    return localeDecimal == '.' || localeDecimal == 0 ? ',' : localeDecimal;
}

AsciiFormat AsciiFormat::Load(Settings& settings, char localeDecimal) {
    AsciiFormat f;
    const int delimiter = settings.ReadInt(setting::AsciiDelimitter);
    f.delimiter = delimiter >= kFirstDelimiter && delimiter <= kLastDelimiter ? delimiter : 1;
    const int regional = localeDecimal != '.' ? 1 : 0;
    const int winDecimal =
        settings.Store().GetInt(settings.SettingsSection(setting::AsciiWinDecimal.section),
                                setting::AsciiWinDecimal.key, regional);
    f.winDecimal = (winDecimal == 0 || winDecimal == 1 ? winDecimal : regional) == 1;
    f.noHeader = Flag(settings, setting::AsciiFixPositon) == 1;
    f.quote = Flag(settings, setting::AsciiTxtDelimitter) == 1;
    f.lineNumbers = Flag(settings, setting::AsciiLineNr) == 1;
    f.regionalTime = Flag(settings, setting::AsciiDateTime) == 1;
    f.status = Flag(settings, setting::AsciiStatus) == 1;
    return f;
}

void AsciiFormat::Save(Settings& settings, bool withStatus) const {
    settings.Write(setting::AsciiDelimitter, delimiter);
    settings.Write(setting::AsciiWinDecimal, winDecimal ? 1 : 0);
    settings.Write(setting::AsciiFixPositon, noHeader ? 1 : 0);
    settings.Write(setting::AsciiTxtDelimitter, quote ? 1 : 0);
    settings.Write(setting::AsciiLineNr, lineNumbers ? 1 : 0);
    settings.Write(setting::AsciiDateTime, regionalTime ? 1 : 0);
    if (withStatus) settings.Write(setting::AsciiStatus, status ? 1 : 0);
}

char LocaleDecimalSeparator() {
    try {
        const std::locale user("");
        return std::use_facet<std::numpunct<char>>(user).decimal_point();
    } catch (const std::exception&) {
        return '.';
    }
}

}  // namespace varelo
