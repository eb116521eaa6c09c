#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "job/JobTemplatesForm.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace varelo {

// "Job templates": the template job file of each measurement function, or its initial values.
// The caller stores both on OK; Cancel stores nothing.
class JobTemplatesDialog : public QDialog {
    Q_OBJECT

public:
    JobTemplatesDialog(Settings& settings, QWidget* parent = nullptr);

    QCheckBox* InitialValuesBox(size_t row) const { return rows_[row].initialValues; }
    QPushButton* SelectButton(size_t row) const { return rows_[row].select; }
    QLineEdit* PathLine(size_t row) const { return rows_[row].path; }

    void Store() const { form_.Store(); }

private:
    struct RowWidgets {
        QCheckBox* initialValues = nullptr;
        QPushButton* select = nullptr;
        QLineEdit* path = nullptr;
    };
    QWidget* MakeGroup(size_t row, const QString& title, const QString& boxText);
    // The open-file dialog of a function's job files, starting at its template.
    std::optional<std::string> ChooseJobFile(uint32_t function, const std::string& path);
    void Refresh();

    JobTemplatesForm form_;
    std::array<RowWidgets, 2> rows_;
};

}  // namespace varelo
