#include "gui/main/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include "app/Language.h"
#include "app/RecentFiles.h"
#include "document/Vamor800Doc.h"
#include "gui/app/QtText.h"
#include "gui/main/CommandActions.h"
#include "gui/main/LockIndicators.h"
#include "gui/main/ResultFrame.h"
#include "gui/views/ResultView.h"
#include "gui/views/ViewRegistry.h"

namespace varelo {

namespace {

constexpr int kMainMenu = 174;

ResultView* ViewOf(QMdiSubWindow* window) {
    auto* frame = window ? qobject_cast<ResultFrame*>(window->widget()) : nullptr;
    return frame ? frame->View() : nullptr;
}

}  // namespace

MainWindow::MainWindow() : actions_(new CommandActions(this)), mdi_(new QMdiArea(this)) {
    setWindowTitle(QStr(174));
    setAcceptDrops(true);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    BuildToolBar();
    BuildStatusBar();
    BuildWindowKeys();
    connect(actions_, &CommandActions::Triggered, this, &MainWindow::OnCommand);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        RebuildMenus();
        UpdateCommandStates();
    });
    RebuildMenus();
    UpdateCommandStates();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildToolBar() {
    toolBar_ = new QToolBar(QTxt(txt::dlg_main_standard), this);
    toolBar_->setObjectName("MainToolBar");
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : MainToolBar()) {
        if (id == kSeparator)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_->Action(id));
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void MainWindow::BuildStatusBar() {
    messagePane_ = new QLabel(QStr(57345));
    messagePane_->setContentsMargins(2, 0, 2, 0);
    statusBar()->addWidget(messagePane_, 1);
    locks_ = new LockIndicators(statusBar());
}

void MainWindow::BuildWindowKeys() {
    auto* next = new QAction(this);
    next->setShortcut(QKeySequence(Qt::Key_F6));
    connect(next, &QAction::triggered, mdi_, &QMdiArea::activateNextSubWindow);
    auto* previous = new QAction(this);
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(previous, &QAction::triggered, mdi_, &QMdiArea::activatePreviousSubWindow);
    addActions({next, previous});
}

void MainWindow::RebuildMenus() {
    ResultView* view = ActiveView();
    menuTemplate_ = view ? view->TemplateId() : kMainMenu;
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        menu->deleteLater();
    menuBar()->clear();
    for (const MenuPopup& popup : MenuBarOf(menuTemplate_)) {
        if (popup.title.name.empty()) {
            if (view) {
                for (QMenu* menu : view->WindowMenus())
                    menuBar()->addMenu(menu);
            }
            continue;
        }
        QMenu* menu = new QMenu(QTxt(popup.title), menuBar());
        FillMenu(menu, popup.items);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateCommandStates);
        menuBar()->addMenu(menu);
    }
}

void MainWindow::FillMenu(QMenu* menu, const std::vector<int>& items) {
    for (int id : items) {
        switch (id) {
            case kSeparator: menu->addSeparator(); break;
            case kRecentFilesSlot:
                for (size_t i = 0; i < recentFiles_.size(); ++i)
                    menu->addAction(actions_->Action(cmd::kRecentFirst + static_cast<int>(i)));
                break;
            case kLanguagesSlot:
                for (const Language& language : Languages())
                    menu->addAction(actions_->Action(language.menuCommand));
                break;
            case kExportSlot: {
                QMenu* exports = menu->addMenu(QTxt(txt::menu_export));
                for (int exportId : ExportCommands()) {
                    if (exportId == kSeparator)
                        exports->addSeparator();
                    else
                        exports->addAction(actions_->Action(exportId));
                }
                break;
            }
            default: menu->addAction(actions_->Action(id));
        }
    }
}

void MainWindow::SetRecentFiles(const std::vector<std::string>& files) {
    recentFiles_ = files;
    for (size_t i = 0; i < RecentFiles::kCapacity; ++i) {
        QAction* action = actions_->Action(cmd::kRecentFirst + static_cast<int>(i));
        const QString path = i < files.size() ? Q(files[i]) : QString();
        action->setText(QString("&%1 %2").arg(i + 1).arg(path));
        action->setStatusTip(path);
        action->setVisible(i < files.size());
    }
    RebuildMenus();
    UpdateCommandStates();
}

void MainWindow::SetLanguage(int languageId) {
    languageId_ = languageId;
    for (const Language& language : Languages()) {
        QAction* action = actions_->Action(language.menuCommand);
        action->setText(Q(language.name));
        action->setCheckable(true);
    }
    UpdateCommandStates();
}

