#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "document/AoaChannelSelection.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace varelo {

class CVamor800Doc;
class Settings;
class UserInterface;

// Dialog 152 "Timeplot  - Application oriented channel selection": a phase choice, an
// application group and one of its applications give the curves of a level-time diagram.
class AoaChannelSelectionDialog : public QDialog {
    Q_OBJECT

public:
    // Replaces the read-only "Information on application" dialog of "&Info...", for tests.
    using InfoHook = std::function<void(const CAOAApplication&, QWidget* parent)>;
    static void SetInfoHook(InfoHook hook);

    // Reads the definition file in use for the measurement's function and restores the
    // choices of the last OK in this session.
    AoaChannelSelectionDialog(const CVamor800Doc& doc, Settings& settings, UserInterface& ui,
                              PhaseLabels labels, QWidget* parent = nullptr);
    ~AoaChannelSelectionDialog() override;

    // After OK: the curves and their Y ranges.
    const AoaSelectionResult& Result() const { return result_; }
    const AoaChannelSelection& Selection() const { return *selection_; }

    // Index 0..2 = "Phase L1".."Phase L3", 3 = "All", 4 = "&Mixed phases".
    QRadioButton* PhaseButton(int index) const { return phases_[size_t(index)]; }
    QListWidget* GroupList() const { return groups_; }
    QListWidget* ApplicationList() const { return applications_; }
    QListWidget* ChannelList() const { return channels_; }
    QLabel* LimitFileLabel() const { return limitFile_; }
    QPushButton* InfoButton() const { return info_; }
    QPushButton* OkButton() const { return ok_; }

    // The remembered choices start afresh (for a new session or a test).
    static void ForgetLastChoice();

    void accept() override;

private:
    void ShowApplications();
    void ShowApplication();
    void ShowInfo();

    std::unique_ptr<AoaChannelSelection> selection_;
    AoaSelectionResult result_;
    std::array<QRadioButton*, 5> phases_{};
    QListWidget* groups_;
    QListWidget* applications_;
    QListWidget* channels_;
    QLabel* limitCaption_;
    QLabel* limitFile_;
    QPushButton* info_;
    QPushButton* ok_ = nullptr;
};

}  // namespace varelo
