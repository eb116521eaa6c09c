#pragma once

#include <QDialog>
#include <array>

#include "document/MeasurementTexts.h"

class QLineEdit;

namespace varelo {

class UserInterface;

// Dialog 130 "Change measurement specific text": the job's six captions and texts. OK refuses
// a text that the measurement file could not keep.
class MeasurementTextDialog : public QDialog {
    Q_OBJECT

public:
    MeasurementTextDialog(const MeasurementTexts& texts, UserInterface& ui,
                          QWidget* parent = nullptr);

    MeasurementTexts Texts() const;
    QLineEdit* TitleField(int n) const { return titles_[size_t(n)]; }
    QLineEdit* TextField(int n) const { return texts_[size_t(n)]; }

    void accept() override;

private:
    UserInterface& ui_;
    std::array<QLineEdit*, kJobLineCount> titles_{};
    std::array<QLineEdit*, kJobLineCount> texts_{};
};

}  // namespace varelo
