#pragma once

#include <string_view>

namespace varelo {

// Names and fixed lines of the measurement data file container.
namespace file_format {
inline constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
inline constexpr std::string_view kComment = "<!--Varelo measurement data-->";
inline constexpr std::string_view kInternalComment = "<!--internal dependences, please do not edit-->";
inline constexpr std::string_view kRoot = "Vamor";
inline constexpr std::string_view kVersionLines[] = {
    "<Version>1.0.2</Version>", "<Version>1.0.1</Version>", "<Version>1.0.0</Version>"};
inline constexpr int kVersions[] = {102, 101, 100};

inline constexpr std::string_view kConfiguration = "KelvaroConfiguration";
inline constexpr std::string_view kJob = "KelvaroJob";
inline constexpr std::string_view kIntervals = "KelvaroIntervals";
inline constexpr std::string_view kStatistics = "KelvaroStatistics";
inline constexpr std::string_view kEvents = "KelvaroEvents";
inline constexpr std::string_view kLimitValues = "KelvaroLimitValues";

// An item block longer than this without its closing tag counts as empty.
inline constexpr size_t kMaxItemBlockLength = 128000;
inline constexpr int kUtf8CodePage = 65001;
inline constexpr int kAnsiCodePage = 1252;
}  // namespace file_format

}  // namespace varelo
