#pragma once

#include <QDialog>
#include <array>

#include "timeplot/AoaDefinition/AoaListView.h"

class QLabel;
class QPushButton;

namespace varelo {

class CAoaEditorModel;
class CDragDropListBox;
class UserInterface;

// "Application oriented analysis - drag & drop source" (159): modeless beside the editor, its
// lists filtered by the editor's filters and only giving items away.
class AoaSourceWindow : public QDialog {
    Q_OBJECT

public:
    AoaSourceWindow(CAoaEditorModel& model, const QString& editorTitle, UserInterface& ui,
                    QWidget* parent);

    CDragDropListBox* List(AoaLevel level) const { return lists_[size_t(level)]; }
    QLabel* FileLine() const { return file_; }
    // Shows the model's source anew, from the groups down.
    void Refresh();

private:
    void Fill(AoaLevel from);
    void ShowApplication();
    void ShowChannel();

    CAoaEditorModel& model_;
    UserInterface& ui_;
    QLabel* file_;
    std::array<CDragDropListBox*, kAoaLevels> lists_{};
    QPushButton* applicationInfo_;
    QPushButton* channelInfo_;
};

}  // namespace varelo
