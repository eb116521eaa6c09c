#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace varelo {

class CAOAApplication;

// "Information on application" (154): an application's name, limit value file and description.
// Read-only for the "Info..." buttons; OK of the editable dialog writes the texts back.
class ApplicationInfoDialog : public QDialog {
    Q_OBJECT

public:
    ApplicationInfoDialog(CAOAApplication& app, bool readOnly, QWidget* parent);

    QLineEdit* NameEdit() const { return name_; }
    QPlainTextEdit* DescriptionEdit() const { return description_; }
    QLabel* LimitFileLine() const { return limitFile_; }
    QPushButton* CopyButton() const { return copy_; }
    void accept() override;

private:
    CAOAApplication& app_;
    bool readOnly_;
    QLineEdit* name_;
    QLabel* limitFile_;
    QPlainTextEdit* description_;
    QPushButton* copy_;
};

}  // namespace varelo
