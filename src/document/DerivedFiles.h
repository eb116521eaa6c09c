#pragma once

#include <string>
#include <vector>

namespace varelo {

class CVamor800Doc;
class UserInterface;
struct MeasurementData;

// The name of a derived file: the source's folder and extension, its name with the suffix
// appended ("meas.VXM" and "10min" give "meas10min.VXM").
std::string DerivedFileName(const std::string& sourcePath, const std::string& suffix);

struct DerivedFileOutcome {
    bool written = false;
    bool cancelled = false;  // the save dialog was cancelled; no message was shown
    std::string path;        // where the file went, or the name that failed
};

// Writes the measurement with its intervals aggregated to targetSeconds to target. When the
// file cannot be created there, the save dialog offers another name, if askElsewhere is set.
// The file never replaces the source file itself (also not through another name for it); any
// failure but a cancelled dialog shows the file-error message with the file's name.
DerivedFileOutcome WriteDerivedFile(const MeasurementData& data, const std::string& sourcePath,
                                    const std::string& target, int targetSeconds, UserInterface& ui,
                                    bool askElsewhere);

struct DerivedFilesOutcome {
    bool written = false;            // both files
    std::vector<std::string> paths;  // the files written, in order
};

// The 10- and 15-minute files of an open measurement of 5-minute intervals, beside its file;
// the 15-minute file only when the 10-minute file was written. The status line shows the
// calculation while it runs and "Ready" afterwards, however it ended.
DerivedFilesOutcome CreateDerivedFiles(const CVamor800Doc& doc, UserInterface& ui,
                                       bool askElsewhere = true);

}  // namespace varelo
