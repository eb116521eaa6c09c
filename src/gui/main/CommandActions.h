#pragma once

#include <QObject>
#include <map>

class QAction;
class QWidget;

namespace varelo {

// One QAction per command id: menu text, tool tip and fly-by text from the string table, the
// tool bar's icon, the accelerators. Menus and the tool bar share them.
class CommandActions : public QObject {
    Q_OBJECT

public:
    // Actions with accelerators are added to window so the keys work without a menu.
    explicit CommandActions(QWidget* window);

    // The command's action, created on first use.
    QAction* Action(int commandId);
    bool Has(int commandId) const { return actions_.count(commandId) != 0; }
    const std::map<int, QAction*>& All() const { return actions_; }

signals:
    void Triggered(int commandId);

private:
    QWidget* window_;
    std::map<int, QAction*> actions_;
};

}  // namespace varelo
