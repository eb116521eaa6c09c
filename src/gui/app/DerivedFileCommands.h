#pragma once

class QWidget;

namespace varelo {

class CVamor800Doc;
class Settings;
class UserInterface;

// Command 33115: the 10- and 15-minute files of the open measurement.
void RunDerivedFilesCommand(const CVamor800Doc& doc, UserInterface& ui);
// Command 33043: a measurement file chosen in the open dialog, its current transformer data
// corrected in dialog 162.
void RunChangeTransformerCommand(Settings& settings, UserInterface& ui, QWidget* parent);

}  // namespace varelo
