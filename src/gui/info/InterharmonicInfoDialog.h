#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace varelo {

class CMeasurementJob;

// Dialog 131 "Information about voltage interharmonics": one line per interharmonic channel of
// the job, its fields at tab stops.
class InterharmonicInfoDialog : public QDialog {
    Q_OBJECT

public:
    InterharmonicInfoDialog(const CMeasurementJob& job, QWidget* parent = nullptr);

    QStringList Lines() const;

private:
    QPlainTextEdit* list_;
};

}  // namespace varelo
