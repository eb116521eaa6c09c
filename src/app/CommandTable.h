#pragma once

#include <span>
#include <string>
#include <vector>

#include "app/StringTable.h"

#include "app/AppOptions.h"

namespace varelo {

// Command ids of the desktop program's menus, tool bar and accelerators.
namespace cmd {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kCloseDocument = 57602;
inline constexpr int kPrinterSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintDirect = 57608;
inline constexpr int kRecentFirst = 57616;  // the nine recent files follow one another
inline constexpr int kWindowNew = 57648;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kCloseWindow = 32771;
inline constexpr int kMeasurementInfo = 33037;
inline constexpr int kReopen = 33117;
inline constexpr int kChangeTransformer = 33043;
inline constexpr int kReadResults = 33134;
inline constexpr int kReadOldResults = 33119;
inline constexpr int kSetUpP = 33128;
inline constexpr int kSetUpA = 33127;
inline constexpr int kJobTemplates = 33121;
inline constexpr int kStopMeasurement = 33135;
inline constexpr int kSetClock = 33123;
inline constexpr int kSetName = 33122;
inline constexpr int kReset = 33133;
inline constexpr int kLoggerInfo = 33125;
inline constexpr int kOnline = 33132;
inline constexpr int kGeneralSettings = 33069;
inline constexpr int kLimitEditor = 33087;
inline constexpr int kAoaEditor = 33071;
inline constexpr int kColors = 33080;
inline constexpr int kGraphicalSummary = 33027;
inline constexpr int kTableSummary = 33028;
inline constexpr int kTimeplotManual = 33022;
inline constexpr int kTimeplotAoa = 33018;
inline constexpr int kVoltageCumulative = 33025;
inline constexpr int kCurrentCumulative = 33026;
inline constexpr int kDisDip = 33029;
inline constexpr int kEventList = 33020;  // "List of all events" of the DISDIP table
inline constexpr int kStatisticalValues = 33024;
inline constexpr int kMostCritical = 33015;
inline constexpr int kAllExceedings = 33019;
inline constexpr int kValueList = 33021;  // from the level-time diagram
inline constexpr int kExportIntervals = 33034;
inline constexpr int kExportStatistics = 33035;
inline constexpr int kExportEvents = 33033;
inline constexpr int kSpanishReport = 33162;
inline constexpr int kExportVse = 33036;
inline constexpr int kExportDatabase = 33165;
inline constexpr int kDerivedFiles = 33115;  // the 10- and 15-minute files
}  // namespace cmd

// Placeholders in a menu that the main window fills at run time.
inline constexpr int kSeparator = 0;
inline constexpr int kRecentFilesSlot = -1;
inline constexpr int kLanguagesSlot = -2;
inline constexpr int kExportSlot = -3;       // the "E&xport" submenu
inline constexpr int kWindowMenusSlot = -4;  // the popups of the active result window

struct MenuPopup {
    TextKey title;           // no name: the slot of the active window's popups
    std::vector<int> items;  // command ids, separators and slots in order
};

// The menu bar of a window kind: 174 for the main window without an active document window
// (and the current cumulative frequency, which has no menu of its own), else the document
// window menu, with the online level-time diagram's shorter Logger menu.
std::vector<MenuPopup> MenuBarOf(int templateId);
// The commands of the "E&xport" submenu.
std::span<const int> ExportCommands();
// The main tool bar: command ids in order, kSeparator for a gap.
std::span<const int> MainToolBar();
// The tool bar in the frame of a result window of this kind, as the main tool bar: the DISDIP
// table (177) and the event list (178) filter with their own commands; empty for a kind
// without a bar of its own. The phase buttons are those of the phase labels.
std::vector<int> WindowToolBar(int templateId, PhaseLabels labels);

// Phase filters of the DISDIP table and of the event list: all phases, then L1 (A), L2 (B),
// L3 (C), by the phase labels. The event list's kind filters: all events and interruptions,
// events, short and long interruptions.
std::span<const int, 4> DisDipPhaseCommands(PhaseLabels labels);
std::span<const int, 4> EventListPhaseCommands(PhaseLabels labels);
std::span<const int, 4> EventKindCommands();

// Menu text of a command ("&Open a data file..."); empty when the string table has none.
std::string CommandMenuText(int commandId);
// The fly-by and tool tip text: the second line of the command's prompt when it has one,
// else its menu text without the "&" marks and the trailing dots.
std::string CommandTipText(int commandId);

// Whether the desktop program has a handler for a command; the others stay disabled.
struct CommandState {
    bool documentOpen = false;
    bool resultViewActive = false;
    bool childWindowActive = false;
};
// Enabling of a shell command. Document commands also need the document's own rule
// (docEnabled) and, for a result window, a registered view (viewBuilt).
bool IsShellCommandEnabled(int commandId, const CommandState& state, bool docEnabled,
                           bool viewBuilt);
// Commands that open a result window.
bool IsViewCommand(int commandId);

}  // namespace varelo
