#include "export/ExportSource.h"

#include "document/Vamor800Doc.h"
#include "timeplot/ChannelFormat.h"
#include "timeplot/ReferenceRanges.h"

namespace varelo {

ExportSource ExportSource::Of(const CVamor800Doc& doc) {
    ExportSource source{doc.Data(), QuantitySettings::Current()};
    source.labels = AppOptions::Instance().PhaseLabeling();
    source.plt = doc.Plt();
    source.extremes = &doc.Extremes();
    return source;
}

int ExportSource::Decimals(int channelId) const {
    const ReferenceInputs in{data.job, quantities.voltageReference, quantities.currentReference,
                             extremes};
    return ValueDecimals(channelId, in);
}

}  // namespace varelo
