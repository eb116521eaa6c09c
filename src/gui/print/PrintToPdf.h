#pragma once

#include <string>
#include <vector>

#include "measurement/TimeStamp.h"
#include "timeplot/DiagramState.h"

// Qt-free entry of the command line into the views' printing.
namespace varelo {

class CVamor800Doc;
class Settings;
class UserInterface;
struct VseProtocol;

// What a timeplot printout shows: its curves (none: the phase voltages), its period (0: the
// stored one), energy and a limit line.
struct PrintChoices {
    std::vector<int> channels;
    int period = 0;
    bool energy = false;
    int limitCurve = -1;
    int limitBand = 0;
    // The lists: the interval status, and the value list's print period and first interval.
    bool status = false;
    CTimeStamp start;
    // The timeplot: manual Y ranges of the channels (an application's); none keeps the
    // stored scaling.
    std::vector<YRange> ranges;
};

// "graphical-summary|table-summary|events|disdip|timeplot|voltage-cumulative|current-cumulative|
// statistical-values|most-critical|exceedings|value-list"
const char* PrintoutNames();
bool IsPrintoutName(const std::string& name);

// Prints a view's printout of an opened document into a PDF file through the views' own paint
// routines, headless when no display is there. The file appears under its name only when it is
// complete. False after a failure, whose message went to the user interface.
bool PrintToPdf(CVamor800Doc& doc, const std::string& printout, const std::string& output,
                Settings& settings, UserInterface& ui, const PrintChoices& choices = {});

// Prints the job protocol of a job file, or of the job a measurement file was recorded with, into
// a PDF file. False when the file holds no readable job (nothing is written) or after a failure.
bool PrintJobProtocolToPdf(const std::string& file, const std::string& output, Settings& settings,
                           UserInterface& ui);

// Prints the information about a measurement file (printout kind 2) into a PDF file. False when
// the file cannot be read (message 374; nothing is written) or after a failure.
bool PrintMeasurementInfoFileToPdf(const std::string& file, const std::string& output,
                                   Settings& settings, UserInterface& ui);

// Prints a limit value level file's printout into a PDF file. False when the file is no limit
// value level file (nothing is written) or after a failure.
bool PrintLimitFileToPdf(const std::string& file, const std::string& output, Settings& settings,
                         UserInterface& ui);

// Prints the protocol of a VSE export into a PDF file; the document name is the export's path.
bool PrintVseProtocolToPdf(const VseProtocol& protocol, const std::string& documentName,
                           const std::string& output, Settings& settings, UserInterface& ui);

}  // namespace varelo
