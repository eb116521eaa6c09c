#include "app/CommandTable.h"

#include <algorithm>

#include "app/Language.h"
#include "app/StringTable.h"
#include "app/TextKeys.h"

namespace varelo {

namespace {

using namespace cmd;

const std::vector<int> kLoggerItems = {
    kReadResults,  kReadOldResults, kSeparator,       kSetUpP,     kSetUpA,
    kJobTemplates, kSeparator,      kStopMeasurement, kSetClock,   kSetName,
    kSeparator,    kReset,          kSeparator,       kLoggerInfo, kOnline,
};
// The online level-time diagram reads, keeps templates, stops and informs; nothing else.
const std::vector<int> kOnlineLoggerItems = {
    kReadResults, kReadOldResults,  kSeparator, kJobTemplates,
    kSeparator,   kStopMeasurement, kSeparator, kLoggerInfo,
};
const std::vector<int> kSettingsItems = {
    kGeneralSettings, kLimitEditor, kAoaEditor, kColors, kSeparator, kLanguagesSlot,
};

constexpr int kExports[] = {33034, 33035, 33033, 33036, 33162, 33165, kSeparator, 33115};

constexpr int kToolBar[] = {
    kMeasurementInfo,
    kOpen,
    kReopen,
    kPrintDirect,
    kSeparator,
    kReadResults,
    kLoggerInfo,
    kOnline,
    kSeparator,
    kStopMeasurement,
    kSeparator,
    kGraphicalSummary,
    kTableSummary,
    kTimeplotManual,
    kTimeplotAoa,
    kVoltageCumulative,
    kCurrentCumulative,
    kDisDip,
    kSeparator,
    kGeneralSettings,
    kAbout,
};

constexpr int kDisDipPhases[2][4] = {{33111, 33112, 33113, 33114}, {33166, 33167, 33168, 33169}};
constexpr int kEventListPhases[2][4] = {{33103, 33108, 33109, 33110}, {33170, 33171, 33172, 33174}};
constexpr int kEventKinds[4] = {33104, 33105, 33106, 33107};
// The level-time diagram: periods | zoom | segments | axes and scaling | data.
constexpr int kTimeplotBar[] = {33145, 33140,      33141, 33139, kSeparator, 33149, 33153,
                                33151, kSeparator, 33161, 33159, kSeparator, 33147, 33148,
                                33154, kSeparator, 33046, 33045, 33044};

int LabelSet(PhaseLabels labels) {
    return labels == PhaseLabels::ABC ? 1 : 0;
}

constexpr int kViewCommands[] = {
    kGraphicalSummary,  kTableSummary,      kTimeplotManual, kTimeplotAoa,
    kVoltageCumulative, kCurrentCumulative, kDisDip,         kStatisticalValues,
    kMostCritical,      kAllExceedings,     kValueList,
};

// Commands with a handler whatever the state.
constexpr int kAlwaysEnabled[] = {
    kNew,
    kOpen,
    kPrinterSetup,
    kAbout,
    kExit,
    kGeneralSettings,
    kColors,
    kReadResults,
    kReadOldResults,
    kJobTemplates,
    kStopMeasurement,
    kSetClock,
    kSetName,
    kLoggerInfo,
    kSetUpP,
    kSetUpA,
    kLimitEditor,
    kAoaEditor,
    kChangeTransformer,
    kReset,
};

bool Contains(std::span<const int> list, int id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

bool IsLanguageCommand(int id) {
    const auto languages = Languages();
    return std::any_of(languages.begin(), languages.end(),
                       [id](const Language& l) { return l.menuCommand == id; });
}

}  // namespace

std::vector<MenuPopup> MenuBarOf(int templateId) {
    const std::vector<int> help = {kAbout};
    // The current cumulative frequency takes the voltage view's menu, so that its own popups
    // (scaling, class limits, timeplot) can be reached.
    if (templateId == 174) {
        return {
            {txt::menu_file,
             {kOpen, kChangeTransformer, kSeparator, kPrinterSetup, kSeparator, kRecentFilesSlot,
              kSeparator, kExit}},
            {txt::menu_logger, kLoggerItems},
            {txt::menu_settings, kSettingsItems},
            {txt::menu_help, help},
        };
    }
    return {
        {txt::menu_file,
         {kOpen, kReopen, kCloseDocument, kSeparator, kMeasurementInfo, kSeparator, kPrint,
          kPrintDirect, kPrinterSetup, kSeparator, kExportSlot, kSeparator, kRecentFilesSlot,
          kSeparator, kCloseWindow}},
        {txt::menu_logger, templateId == 180 ? kOnlineLoggerItems : kLoggerItems},
        {txt::menu_analysis,
         {kGraphicalSummary, kTableSummary, kStatisticalValues, kMostCritical, kAllExceedings,
          kSeparator, kTimeplotManual, kTimeplotAoa, kSeparator, kVoltageCumulative,
          kCurrentCumulative, kSeparator, kDisDip}},
        {{}, {kWindowMenusSlot}},
        {txt::menu_settings, kSettingsItems},
        {txt::menu_window, {kWindowNew, kWindowCascade, kWindowTile, kWindowArrange}},
        {txt::menu_help, help},
    };
}

std::span<const int> ExportCommands() {
    return kExports;
}
std::span<const int> MainToolBar() {
    return kToolBar;
}

std::vector<int> WindowToolBar(int templateId, PhaseLabels labels) {
    std::vector<int> bar;
    auto add = [&bar](std::span<const int> ids) { bar.insert(bar.end(), ids.begin(), ids.end()); };
    switch (templateId) {
        case 177:
            add(DisDipPhaseCommands(labels));
            bar.push_back(kSeparator);
            bar.push_back(kEventList);
            break;
        case 181: add(kTimeplotBar); break;
        case 178:
            add(EventListPhaseCommands(labels));
            bar.push_back(kSeparator);
            add(EventKindCommands());
            break;
        default: break;
    }
    return bar;
}

std::span<const int, 4> DisDipPhaseCommands(PhaseLabels labels) {
    return kDisDipPhases[LabelSet(labels)];
}
std::span<const int, 4> EventListPhaseCommands(PhaseLabels labels) {
    return kEventListPhases[LabelSet(labels)];
}
std::span<const int, 4> EventKindCommands() {
    return kEventKinds;
}

std::string CommandMenuText(int commandId) {
    return Strings::Instance().Has(commandId) ? Str(commandId) : std::string();
}

std::string CommandTipText(int commandId) {
    std::string text = CommandMenuText(commandId);
    if (const size_t newline = text.find('\n'); newline != std::string::npos)
        return text.substr(newline + 1);
    std::erase(text, '&');
    while (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

bool IsViewCommand(int commandId) {
    return Contains(kViewCommands, commandId);
}

bool IsShellCommandEnabled(int commandId, const CommandState& state, bool docEnabled,
                           bool viewBuilt) {
    if (Contains(kAlwaysEnabled, commandId) || IsLanguageCommand(commandId)) return true;
    if (commandId >= kRecentFirst && commandId < kRecentFirst + 9) return true;
    if (IsViewCommand(commandId)) return state.documentOpen && docEnabled && viewBuilt;
    switch (commandId) {
        case kReopen:
        case kCloseDocument: return state.documentOpen;
        case kPrint:
        case kPrintDirect:
        case kWindowNew: return state.resultViewActive;
        case kWindowCascade:
        case kWindowTile:
        case kWindowArrange:
        case kCloseWindow: return state.childWindowActive;
        case kExportIntervals:
        case kExportStatistics:
        case kExportEvents:
        case kSpanishReport:
        case kExportVse:
        case kExportDatabase:
        case kDerivedFiles:
        case kMeasurementInfo: return state.documentOpen && docEnabled;
        default: return false;  // a feature this program does not have yet
    }
}

}  // namespace varelo
