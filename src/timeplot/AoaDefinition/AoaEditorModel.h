#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "timeplot/AoaDefinition/AOARootObj.h"
#include "timeplot/AoaDefinition/AoaListView.h"

namespace varelo {

class UserInterface;

// The editor of definition files: the definition being edited and the file it belongs to, the
// source definition copies come from, the two filters both lists share, and every change the
// editor's buttons and drops make. Questions and messages go through the user interface; the
// dialogs of the single items belong to whoever shows them.
class CAoaEditorModel {
public:
    static constexpr uint32_t kFunctions[] = {3, 10};    // "P", "A"
    static constexpr uint8_t kPhaseModes[] = {1, 2, 0};  // "One", "All", "Mixed"

    CAoaEditorModel(UserInterface& ui, std::string dataFolder, std::string languageCode);
    // The lists point into the definitions.
    CAoaEditorModel(const CAoaEditorModel&) = delete;
    CAoaEditorModel& operator=(const CAoaEditorModel&) = delete;

    // Opening: the file the settings name; a reserved path or an unreadable file gives none.
    void Start(const std::string& aoaFileName);

    bool HasFile() const { return !path_.empty(); }
    const std::string& FileName() const { return path_; }
    bool Changed() const { return changed_; }
    CAOARootObj& Edited() { return edited_; }
    CAoaListView& Lists() { return lists_; }

    void SetFilter(uint32_t function, uint8_t phaseMode);

    // Adding appends to the selected list's parent; false when there is no parent selected.
    bool AddGroup(const std::string& name);
    bool AddApplication(const std::string& name, const std::string& limitFile,
                        const std::string& description);
    bool AddChannel(const CAOAChannelInfo& channel);
    // Takes edited items over; a change only when something differs.
    void EditGroup(int row, const std::string& name);
    void EditApplication(int row, const std::string& name, const std::string& description);
    void EditChannel(int row, const CAOAChannelInfo& channel);
    // The question to ask before deleting a row (325, 326), 0 for none.
    int DeleteQuestion(AoaLevel level, int row);
    void Delete(AoaLevel level, int row);

    // Moves a row within its list: before the target row when that lay above, after it when it
    // lay below, to the end for target -1. The moved row comes back (and is selected).
    int Move(AoaLevel level, int row, int target);
    // A dropped copy (an object archived on its own) of payloadLevel into a list of level:
    // refused unless the levels agree and the payload reads back. It goes after the target row,
    // at the end for -1; its row comes back (and is selected), -1 when refused.
    int InsertCopy(AoaLevel level, AoaLevel payloadLevel, std::string_view payload, int target);

    // The default definition file of the language; empty when there is none.
    std::string DefaultFile() const;
    // The default definition replaces the whole edited one; 198 when there is none.
    bool FillWithDefaults();
    // The file chosen with "Select definition file...": 196 for a reserved path; an existing
    // file is read; a missing one asks 323, empties the definition, and Yes writes it at once.
    void SelectFile(const std::string& path);

    enum class OkResult { Close, NeedFile, Stay };
    // OK: writes a changed definition to its file. NeedFile: changed without a file to write to,
    // WriteAs decides; Stay: the write failed and was reported.
    OkResult Ok();
    // Writes the edited definition under a new file, which becomes the chosen one.
    bool WriteAs(const std::string& path);

    // The source window's definition, never written.
    bool HasSource() const { return !sourcePath_.empty(); }
    const std::string& SourceFile() const { return sourcePath_; }
    CAoaListView& SourceLists() { return sourceLists_; }
    bool LoadSource(const std::string& path);

    // An item of the source window as a drag carries it.
    std::string SourcePayload(AoaLevel level, int row);
    std::string EditedPayload(AoaLevel level, int row);

private:
    void Touch() { changed_ = true; }
    bool Write(const std::string& path);

    UserInterface& ui_;
    std::string dataFolder_;
    std::string languageCode_;
    std::string path_;
    bool changed_ = false;
    CAOARootObj edited_;
    CAoaListView lists_{edited_};
    std::string sourcePath_;
    CAOARootObj source_;
    CAoaListView sourceLists_{source_};
};

// The archived object of a row; empty for no row.
std::string AoaPayload(CAoaListView& lists, AoaLevel level, int row);

}  // namespace varelo
