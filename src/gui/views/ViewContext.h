#pragma once

namespace varelo {

class AppOptions;
class CVamor800Doc;
class Settings;
class UserInterface;

// What a result view reads and whom it asks: the one open measurement, the settings store,
// the process options and the message boxes.
struct ViewContext {
    CVamor800Doc* doc;
    Settings* settings;
    const AppOptions* options;
    UserInterface* ui;
};

}  // namespace varelo
