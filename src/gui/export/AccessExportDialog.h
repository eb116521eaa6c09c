#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace varelo {

// Dialog 165 "Export - Access": the configuration file of the database export and whether a
// header table is added. OK stays open while the path names no file.
class AccessExportDialog : public QDialog {
    Q_OBJECT

public:
    AccessExportDialog(const QString& path, bool headerTable, QWidget* parent = nullptr);

    QString Path() const;
    bool HeaderTable() const;

    QLineEdit* PathLine() const { return path_; }
    QPushButton* SelectButton() const { return select_; }
    QCheckBox* HeaderBox() const { return header_; }
    QPushButton* OkButton() const { return ok_; }

    void accept() override;

private:
    void Select();

    QLineEdit* path_;
    QPushButton* select_;
    QCheckBox* header_;
    QPushButton* ok_ = nullptr;
};

}  // namespace varelo
