#pragma once

#include <QDialog>

class QLabel;

namespace varelo {

// Dialog 103, the about box.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QString VersionText() const;

private:
    QLabel* version_;
};

}  // namespace varelo
