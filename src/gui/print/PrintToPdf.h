#pragma once

#include <string>

// Qt-free entry of the command line into the views' printing.
namespace varelo {

class CVamor800Doc;
class Settings;
class UserInterface;

// "graphical-summary|table-summary|events|disdip"
const char* PrintoutNames();
bool IsPrintoutName(const std::string& name);

// Prints a view's printout of an opened document into a PDF file through the views' own paint
// routines, headless when no display is there. The file appears under its name only when it is
// complete. False after a failure, whose message went to the user interface.
bool PrintToPdf(const CVamor800Doc& doc, const std::string& printout, const std::string& output,
                Settings& settings, UserInterface& ui);

}  // namespace varelo
