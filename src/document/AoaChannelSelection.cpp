#include "document/AoaChannelSelection.h"

#include <algorithm>

#include "app/Language.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementChannel.h"
#include "platform/Paths.h"
#include "timeplot/AoaDefinition/AoaFiles.h"

namespace varelo {

namespace {

constexpr int kPhase = 243;
constexpr int kNoDefaultFile = 198;

}  // namespace

std::string AoaDefinitionInUse(Settings& settings, const std::string& dataFolder) {
    const std::string named = settings.ReadString(setting::AoaFileName);
    if (!named.empty() && FileIsReadable(named)) return named;
    const Language* language = FindLanguage(settings.ReadInt(setting::DialogLanguage));
    const std::string path = DefaultAoaPath(dataFolder, language ? language->code : "ENG");
    return FileIsReadable(path) ? path : std::string();
}

AoaChannelSelection::AoaChannelSelection(const CVamor800Doc& doc, PhaseLabels labels)
    : doc_(doc), labels_(labels) {}

void AoaChannelSelection::Load(const std::string& path, UserInterface& ui, const AoaChoice& last) {
    std::vector<CAOAAppGroup> groups;
    if (path.empty()) {
        ui.ShowMessage(kNoDefaultFile, Str(kNoDefaultFile), MessageIcon::Warning);
    } else {
        CAOARootObj root;
        const uint32_t key = doc_.Data().job.MeasFunc;
        if (LoadAoaDefinition(path, key, root, ui) == AoaReadError::None) {
            if (std::vector<CAOAAppGroup>* list = root.ListFor(key)) groups = std::move(*list);
        }
    }
    Use(std::move(groups), last);
}

void AoaChannelSelection::Use(std::vector<CAOAAppGroup> groups, const AoaChoice& last) {
    groups_ = std::move(groups);
    if (last.phase >= 1 && last.phase <= 3)
        choice_.phase = PhaseEnabled(last.phase) ? last.phase : kAoaPhaseAll;
    else
        choice_.phase = last.phase == kAoaPhaseMixed ? kAoaPhaseMixed : kAoaPhaseAll;
    // Without a remembered group the first one is shown, so that there is something to pick.
    const bool known = last.group >= 0 && last.group < int(groups_.size());
    choice_.group = known ? last.group : (groups_.empty() ? -1 : 0);
    Refilter();
    if (known) SelectApplication(last.application);
}

bool AoaChannelSelection::PhaseEnabled(int phase) const {
    return phase >= 1 && phase <= 3 && doc_.Availability().phases[size_t(phase - 1)];
}

std::string AoaChannelSelection::PhaseText(int phase) const {
    return Str(kPhase) + " " + PhaseLabel(1, phase - 1, labels_);
}

void AoaChannelSelection::SetPhaseChoice(int choice) {
    if (choice >= 1 && choice <= 3 && !PhaseEnabled(choice)) return;
    if (choice != kAoaPhaseMixed && !(choice >= 1 && choice <= 3)) choice = kAoaPhaseAll;
    choice_.phase = choice;
    Refilter();
}

void AoaChannelSelection::SelectGroup(int group) {
    choice_.group = group >= 0 && group < int(groups_.size()) ? group : -1;
    Refilter();
}

void AoaChannelSelection::Refilter() {
    applications_.clear();
    if (choice_.group >= 0)
        applications_ = AoaApplicationsFor(groups_[size_t(choice_.group)], choice_.phase);
    choice_.application = -1;
    curves_.clear();
}

const CAOAApplication* AoaChannelSelection::ApplicationAt(int index) const {
    if (choice_.group < 0 || index < 0) return nullptr;
    const CAOAAppGroup& group = groups_[size_t(choice_.group)];
    return index < int(group.Applications.size()) ? &group.Applications[size_t(index)] : nullptr;
}

int AoaChannelSelection::ApplicationRow() const {
    for (size_t row = 0; row < applications_.size(); ++row) {
        if (applications_[row] == choice_.application) return int(row);
    }
    return -1;
}

void AoaChannelSelection::SelectApplication(int index) {
    const bool offered =
        std::find(applications_.begin(), applications_.end(), index) != applications_.end();
    choice_.application = offered ? index : -1;
    RebuildCurves();
}

void AoaChannelSelection::RebuildCurves() {
    curves_.clear();
    if (const CAOAApplication* application = Chosen())
        curves_ = AoaCurves(*application, choice_.phase, doc_.Data().job, doc_.Availability());
}

std::string AoaChannelSelection::CurveName(size_t curve) const {
    if (curve >= curves_.size()) return {};
    CMeasurementChannel channel;
    if (!channel.SetupChannel(curves_[curve].channelId)) return {};
    return channel.ChannelName(doc_.Data().job, labels_);
}

const std::string& AoaChannelSelection::LimitFile() const {
    static const std::string kNone;
    const CAOAApplication* application = Chosen();
    return application ? application->LimitFile : kNone;
}

bool AoaChannelSelection::SelectByName(const std::string& group, const std::string& application,
                                       int phase) {
    for (size_t g = 0; g < groups_.size(); ++g) {
        if (groups_[g].Name != group) continue;
        const auto& applications = groups_[g].Applications;
        for (size_t a = 0; a < applications.size(); ++a) {
            if (applications[a].Name != application) continue;
            const uint8_t mode = applications[a].Mode;
            int choice = phase;
            if (choice == 0) {
                choice = mode == CAOAApplication::kMixed ? kAoaPhaseMixed
                         : mode == CAOAApplication::kAll ? kAoaPhaseAll
                                                         : 1;
                // One phase: the first the measurement has.
                while (mode == CAOAApplication::kOne && choice < 3 && !PhaseEnabled(choice))
                    ++choice;
            }
            if (!AoaModeFits(mode, choice)) return false;
            if (choice >= 1 && choice <= 3 && !PhaseEnabled(choice)) return false;
            choice_.phase = choice;
            choice_.group = int(g);
            Refilter();
            SelectApplication(int(a));
            return true;
        }
    }
    return false;
}

AoaSelectionResult AoaChannelSelection::Accept() const {
    AoaSelectionResult result;
    result.choice = choice_;
    const AoaRangeSources sources{[this](int channelId, double& minimum, double& maximum) {
                                      return doc_.ChannelExtremes(channelId, minimum, maximum);
                                  },
                                  [this](int channelId) { return doc_.NominalValue(channelId); },
                                  [this](int channelId, double& begin, double& end) {
                                      doc_.MeasuringRange(channelId, begin, end);
                                  }};
    for (const AoaCurve& curve : curves_) {
        result.channels.push_back(curve.channelId);
        result.ranges.push_back(AoaRange(curve, sources));
    }
    return result;
}

}  // namespace varelo
