#pragma once

#include <QDialog>

class QLineEdit;

namespace varelo {

// "Logger - Set designation": the Logger's name, at most 20 characters.
class LoggerDesignationDialog : public QDialog {
    Q_OBJECT

public:
    explicit LoggerDesignationDialog(const QString& designation, QWidget* parent = nullptr);

    QString Designation() const;
    QLineEdit* Field() const { return field_; }

private:
    QLineEdit* field_;
};

}  // namespace varelo
