#pragma once

#include <QDialog>

class QLineEdit;

namespace varelo {

class UserInterface;

// "Application group" (112): the name of a group.
class ApplicationGroupDialog : public QDialog {
    Q_OBJECT

public:
    ApplicationGroupDialog(const QString& name, UserInterface& ui, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return name_; }
    // The name OK took, trimmed.
    std::string Name() const { return taken_; }
    void accept() override;

private:
    UserInterface& ui_;
    QLineEdit* name_;
    std::string taken_;
};

}  // namespace varelo
