#include "timeplot/AoaDefinition/AoaEditorModel.h"

#include <algorithm>
#include <filesystem>

#include "app/FileErrorMessage.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "platform/Paths.h"
#include "timeplot/AoaDefinition/AoaFiles.h"
#include "timeplot/AoaDefinition/AoaObjectPayload.h"

namespace varelo {

namespace {

constexpr int kReservedName = 196;
constexpr int kNoDefaultFile = 198;
constexpr int kCreateFile = 323;
constexpr int kGroupNotEmpty = 325;
constexpr int kApplicationNotEmpty = 326;

// Takes an element out of a list and puts it back at a position counted after the removal.
template <typename T>
void MoveElement(std::vector<T>& list, size_t from, size_t to) {
    T element = std::move(list[from]);
    list.erase(list.begin() + std::ptrdiff_t(from));
    list.insert(list.begin() + std::ptrdiff_t(std::min(to, list.size())), std::move(element));
}

// Where an element moved to or was inserted at, as a row of the filtered list.
int RowOf(const CAoaListView& lists, AoaLevel level, size_t index) {
    const std::vector<size_t> rows = lists.Indexes(level);
    const auto found = std::find(rows.begin(), rows.end(), index);
    return found == rows.end() ? -1 : int(found - rows.begin());
}

template <typename T>
int MoveIn(CAoaListView& lists, AoaLevel level, std::vector<T>* list, int row, int target) {
    const std::vector<size_t> rows = lists.Indexes(level);
    if (!list || row < 0 || size_t(row) >= rows.size()) return -1;
    const size_t from = rows[size_t(row)];
    size_t to = list->size() - 1;  // the end, counted after the removal
    if (target >= 0 && size_t(target) < rows.size()) {
        if (target == row) return row;
        // Above: before the target; below: after it, which is where the target stands once
        // the moved element is out.
        to = rows[size_t(target)];
    }
    MoveElement(*list, from, to);
    return RowOf(lists, level, to);
}

template <typename T>
int InsertIn(CAoaListView& lists, AoaLevel level, std::vector<T>* list, std::string_view payload,
             int target) {
    T object;
    if (!list || !UnarchiveAoaObject(payload, object)) return -1;
    const std::vector<size_t> rows = lists.Indexes(level);
    size_t at = list->size();
    if (target >= 0 && size_t(target) < rows.size()) at = rows[size_t(target)] + 1;
    list->insert(list->begin() + std::ptrdiff_t(at), std::move(object));
    return RowOf(lists, level, at);
}

}  // namespace

CAoaEditorModel::CAoaEditorModel(UserInterface& ui, std::string dataFolder,
                                 std::string languageCode)
    : ui_(ui), dataFolder_(std::move(dataFolder)), languageCode_(std::move(languageCode)) {
    SetFilter(kFunctions[0], kPhaseModes[0]);
    lists_.SetListed(false);
}

void CAoaEditorModel::Start(const std::string& aoaFileName) {
    path_.clear();
    changed_ = false;
    edited_.Empty();
    if (!aoaFileName.empty() && !IsReservedAoaPath(aoaFileName, dataFolder_) &&
        LoadAoaDefinition(aoaFileName, 0, edited_, ui_) == AoaReadError::None)
        path_ = aoaFileName;
    lists_.SetListed(HasFile());
}

void CAoaEditorModel::SetFilter(uint32_t function, uint8_t phaseMode) {
    lists_.SetFilter(function, phaseMode);
    sourceLists_.SetFilter(function, phaseMode);
}

bool CAoaEditorModel::AddGroup(const std::string& name) {
    if (!HasFile()) return false;
    std::vector<CAOAAppGroup>* groups = edited_.ListFor(lists_.Function());
    if (!groups) return false;
    groups->push_back({name, {}});
    Touch();
    lists_.Select(AoaLevel::Group, RowOf(lists_, AoaLevel::Group, groups->size() - 1));
    return true;
}

bool CAoaEditorModel::AddApplication(const std::string& name, const std::string& limitFile,
                                     const std::string& description) {
    std::vector<CAOAApplication>* applications = lists_.Applications();
    if (!applications) return false;
    CAOAApplication application;
    application.Mode = lists_.PhaseMode();
    application.Name = name;
    application.LimitFile = limitFile;
    application.Description = description;
    applications->push_back(std::move(application));
    Touch();
    lists_.Select(AoaLevel::Application,
                  RowOf(lists_, AoaLevel::Application, applications->size() - 1));
    return true;
}

bool CAoaEditorModel::AddChannel(const CAOAChannelInfo& channel) {
    std::vector<CAOAChannelInfo>* channels = lists_.Channels();
    if (!channels) return false;
    channels->push_back(channel);
    Touch();
    lists_.Select(AoaLevel::Channel, RowOf(lists_, AoaLevel::Channel, channels->size() - 1));
    return true;
}

void CAoaEditorModel::EditGroup(int row, const std::string& name) {
    CAOAAppGroup* group = lists_.Group(row);
    if (!group || group->Name == name) return;
    group->Name = name;
    Touch();
}

void CAoaEditorModel::EditApplication(int row, const std::string& name,
                                      const std::string& description) {
    CAOAApplication* application = lists_.Application(row);
    if (!application || (application->Name == name && application->Description == description))
        return;
    application->Name = name;
    application->Description = description;
    Touch();
}

void CAoaEditorModel::EditChannel(int row, const CAOAChannelInfo& channel) {
    CAOAChannelInfo* edited = lists_.Channel(row);
    if (!edited || *edited == channel) return;
    *edited = channel;
    Touch();
    // A channel the function does not offer leaves the list.
    lists_.Refresh();
}

int CAoaEditorModel::DeleteQuestion(AoaLevel level, int row) {
    if (level == AoaLevel::Group) {
        const CAOAAppGroup* group = lists_.Group(row);
        return group && !group->Applications.empty() ? kGroupNotEmpty : 0;
    }
    if (level == AoaLevel::Application) {
        const CAOAApplication* application = lists_.Application(row);
        return application && !application->Channels.empty() ? kApplicationNotEmpty : 0;
    }
    return 0;
}

void CAoaEditorModel::Delete(AoaLevel level, int row) {
    const std::vector<size_t> rows = lists_.Indexes(level);
    if (row < 0 || size_t(row) >= rows.size()) return;
    const auto at = std::ptrdiff_t(rows[size_t(row)]);
    switch (level) {
        case AoaLevel::Group: lists_.Groups()->erase(lists_.Groups()->begin() + at); break;
        case AoaLevel::Application:
            lists_.Applications()->erase(lists_.Applications()->begin() + at);
            break;
        case AoaLevel::Channel: lists_.Channels()->erase(lists_.Channels()->begin() + at); break;
    }
    Touch();
    lists_.Select(level, -1);
}

int CAoaEditorModel::Move(AoaLevel level, int row, int target) {
    int moved = -1;
    switch (level) {
        case AoaLevel::Group: moved = MoveIn(lists_, level, lists_.Groups(), row, target); break;
        case AoaLevel::Application:
            moved = MoveIn(lists_, level, lists_.Applications(), row, target);
            break;
        case AoaLevel::Channel:
            moved = MoveIn(lists_, level, lists_.Channels(), row, target);
            break;
    }
    if (moved < 0) return -1;
    if (moved != row) Touch();
    lists_.Select(level, moved);
    return moved;
}

int CAoaEditorModel::InsertCopy(AoaLevel level, AoaLevel payloadLevel, std::string_view payload,
                                int target) {
    if (level != payloadLevel) return -1;
    int inserted = -1;
    switch (level) {
        case AoaLevel::Group:
            // The function's list may not exist yet while a file is chosen.
            if (HasFile() && edited_.ListFor(lists_.Function()))
                inserted = InsertIn(lists_, level, lists_.Groups(), payload, target);
            break;
        case AoaLevel::Application:
            inserted = InsertIn(lists_, level, lists_.Applications(), payload, target);
            break;
        case AoaLevel::Channel:
            inserted = InsertIn(lists_, level, lists_.Channels(), payload, target);
            break;
    }
    if (inserted < 0) return -1;
    Touch();
    lists_.Select(level, inserted);
    return inserted;
}

std::string CAoaEditorModel::DefaultFile() const {
    const std::string path = DefaultAoaPath(dataFolder_, languageCode_);
    return FileIsReadable(path) ? path : std::string();
}

bool CAoaEditorModel::FillWithDefaults() {
    const std::string path = DefaultFile();
    if (path.empty()) {
        ui_.ShowMessage(kNoDefaultFile, Str(kNoDefaultFile), MessageIcon::Warning);
        return false;
    }
    // Read aside, so that a damaged default file leaves the edited definition as it was.
    CAOARootObj defaults;
    if (LoadAoaDefinition(path, 0, defaults, ui_) != AoaReadError::None) return false;
    edited_ = std::move(defaults);
    Touch();
    lists_.Select(AoaLevel::Group, -1);
    return true;
}

void CAoaEditorModel::SelectFile(const std::string& path) {
    if (IsReservedAoaPath(path, dataFolder_)) {
        ui_.ShowMessage(kReservedName, Str(kReservedName), MessageIcon::Warning);
        path_.clear();
    } else if (std::error_code error; std::filesystem::exists(path, error)) {
        // A file that cannot be read leaves no file chosen, and the edits as they were.
        CAOARootObj read;
        if (LoadAoaDefinition(path, 0, read, ui_) == AoaReadError::None) {
            edited_ = std::move(read);
            path_ = path;
            changed_ = false;
        } else {
            path_.clear();
        }
    } else {
        const bool create =
            ui_.AskYesNo(kCreateFile, Msg(kCreateFile, {path}), MessageIcon::Question);
        edited_.Empty();
        changed_ = false;
        path_.clear();
        if (create && Write(path)) path_ = path;
    }
    lists_.SetListed(HasFile());
    lists_.Select(AoaLevel::Group, -1);
}

bool CAoaEditorModel::Write(const std::string& path) {
    OsError error;
    if (!edited_.Write(path, &error)) {
        ui_.ShowMessage(FileErrorMessageId(error.code), FileErrorMessage(error, path),
                        MessageIcon::Warning);
        return false;
    }
    return true;
}

CAoaEditorModel::OkResult CAoaEditorModel::Ok() {
    if (!changed_) return OkResult::Close;
    if (!HasFile()) return OkResult::NeedFile;
    if (!Write(path_)) return OkResult::Stay;
    changed_ = false;
    return OkResult::Close;
}

bool CAoaEditorModel::WriteAs(const std::string& path) {
    if (IsReservedAoaPath(path, dataFolder_)) {
        ui_.ShowMessage(kReservedName, Str(kReservedName), MessageIcon::Warning);
        return false;
    }
    if (!Write(path)) return false;
    path_ = path;
    changed_ = false;
    lists_.SetListed(true);
    return true;
}

bool CAoaEditorModel::LoadSource(const std::string& path) {
    CAOARootObj read;
    if (LoadAoaDefinition(path, 0, read, ui_) != AoaReadError::None) return false;
    source_ = std::move(read);
    sourcePath_ = path;
    sourceLists_.SetFilter(lists_.Function(), lists_.PhaseMode());
    sourceLists_.Select(AoaLevel::Group, -1);
    return true;
}

std::string CAoaEditorModel::SourcePayload(AoaLevel level, int row) {
    return AoaPayload(sourceLists_, level, row);
}

std::string CAoaEditorModel::EditedPayload(AoaLevel level, int row) {
    return AoaPayload(lists_, level, row);
}

std::string AoaPayload(CAoaListView& lists, AoaLevel level, int row) {
    switch (level) {
        case AoaLevel::Group:
            if (const CAOAAppGroup* group = lists.Group(row)) return ArchiveAoaObject(*group);
            break;
        case AoaLevel::Application:
            if (const CAOAApplication* app = lists.Application(row)) return ArchiveAoaObject(*app);
            break;
        case AoaLevel::Channel:
            if (const CAOAChannelInfo* channel = lists.Channel(row))
                return ArchiveAoaObject(*channel);
            break;
    }
    return {};
}

}  // namespace varelo
