#pragma once

#include <string>

namespace varelo {

class CMeasurementJob;
struct QuantitySettings;
struct ReferenceInputs;

// The unit a channel's values are shown in, with the application's harmonic references and
// the channel's watts choice (W rather than kW).
std::string ChannelUnit(int channelId, const QuantitySettings& settings, bool watts = false);

// The decimals a channel's values are written with, chosen from its quantity and a reference
// magnitude (the end of its measuring range).
int ChannelDecimals(int channelId, const CMeasurementJob& job, double magnitude);
// The same with the end of the channel's measuring range as the magnitude.
int ChannelDecimals(int channelId, const ReferenceInputs& in);
// The decimals of a written value: as ChannelDecimals, but harmonics and interharmonics other
// than the fundamentals keep at least two, as their measuring range of 120 % would round a
// 0.4 % harmonic to "0". Scale labels keep ChannelDecimals.
int ValueDecimals(int channelId, const ReferenceInputs& in);

}  // namespace varelo
