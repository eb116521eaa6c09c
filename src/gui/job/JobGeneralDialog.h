#pragma once

#include <QDialog>
#include <array>

#include "job/JobPageCheck.h"
#include "measurement/MeasurementJob.h"

class QComboBox;
class QLineEdit;

namespace varelo {

class JobEditor;
class UserInterface;

// The general page (104): the six caption and text lines, the event tolerances, the event
// memory model and the hysteresis. Job() holds the page's result after OK.
class JobGeneralDialog : public QDialog {
    Q_OBJECT

public:
    JobGeneralDialog(const JobEditor& editor, UserInterface& ui, QWidget* parent = nullptr);

    const CMeasurementJob& Job() const { return job_; }
    // The OK checks; false (with the message shown and the field focused) keeps the page open.
    bool TryAccept();
    void accept() override;

    QLineEdit* CaptionEdit(size_t line) const { return captions_[line]; }
    QLineEdit* TextEdit(size_t line) const { return texts_[line]; }
    QComboBox* MemoryModelList() const { return memoryModel_; }
    QWidget* FieldWidget(JobField field) const;

private:
    UserInterface& ui_;
    CMeasurementJob job_;
    std::array<QLineEdit*, kJobLineCount> captions_{};
    std::array<QLineEdit*, kJobLineCount> texts_{};
    QLineEdit* positive_ = nullptr;
    QLineEdit* negative_ = nullptr;
    QComboBox* memoryModel_ = nullptr;
    QLineEdit* hysteresis_ = nullptr;
};

}  // namespace varelo
