#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "timeplot/ChannelSelection.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace varelo {

class CVamor800Doc;
class DiagramState;
class Settings;
class UserInterface;

// Dialog 155 "Timeplot - Channel selection" (at most 9 channels, with Replace) and dialog 132
// "Export - Channel selection" (at most 999, with "> >"): one dialog in two layouts.
class ChannelSelectionDialog : public QDialog {
    Q_OBJECT

public:
    // A timeplot starts from the diagram's curves unless fromStored is set or there is no
    // diagram yet; the export always starts from its stored list.
    ChannelSelectionDialog(const CVamor800Doc& doc, ChannelLayout layout, Settings& settings,
                           UserInterface& ui, const DiagramState* diagram = nullptr,
                           bool fromStored = true, QWidget* parent = nullptr);
    // An export of a few quantities: only those are offered, under the export's own title.
    ChannelSelectionDialog(const CVamor800Doc& doc, std::function<bool(int quantity)> offerOnly,
                           int titleId, Settings& settings, UserInterface& ui,
                           QWidget* parent = nullptr);
    ~ChannelSelectionDialog() override;

    // The chosen channels in order.
    const std::vector<int>& Channels() const { return selection_->Chosen(); }
    const ChannelSelection& Selection() const { return *selection_; }

    QListWidget* OfferedList() const { return offered_; }
    QListWidget* ChosenList() const { return chosen_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* AddAllButton() const { return addAll_; }
    QPushButton* RemoveButton() const { return remove_; }
    QPushButton* RemoveAllButton() const { return removeAll_; }
    QPushButton* OkButton() const { return ok_; }
    QCheckBox* ReplaceBox() const { return replace_; }
    QCheckBox* PhaseBox(int phase) const { return phases_[size_t(phase)]; }
    QLabel* CountLabel() const { return count_; }

    // OK: the zoom question may keep the dialog open.
    void accept() override;

private:
    ChannelSelectionDialog(const ChannelSelectionSetup& setup, Settings& settings,
                           UserInterface& ui, QWidget* parent);
    QWidget* BuildButtons();
    void Refresh();

    std::unique_ptr<ChannelSelection> selection_;
    UserInterface& ui_;
    QListWidget* offered_;
    QListWidget* chosen_;
    QPushButton* add_;
    QPushButton* addAll_;
    QPushButton* remove_;
    QPushButton* removeAll_;
    QPushButton* ok_ = nullptr;
    QCheckBox* replace_;
    std::array<QCheckBox*, ChannelSelection::kPhases> phases_{};
    QLabel* count_;
};

}  // namespace varelo
