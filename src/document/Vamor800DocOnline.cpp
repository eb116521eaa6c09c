// The online side of the measurement document: set up over a connected Logger and fed one
// record per poll.
#include "app/AppOptions.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "logger/OnlineSession.h"
#include "measurement/IntervalNormalisation.h"
#include "measurement/OnlineRecords.h"

namespace varelo {

namespace {

constexpr int kOnlineFileVersion = 102;

}  // namespace

bool CVamor800Doc::OpenOnline(std::unique_ptr<COnlineSession> session) {
    ClearContents();
    online_ = true;
    session_ = std::move(session);
    data_.logger = session_->Info();
    data_.fileVersion = kOnlineFileVersion;
    bool ok = LoadLimits();
    if (ok && session_->Protocol().ReadMeasurementJob(data_.job) != 1) {
        ui_.ShowMessage(322, Str(322), MessageIcon::Warning);
        ok = false;
    }
    if (!ok) {
        ClearContents();
        return false;
    }
    // Such firmware sends the function A layout whatever the job says.
    if (data_.job.MeasFunc == kMeasFuncP && data_.logger.FirmwareGeneration() > 1)
        data_.job.MeasFunc = kMeasFuncA;
    CRawScaling scaling;
    scaling.Build(data_.job, kOnlineFileVersion, data_.logger.FirmwareGeneration());
    data_.intervals.SetScaling(scaling);
    data_.job.NrInterval = 0;
    loaded_ = true;
    return true;
}

bool CVamor800Doc::ReadOnlineRecord(CIntervalRecord& record) {
    if (!session_ || !data_.logger.IsExtendedFamily()) return false;
    if (!session_->Poll(MeasurementLetter(), record)) return false;
    ComputeDerivedValues(record, data_.intervals.Scaling(), options_.ThdOrder());
    record.DateTime = session_->LoggerNow();
    AppendOnlineRecord(data_.intervals, data_.job, record, GetIntervalLength());
    return true;
}

void CVamor800Doc::RestartOnline() {
    if (session_) session_->Restart();
}

}  // namespace varelo