void MainWindow::UpdateCommandStates() {
    if (LoggerFunctionRunning()) {
        for (const auto& [id, action] : actions_->All())
            action->setEnabled(false);
        return;
    }
    ResultView* view = ActiveView();
    CommandState state;
    state.documentOpen = context_.doc != nullptr;
    state.resultViewActive = view != nullptr;
    state.childWindowActive = mdi_->activeSubWindow() != nullptr;
    for (const auto& [id, action] : actions_->All()) {
        const bool docEnabled = context_.doc && context_.doc->IsCommandEnabled(id);
        const bool enabled =
            IsShellCommandEnabled(id, state, docEnabled, FindViewKindByCommand(id));
        action->setEnabled(enabled);
    }
    for (const Language& language : Languages()) {
        QAction* action = actions_->Action(language.menuCommand);
        const bool current = language.id == languageId_;
        action->setChecked(current);
        action->setEnabled(!current);
    }
}

void MainWindow::BeginLoggerFunction() {
    if (loggerFunctions_++ > 0) return;
    setEnabled(false);
    UpdateCommandStates();
}

void MainWindow::EndLoggerFunction() {
    if (loggerFunctions_ == 0 || --loggerFunctions_ > 0) return;
    setEnabled(true);
    UpdateCommandStates();
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The function pumps messages from inside one of this window's commands; closing now
    // would end the program under it.
    if (LoggerFunctionRunning())
        event->ignore();
    else
        QMainWindow::closeEvent(event);
}

void MainWindow::OnCommand(int commandId) {
    if (!RunWindowCommand(commandId)) emit CommandTriggered(commandId);
    UpdateCommandStates();
}

bool MainWindow::RunWindowCommand(int commandId) {
    switch (commandId) {
        case cmd::kWindowCascade: mdi_->cascadeSubWindows(); return true;
        case cmd::kWindowTile: mdi_->tileSubWindows(); return true;
        case cmd::kWindowArrange: {
            // Minimized windows line up along the bottom edge.
            int x = 0;
            for (QMdiSubWindow* window : mdi_->subWindowList()) {
                if (!window->isMinimized()) continue;
                window->move(x, mdi_->viewport()->height() - window->height());
                x += window->width();
            }
            return true;
        }
        case cmd::kWindowNew:
            if (ResultView* view = ActiveView()) {
                if (const ViewKind* kind = FindViewKindByTemplate(view->TemplateId()))
                    AddViewWindow(*kind);
            }
            return true;
        case cmd::kCloseWindow: mdi_->closeActiveSubWindow(); return true;
        default: return false;
    }
}

void MainWindow::SetDocument(const ViewContext& context, const QString& title) {
    context_ = context;
    documentTitle_ = title;
    UpdateCommandStates();
}

void MainWindow::ClearDocument() {
    mdi_->closeAllSubWindows();
    context_ = ViewContext{};
    documentTitle_.clear();
    RebuildMenus();
    UpdateCommandStates();
}

ResultView* MainWindow::OpenView(const ViewKind& kind) {
    if (!context_.doc) return nullptr;
    if (kind.commandId == cmd::kGraphicalSummary) {
        for (QMdiSubWindow* window : mdi_->subWindowList()) {
            if (ResultView* view = ViewOf(window); view && view->TemplateId() == kind.templateId) {
                mdi_->setActiveSubWindow(window);
                return view;
            }
        }
    }
    return AddViewWindow(kind);
}

ResultView* MainWindow::AddViewWindow(const ViewKind& kind) {
    if (!context_.doc) return nullptr;
    ResultView* view = kind.create(context_, nullptr);
    if (!view) return nullptr;
    QMdiSubWindow* window = mdi_->addSubWindow(new ResultFrame(view));
    window->setWindowTitle(view->ViewName() + " - " + documentTitle_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(view, &ResultView::DocumentCommandRequested, this, &MainWindow::CommandTriggered);
    window->showMaximized();
    mdi_->setActiveSubWindow(window);
    return view;
}

ResultView* MainWindow::ActiveView() const {
    return ViewOf(mdi_->activeSubWindow());
}

QList<ResultView*> MainWindow::Views() const {
    QList<ResultView*> views;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (ResultView* view = ViewOf(window)) views << view;
    }
    return views;
}

void MainWindow::UpdateViews() {
    for (ResultView* view : Views())
        view->OnDocumentUpdate();
}

void MainWindow::SetStatusText(const QString& text) {
    statusBar()->clearMessage();
    messagePane_->setText(text);
}

QString MainWindow::StatusText() const {
    return messagePane_->text();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    if (!paths.isEmpty()) emit FilesDropped(paths);
}

}  // namespace varelo
