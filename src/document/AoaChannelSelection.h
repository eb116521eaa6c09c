#pragma once

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "timeplot/AoaChannelRules.h"
#include "timeplot/AoaDefinition/AOARootObj.h"

namespace varelo {

class CVamor800Doc;
class Settings;
class UserInterface;

// The choices the application-oriented channel selection remembers between two openings.
struct AoaChoice {
    int phase = kAoaPhaseAll;  // 1..3, kAoaPhaseAll or kAoaPhaseMixed
    int group = -1;
    int application = -1;  // index in the group's whole list
};

// What OK hands to a level-time diagram: its curves with their manual Y ranges.
struct AoaSelectionResult {
    std::vector<int> channels;
    std::vector<YRange> ranges;
    AoaChoice choice;
};

// The definition file in use: "AoaFileName" when it names an existing file, else the default
// file of the dialog language; empty when neither exists.
std::string AoaDefinitionInUse(Settings& settings, const std::string& dataFolder);

// The application-oriented channel selection over an open measurement: phase choice, group
// and application, the curves they give and, on OK, the curves' Y ranges.
class AoaChannelSelection {
public:
    AoaChannelSelection(const CVamor800Doc& doc, PhaseLabels labels);

    // Reads the definition of the measurement's function from a file (empty: none), with
    // reporting; without a file message 198 and empty lists. Then the remembered choices.
    void Load(const std::string& path, UserInterface& ui, const AoaChoice& last);
    // The definition already at hand, for the remembered choices.
    void Use(std::vector<CAOAAppGroup> groups, const AoaChoice& last);

    // Phase buttons: enabled only for the phases the measurement has.
    bool PhaseEnabled(int phase) const;
    // "Phase L1": message 243, a blank and the phase's name in the current label set.
    std::string PhaseText(int phase) const;
    int PhaseChoice() const { return choice_.phase; }
    void SetPhaseChoice(int choice);

    const std::vector<CAOAAppGroup>& Groups() const { return groups_; }
    int Group() const { return choice_.group; }
    void SelectGroup(int group);

    // The applications of the group that fit the phase choice (indexes in the group's list).
    const std::vector<int>& Applications() const { return applications_; }
    const CAOAApplication* ApplicationAt(int index) const;
    // -1 or an index of Applications().
    int ApplicationRow() const;
    int Application() const { return choice_.application; }
    void SelectApplication(int index);
    const CAOAApplication* Chosen() const { return ApplicationAt(choice_.application); }

    const std::vector<AoaCurve>& Curves() const { return curves_; }
    // The curve's channel name with its phase.
    std::string CurveName(size_t curve) const;
    const std::string& LimitFile() const;
    bool CanAccept() const { return Chosen() != nullptr; }

    // Finds a group and one of its applications by name: the phase choice follows the
    // application's mode unless one that fits is given (0: none). False when either name is
    // unknown or the given phase does not fit.
    bool SelectByName(const std::string& group, const std::string& application, int phase = 0);

    // The curves and their Y ranges by the application's scaling rules.
    AoaSelectionResult Accept() const;

private:
    void Refilter();
    void RebuildCurves();

    const CVamor800Doc& doc_;
    PhaseLabels labels_;
    std::vector<CAOAAppGroup> groups_;
    AoaChoice choice_;
    std::vector<int> applications_;
    std::vector<AoaCurve> curves_;
};

}  // namespace varelo
