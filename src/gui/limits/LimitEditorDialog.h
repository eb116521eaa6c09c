#pragma once

#include <QDialog>
#include <array>

#include "evaluation/LimitEditor/LimitEditorModel.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace varelo {

class Settings;
class UserInterface;

// "Limit value level file" (856): the editor's main dialog. Every button first takes the fields
// over; a refused interruption limit keeps the dialog with the focus on it. Close, the window's
// close button and Escape ask "Save changes?" when something is unsaved.
class LimitEditorDialog : public QDialog {
    Q_OBJECT

public:
    enum class Button { Print, Save, SaveAs, Open, Signalling, Interharmonics, Voltage, Current };

    LimitEditorDialog(CLimitEditorModel& model, UserInterface& ui, Settings& settings,
                      QWidget* parent = nullptr);

    void reject() override;

    // Takes the fields over; false after the refusal was shown.
    bool TakeOver();

    QPlainTextEdit* TextField() const { return text_; }
    QLineEdit* Field(LimitField field) const { return fields_[size_t(field)]; }
    QLabel* HistogramLabel(int n) const { return histogramLabels_[size_t(n)]; }
    QPushButton* ButtonOf(Button button) const { return buttons_[size_t(button)]; }
    QPushButton* CloseButton() const { return close_; }

private:
    void Fill();
    void FieldLeft(LimitField field);
    void UpdateHistogramLabels();
    void Print();
    void Save(bool as);
    void Open();
    void Harmonics(bool current);
    void Signalling();
    void Interharmonics();

    CLimitEditorModel& model_;
    UserInterface& ui_;
    Settings& settings_;
    QPlainTextEdit* text_;
    std::array<QLineEdit*, kLimitFieldCount> fields_{};
    QLabel* frequency_;
    std::array<QLabel*, 3> histogramLabels_{};
    std::array<QPushButton*, 8> buttons_{};
    QPushButton* close_;
    LimitFieldTexts shown_;
};

}  // namespace varelo
