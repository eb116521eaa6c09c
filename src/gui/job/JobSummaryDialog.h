#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace varelo {

class CLoggerOperations;
class JobEditor;
class Settings;
class UserInterface;

// Dialog 106, the job editor's summary page: the job as text, printed, written to the Logger
// or saved to a job file.
class JobSummaryDialog : public QDialog {
    Q_OBJECT

public:
    // exec() result of "Close", which ends the editor.
    enum Choice { kClose = 10 };

    // operations writes the job to the Logger; without it "Save" (Logger) is disabled.
    JobSummaryDialog(JobEditor& editor, UserInterface& ui, Settings& settings,
                     CLoggerOperations* operations, QWidget* parent = nullptr);

    QTreeWidget* Lines() const { return lines_; }
    QPushButton* CloseButton() const { return close_; }
    QPushButton* PrintButton() const { return print_; }
    QPushButton* SaveLoggerButton() const { return saveLogger_; }
    QPushButton* SavePcButton() const { return savePc_; }
    QPushButton* SaveAsButton() const { return saveAs_; }

private:
    void Print();
    void SaveToLogger();

    JobEditor& editor_;
    UserInterface& ui_;
    Settings& settings_;
    CLoggerOperations* operations_;
    QTreeWidget* lines_;
    QPushButton* close_;
    QPushButton* print_;
    QPushButton* saveLogger_;
    QPushButton* savePc_;
    QPushButton* saveAs_;
};

}  // namespace varelo
