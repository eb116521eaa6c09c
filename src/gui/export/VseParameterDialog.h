#pragma once

#include <QDialog>

#include "export/VseExport.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace varelo {

class UserInterface;

// Dialog 163 "VSE-Export - Parameter": the measurement point's identification and whether a
// protocol is printed and the choice saved.
class VseParameterDialog : public QDialog {
    Q_OBJECT

public:
    VseParameterDialog(const VseSettings& settings, QWidget* parent = nullptr);

    VseSettings Settings() const;

    QLineEdit* EwNumber() const { return ewNumber_; }
    QComboBox* Location() const { return location_; }
    QComboBox* Transformer() const { return transformer_; }
    QCheckBox* Protocol() const { return protocol_; }
    QCheckBox* Save() const { return save_; }

private:
    QLineEdit* ewNumber_;
    QComboBox* location_;
    QComboBox* transformer_;
    QCheckBox* protocol_;
    QCheckBox* save_;
};

}  // namespace varelo
