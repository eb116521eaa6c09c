#pragma once

namespace varelo {

class Settings;

// The output format of the ASCII exports (dialog "Output format"), as stored under "ASCII".
struct AsciiFormat {
    static constexpr int kFirstDelimiter = 1;  // comma
    static constexpr int kLastDelimiter = 7;   // table format with semicolon
    static constexpr int kFirstTable = 5;

    int delimiter = 1;          // 1 ",", 2 tab, 3 " ", 4 ";", 5-7 table with ",", " ", ";"
    bool winDecimal = false;    // the locale's decimal separator instead of "."
    bool noHeader = false;      // "FixPositon": the seven header lines left out
    bool quote = false;         // "TxtDelimitter": every field in double quotes
    bool lineNumbers = false;   // "LineNr"
    bool regionalTime = false;  // "DateTime": timestamps in the locale's format
    bool status = false;        // interval export: the status letters after the timestamp

    bool TableFormat() const { return delimiter >= kFirstTable; }
    char Delimiter() const;
    // The separator numbers are written with; localeDecimal is the user locale's.
    char DecimalSeparator(char localeDecimal) const;

    // The stored format; out-of-range values read as their defaults, "WinDecimal" by default
    // as the locale suggests.
    static AsciiFormat Load(Settings& settings, char localeDecimal);
    // "Status" is the interval export's alone.
    void Save(Settings& settings, bool withStatus) const;
};

// The decimal separator of the user's locale (LC_NUMERIC of the environment); "." when the
// locale cannot be had.
char LocaleDecimalSeparator();

}  // namespace varelo
