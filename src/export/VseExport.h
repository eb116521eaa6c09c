#pragma once

#include <array>
#include <string>
#include <vector>

#include "export/ExportFile.h"
#include "measurement/TimeStamp.h"

namespace varelo {

class Settings;
class UserInterface;
struct ExportSource;

// The identification of the measurement point the file starts with, and the protocol choice.
struct VseSettings {
    static constexpr unsigned kMaxEwNumber = 9999;
    unsigned ewNumber = 0;
    int location = 0;     // index into kVseLocationTexts
    int transformer = 0;  // index into kVseTransformerTexts
    bool protocol = false;
    bool save = false;
};

extern const std::array<int, 8> kVseLocationTexts;
extern const std::array<int, 13> kVseTransformerTexts;

// Out-of-range stored values read as in the settings table.
VseSettings LoadVseSettings(Settings& settings);
// "Save" always; the rest only when it is set.
void StoreVseSettings(Settings& settings, const VseSettings& vse);

// Voltage THD average, voltage harmonics and voltage interharmonics.
bool IsVseQuantity(int quantity);

// The largest value of a channel and the interval it occurred in; the earliest one wins.
struct VseMaximum {
    int channelId = 0;
    double value = 0;
    CTimeStamp time;
    bool found = false;  // a measurement without intervals has no maximum
};

std::vector<VseMaximum> ScanVseMaxima(const ExportSource& source, const std::vector<int>& channels);

// The file's text (lines ending with LF) and the channel line of one maximum.
std::string VseFileText(const VseSettings& vse, const std::vector<VseMaximum>& maxima,
                        const ExportSource& source);
std::string VseChannelLine(const VseMaximum& maximum, const ExportSource& source);

struct VseRequest {
    std::string path;
    VseSettings settings;
    std::vector<int> channels;
};

// Scans and writes the file; the maxima are handed back for the protocol.
ExportResult ExportVse(const ExportSource& source, const VseRequest& request, int codePage,
                       UserInterface& ui, std::vector<VseMaximum>& maxima);

// The protocol page: labelled lines, then a table of one row per maximum.
struct VseProtocol {
    struct Line {
        std::string label;
        std::string value;
    };
    std::vector<Line> lines;  // an empty label and value is an empty line
    std::array<std::string, 5> head;
    std::vector<std::array<std::string, 5>> rows;
};

VseProtocol BuildVseProtocol(const ExportSource& source, const std::string& measurementPath,
                             const VseRequest& request, const std::vector<VseMaximum>& maxima);

}  // namespace varelo
