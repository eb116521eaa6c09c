#include "logger/ProtocolSettings.h"

#include "app/Settings.h"
#include "app/Startup.h"

namespace varelo {

namespace {

uint32_t InRange(Settings& settings, const SettingKey& key, int low, int high, int substitute) {
    std::string section = settings.SettingsSection(key.section);
    if (!settings.Store().Has(section, key.key)) return uint32_t(substitute);
    int value = settings.ReadInt(key);
    return uint32_t(value >= low && value <= high ? value : substitute);
}

}  // namespace

ProtocolSettings ProtocolSettings::Read(Settings& settings) {
    ProtocolSettings s;
    s.portNumber = settings.ReadInt(setting::ComPort);
    if (s.portNumber < 1 || s.portNumber > 9) {
        s.portNumber = 1;
        settings.Write(setting::ComPort, 1);
    }
    s.baudText = settings.ReadString(setting::BaudRate);
    bool listed = false;
    for (const char* rate : BaudRates()) listed = listed || s.baudText == rate;
    if (!listed) {
        s.baudText = "115200";
        settings.Write(setting::BaudRate, s.baudText);
    }
    s.maxResponseTime = InRange(settings, setting::MaxResponseTime, 2000, 4700, 3000);
    s.commandDelayData = InRange(settings, setting::CommandDelayData, 0, 32000, 50);
    s.maxInitTime = InRange(settings, setting::MaxInitTime, 3000, 32000, 7000);
    s.eventCommandDelay = InRange(settings, setting::EventCommandDelay, 0, 32000, 200);
    return s;
}

}  // namespace varelo
