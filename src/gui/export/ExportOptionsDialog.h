#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QCheckBox;

namespace varelo {

// A dialog of check boxes that choose what an export writes: dialog 118 "Export - Events"
// (the three event kinds) and dialog 120 "Export - Statistics" (mains signalling, frequency).
class ExportOptionsDialog : public QDialog {
    Q_OBJECT

public:
    ExportOptionsDialog(const QString& title, const QStringList& options,
                        const std::vector<bool>& checked, QWidget* parent = nullptr);

    static ExportOptionsDialog* Events(const std::vector<bool>& checked, QWidget* parent);
    static ExportOptionsDialog* Statistics(QWidget* parent);

    std::vector<bool> Checked() const;
    QCheckBox* Box(int index) const { return boxes_[size_t(index)]; }

private:
    std::vector<QCheckBox*> boxes_;
};

}  // namespace varelo
