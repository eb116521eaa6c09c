#pragma once

#include <string>

class QWidget;

namespace varelo {

class CVamor800Doc;
class Settings;
class UserInterface;

// The export commands of the measurement document: the dialogs gather what the core's export
// functions need, the core writes.
class ExportCommandRunner {
public:
    ExportCommandRunner(const CVamor800Doc& doc, Settings& settings, UserInterface& ui,
                        QWidget* parent)
        : doc_(doc), settings_(settings), ui_(ui), parent_(parent) {}

    // Runs the command of that id; false for a command that is not an export of this kind.
    bool Run(int commandId);

    void Intervals();
    void Statistics();
    void Events();
    void SpanishReport();
    void Vse();
    void Database();

private:
    bool ChooseFile(const char* suffix, std::string& path);

    const CVamor800Doc& doc_;
    Settings& settings_;
    UserInterface& ui_;
    QWidget* parent_;
};

}  // namespace varelo
