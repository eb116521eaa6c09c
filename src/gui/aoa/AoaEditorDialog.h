#pragma once

#include <QDialog>
#include <array>

#include "timeplot/AoaDefinition/AoaListView.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace varelo {

class AoaSourceWindow;
class CAoaEditorModel;
class CDragDropListBox;
class UserInterface;

// "User defined application oriented analysis" (158): the definition file editor. Its three
// lists reorder by dragging and take copies dragged from the source window.
class AoaEditorDialog : public QDialog {
    Q_OBJECT

public:
    enum Action { kAdd = 0, kEdit = 1, kDelete = 2 };

    AoaEditorDialog(CAoaEditorModel& model, UserInterface& ui, QWidget* parent = nullptr);

    CDragDropListBox* List(AoaLevel level) const { return lists_[size_t(level)]; }
    QPushButton* Button(AoaLevel level, Action action) const {
        return buttons_[size_t(level)][size_t(action)];
    }
    QComboBox* FunctionFilter() const { return function_; }
    QComboBox* PhaseFilter() const { return phase_; }
    QPushButton* ShowSourceButton() const { return showSource_; }
    QPushButton* SelectSourceButton() const { return selectSource_; }
    QPushButton* SelectFileButton() const { return selectFile_; }
    QPushButton* FillDefaultsButton() const { return fillDefaults_; }
    QLabel* FileLine() const { return file_; }
    AoaSourceWindow* SourceWindow() const { return source_; }
    void accept() override;

private:
    void Fill(AoaLevel from);
    void UpdateButtons();
    void FiltersChanged();
    void Add(AoaLevel level);
    void Edit(AoaLevel level);
    void Delete(AoaLevel level);
    void SelectFile();
    void SelectSource();
    void ShowSource();
    // A file dialog for a definition file; an empty path when cancelled.
    QString ChooseFile(bool mustExist, const QString& initial);

    CAoaEditorModel& model_;
    UserInterface& ui_;
    QComboBox* function_;
    QComboBox* phase_;
    QLabel* file_;
    std::array<CDragDropListBox*, kAoaLevels> lists_{};
    std::array<std::array<QPushButton*, 3>, kAoaLevels> buttons_{};
    QPushButton* fillDefaults_;
    QPushButton* selectFile_;
    QPushButton* selectSource_;
    QPushButton* showSource_;
    AoaSourceWindow* source_ = nullptr;
};

}  // namespace varelo
