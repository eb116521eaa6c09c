#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace varelo {

class CVamor800Doc;
class ExceedingsChannelChoice;

// Dialog 133 "All exceedings - Channel selection": the quantities with a limit on the left,
// the chosen channels (at most 99) on the right.
class ExceedingsChannelDialog : public QDialog {
    Q_OBJECT

public:
    explicit ExceedingsChannelDialog(const CVamor800Doc& doc, QWidget* parent = nullptr);
    ~ExceedingsChannelDialog() override;

    // The chosen channels in list order.
    const std::vector<int>& Channels() const;
    const ExceedingsChannelChoice& Choice() const { return *choice_; }

    QListWidget* OfferedList() const { return offered_; }
    QListWidget* ChosenList() const { return chosen_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* RemoveButton() const { return remove_; }
    QPushButton* RemoveAllButton() const { return removeAll_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* CountLabel() const { return count_; }

private:
    void Refresh();

    std::unique_ptr<ExceedingsChannelChoice> choice_;
    QListWidget* offered_;
    QListWidget* chosen_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* removeAll_;
    QPushButton* ok_ = nullptr;
    QLabel* count_;
};

}  // namespace varelo
