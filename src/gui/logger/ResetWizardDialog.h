#pragma once

#include <QDialog>
#include <map>
#include <memory>

#include "logger/ResetWizard.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace varelo {

class CLoggerLink;
class Settings;

// Dialog 122, "Logger reset": the five steps of the reset wizard in groups, only the current
// one enabled. It only shows the wizard's steps and passes the "OK" buttons on.
class ResetWizardDialog : public QDialog, public ResetWizardObserver {
    Q_OBJECT

public:
    ResetWizardDialog(CLoggerLink& link, Settings& settings, std::string firmwareFolder,
                      QWidget* parent = nullptr);
    ~ResetWizardDialog() override;

    // Opens the wizard: identification and the type list; step 1 follows.
    void Start();

    CResetWizard& Wizard() { return *wizard_; }
    QPushButton* OkButton(ResetStep step) const;
    QComboBox* TypeList() const { return typeList_; }
    QProgressBar* Bar(ResetStep step) const;
    QLabel* DoneLabel(ResetStep step) const;
    QGroupBox* Group(int number) const;

    // Step 1 and step 3 "OK", also for tests.
    void ConfirmStep1();
    void ConfirmStep3();

    void StepEntered(ResetStep step) override;
    void BarRange(ResetStep step, long range) override;
    void BarPosition(ResetStep step, long position) override;
    void StepDone(ResetStep step) override;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Line {
        QWidget* row = nullptr;  // caption, bar and "Done"
        QProgressBar* bar = nullptr;
        QLabel* done = nullptr;
    };

    bool Closable() const;
    void ShowStep(ResetStep step);
    // The wizard has ended without success: the dialog closes.
    void FinishIfEnded();

    std::unique_ptr<CResetWizard> wizard_;
    std::map<ResetStep, Line> lines_;
    QGroupBox* groups_[5] = {};
    QPushButton* ok1_ = nullptr;
    QPushButton* ok3_ = nullptr;
    QPushButton* ok5_ = nullptr;
    QComboBox* typeList_ = nullptr;
    QLabel* portText_ = nullptr;
    int lastPercent_ = -1;
};

}  // namespace varelo
