#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "gui/views/ViewContext.h"

class QAction;
class QMenu;

namespace varelo {

// A result window's view of the open measurement. One paint routine serves the screen, the
// printer and PDF files; the main window routes the commands of its window kind here.
class ResultView : public QWidget {
    Q_OBJECT

public:
    explicit ResultView(const ViewContext& context, QWidget* parent = nullptr)
        : QWidget(parent), context_(context) {}

    // Template id of the window kind (186 graphical summary, 177 DISDIP, ...): selects the
    // window's menu and tool bar.
    virtual int TemplateId() const = 0;
    // The view's name; a window's title is the name, " - " and the document's title.
    virtual QString ViewName() const = 0;
    // The document changed (limits reloaded, settings, colours): recompute and redraw.
    virtual void OnDocumentUpdate() = 0;
    // 57607 asks for the printer first; 57608 prints on the current printer at once.
    virtual void Print(bool askPrinter) = 0;
    // The popups of this window kind, placed after "&Analysis".
    virtual QList<QMenu*> WindowMenus() { return {}; }
    // The view's action of one of its own commands, which menus and the window's tool bar
    // share; none for another command.
    virtual QAction* CommandAction(int) const { return nullptr; }

signals:
    // The view asks the main window to run a document command (for example 33020 "List of
    // all events" of the DISDIP table opens the event list).
    void DocumentCommandRequested(int commandId);

protected:
    // An action of one of the view's commands, with its menu text, tips and icon, and the
    // command id as its data.
    QAction* MakeCommandAction(int commandId);

    ViewContext context_;
};

}  // namespace varelo
