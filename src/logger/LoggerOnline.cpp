#include "app/StringTable.h"
#include "logger/LoggerLink.h"
#include "logger/OnlineSession.h"

#include "app/UserInterface.h"
#include "logger/LoggerOperations.h"
#include "logger/SoftwareInformation.h"

namespace varelo {

std::unique_ptr<COnlineSession> CLoggerOperations::StartOnline() {
    CLoggerInfo info;
    std::unique_ptr<CLoggerProtocol> protocol;
    {
        WaitCursor wait(link_.Ui());
        protocol = ConnectStep(info, 0);
    }
    if (!protocol) return nullptr;
    auto session = std::make_unique<COnlineSession>(std::move(protocol), info, link_.GetClock());
    if (info.OperatingState == 'K') {
        link_.Ui().ShowMessage(1097, Str(1097), MessageIcon::Stop);
        return nullptr;
    }
    // Only function A firmware of the extended family answers "O".
    if (info.MeasurementFunction() != kMeasFuncA || !info.IsExtendedFamily()) {
        link_.Ui().ShowMessage(1089, Str(1089), MessageIcon::Stop);
        return nullptr;
    }
    SoftwareInformation(info, link_.Ui(), firmwareFolder_)
        .CheckFirmwareCompatibility(kMeasFuncA, -1, -1);
    return session;
}

}  // namespace varelo
