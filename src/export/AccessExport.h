#pragma once

#include <array>
#include <string>

#include "export/AccessConfiguration.h"
#include "measurement/TimeStamp.h"

namespace varelo {

class CMeasurementJob;
class CVamor800Doc;
class Settings;
class UserInterface;

// The header table's one row, as the header dialog edits it.
struct HeaderTableValues {
    std::array<std::string, HeaderTableConfiguration::kTexts> texts;
    std::string averagingInterval;
    long long numberOfIntervals = 0;
    double nominalVoltage = 0;
    // Programmed start and end, real start and end.
    std::array<CTimeStamp, 4> times;
};

// Everything the database file is written from.
struct AccessExportPlan {
    AccessConfiguration configuration;
    bool withHeader = false;
    HeaderTableConfiguration header;
    HeaderTableValues headerValues;
};

// "30 s" below a minute, else whole minutes: "10 min".
std::string AveragingIntervalText(int seconds);
// Into 1980-01-01 ... 2037-12-31.
CTimeStamp ClampHeaderTime(const CTimeStamp& time);
HeaderTableValues DefaultHeaderValues(const CVamor800Doc& doc);
// The text columns the configuration leaves open take the job's titles.
void DefaultHeaderNames(HeaderTableConfiguration& header, const CMeasurementJob& job);

// The configuration file the export dialog starts with: the stored one of the function, else
// the shipped template of the function when it exists, else none.
std::string InitialAccessConfigFile(Settings& settings, char functionLetter);
void StoreAccessSettings(Settings& settings, char functionLetter, const std::string& configFile,
                         bool headerTable);

// Reads the configuration and, when asked, the header table's names, and fills the header's
// defaults; false after the first error's message.
bool PrepareAccessExport(const CVamor800Doc& doc, const std::string& configFile, bool withHeader,
                         UserInterface& ui, AccessExportPlan& plan);

// Writes the database. The file replaces an old one only when complete; a failure shows the
// database's or the file system's message and leaves an old file as it was.
bool WriteAccessDatabase(const std::string& path, const AccessExportPlan& plan,
                         const CVamor800Doc& doc, UserInterface& ui);

}  // namespace varelo
