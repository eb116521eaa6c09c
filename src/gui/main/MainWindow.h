#pragma once

#include <QList>
#include <QMainWindow>
#include <string>
#include <vector>

#include "app/CommandTable.h"
#include "gui/views/ViewContext.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace varelo {

class CommandActions;
class LockIndicators;
class ResultView;
struct ViewKind;

// The frame: tool bar, status bar, the menus of the active window kind and the result windows
// of the open measurement. Commands go out through CommandTriggered; the window commands
// (cascade, tile, next pane, ...) it carries out itself.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    CommandActions& Actions() { return *actions_; }
    QMdiArea* Mdi() const { return mdi_; }
    QToolBar* ToolBar() const { return toolBar_; }
    LockIndicators& Locks() { return *locks_; }

    // The measurement the result windows show; none closes them all.
    void SetDocument(const ViewContext& context, const QString& title);
    void ClearDocument();
    // A new result window of this kind; the graphical summary is activated when it is open.
    ResultView* OpenView(const ViewKind& kind);
    ResultView* ActiveView() const;
    QList<ResultView*> Views() const;
    // Tells every result window that the document changed.
    void UpdateViews();

    void UpdateCommandStates();
    // While a Logger function runs the window takes no input, every command is disabled and
    // closing is refused; windows opened meanwhile (its progress window, its questions) work.
    // Calls nest; the last end brings the window to the front.
    void BeginLoggerFunction();
    void EndLoggerFunction();
    bool LoggerFunctionRunning() const { return loggerFunctions_ > 0; }
    void SetRecentFiles(const std::vector<std::string>& files);
    void SetLanguage(int languageId);
    void SetStatusText(const QString& text);
    QString StatusText() const;
    // The template id whose menu is shown.
    int MenuTemplate() const { return menuTemplate_; }

signals:
    void CommandTriggered(int commandId);
    void FilesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolBar();
    void BuildStatusBar();
    void BuildWindowKeys();
    void RebuildMenus();
    void FillMenu(QMenu* menu, const std::vector<int>& items);
    void OnCommand(int commandId);
    bool RunWindowCommand(int commandId);
    ResultView* AddViewWindow(const ViewKind& kind);

    CommandActions* actions_;
    QMdiArea* mdi_;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    LockIndicators* locks_ = nullptr;
    ViewContext context_{};
    QString documentTitle_;
    std::vector<std::string> recentFiles_;
    int languageId_ = 0;
    int menuTemplate_ = 0;
    int loggerFunctions_ = 0;
};

}  // namespace varelo
