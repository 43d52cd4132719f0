#include "ui/MainFrm.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "app/ZOLFunctionKeys.h"
#include "list/ZOLListViewMgr.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/DetailPane.h"
#include "ui/DetailPaneArea.h"
#include "ui/NuvQtText.h"
#include "ui/WindowMemory.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

// The menu texts give function keys after a tab for display only: the keys themselves are
// handled by HandleFunctionKey so that the function-key table can redefine them.
bool IsFunctionKeyText(const std::string& shortcut) {
    return shortcut.size() >= 2 && shortcut[0] == 'F' && shortcut[1] >= '0' && shortcut[1] <= '9';
}

}  // namespace

CMainFrame::CMainFrame() {
    context_.runMode = RunMode();
    checkState_ = [] { return ViewCheckState{}; };
    recent_.Load(RunMode());
    BuildCentralArea();
    BuildMenus();
    BuildStatusBar();
    PlaceMainWindow(*this);
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
}

void CMainFrame::BuildCentralArea() {
    // The form view fills the middle of the window. Panes beside it (docks, a splitter) are the
    // frame's and are placed here, not in the view.
    view_ = new CZOLView(*this);
    area_ = new DetailPaneArea(*view_, this);
    setCentralWidget(area_);
}

void CMainFrame::BuildMenus() {
    for (const MenuDefinition& definition : BuildMainMenu(RunMode(), Config().specialMenu != 0)) {
        QMenu* menu = menuBar()->addMenu(Tr(definition.titleKey));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCheckMarks);
        for (const MenuEntry& entry : definition.entries) {
            if (entry.IsSeparator()) {
                menu->addSeparator();
            } else if (entry.command == ViewCommand::RecentFolders) {
                recentMenu_ = menu->addMenu(ToQt(MenuItemLabel(entry.command, context_, "")));
                connect(recentMenu_, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
                FillRecentMenu();
            } else {
                AddCommandAction(menu, entry.command);
            }
        }
    }
    UpdateMenuTexts();
}

QAction* CMainFrame::AddCommandAction(QMenu* menu, ViewCommand command) {
    QAction* action = menu->addAction(QString());
    action->setCheckable(CommandCheckable(command));
    if (command >= ViewCommand::ShowAllFiles && command <= ViewCommand::ShowRelatedScores) {
        if (duplicatesGroup_ == nullptr) {
            duplicatesGroup_ = new QActionGroup(this);
        }
        duplicatesGroup_->addAction(action);
    }
    const LabelParts parts = SplitShortcut(MenuItemKey(command, context_));
    if (!parts.shortcut.empty() && !IsFunctionKeyText(parts.shortcut)) {
        action->setShortcut(QKeySequence(QString::fromStdString(parts.shortcut)));
    }
    connect(action, &QAction::triggered, this, [this, command] { view_->RunCommand(command); });
    actions_[command] = action;
    return action;
}

void CMainFrame::UpdateMenuTexts() {
    for (const auto& [command, action] : actions_) {
        const LabelParts parts =
            SplitShortcut(MenuItemLabel(command, context_, Config().quickCopyPath));
        QString text = ToQt(parts.text);
        if (IsFunctionKeyText(parts.shortcut)) {
            text += '\t' + ToQt(parts.shortcut);
        }
        action->setText(text);
        action->setEnabled(CommandEnabled(command, context_));
    }
}

void CMainFrame::SetSongView(bool songView) {
    context_.songView = songView && RunMode() != kRunModeMidi;
    UpdateMenuTexts();
    view_->SetSongView(context_.songView);
    area_->Pane()->FollowFocus();
}

void CMainFrame::SetCheckStateProvider(std::function<ViewCheckState()> provider) {
    checkState_ = provider ? std::move(provider) : [] { return ViewCheckState{}; };
}

void CMainFrame::UpdateCheckMarks() {
    const ViewCheckState state = checkState_();
    const auto check = [this](ViewCommand command, bool on) {
        if (QAction* action = Action(command)) {
            action->setChecked(on);
        }
    };
    check(ViewCommand::AutoResizeColumns, state.autoResizeColumns);
    check(ViewCommand::RowNumber, state.rowNumber);
    check(ViewCommand::AlwaysUseFastAccess, state.alwaysUseFastAccess);
    check(ViewCommand::StatusBar, !statusBar()->isHidden());
    check(ViewCommand::DetailPane, area_->PaneShown());
    const ViewCommand modes[] = {ViewCommand::ShowAllFiles, ViewCommand::ShowUniqueFiles,
                                 ViewCommand::ShowDuplicateFiles, ViewCommand::ShowUniqueScores,
                                 ViewCommand::ShowRelatedScores};
    for (int mode = 0; mode < 5; ++mode) {
        check(modes[mode], state.duplicatesMode == mode);
    }
}

void CMainFrame::FillRecentMenu() {
    recentMenu_->clear();
    int number = 1;
    for (const std::string& folder : recent_.Folders()) {
        const QString text = QStringLiteral("&%1 %2").arg(number++ % 10).arg(PathToQt(folder));
        QAction* action = recentMenu_->addAction(text);
        connect(action, &QAction::triggered, this, [this, folder] { view_->OpenFolder(folder); });
    }
    recentMenu_->setEnabled(!recent_.Folders().empty());
}

void CMainFrame::AddRecentFolder(const std::string& folder) {
    recent_.Add(folder);
    FillRecentMenu();
}

QAction* CMainFrame::Action(ViewCommand command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::BuildStatusBar() {
    for (int pane = 0; pane < kPaneCount; ++pane) {
        auto* label = new QLabel(this);
        panes_[static_cast<std::size_t>(pane)] = label;
        if (pane == 0) {
            statusBar()->addWidget(label, 1);
            continue;
        }
        if (pane == 1) {
            const int width = label->fontMetrics().horizontalAdvance(Tr("999 files/sec"));
            label->setMinimumWidth(width + label->fontMetrics().averageCharWidth() * 2);
        }
        statusBar()->addPermanentWidget(label);
    }
    SetPaneText(0, ToQt(Translate(CurrentModeNames().statusText)));
}

void CMainFrame::SetPaneText(int pane, const QString& text) {
    if (pane >= 0 && pane < kPaneCount) {
        panes_[static_cast<std::size_t>(pane)]->setText(text);
    }
}

QString CMainFrame::PaneText(int pane) const {
    return pane >= 0 && pane < kPaneCount ? panes_[static_cast<std::size_t>(pane)]->text()
                                          : QString();
}

bool CMainFrame::HandleFunctionKey(int key) {
    const FunctionKeyDecision decision = DecideFunctionKey(key, Config().functionKeys);
    switch (decision.kind) {
        case FunctionKeyDecision::Kind::Run:
            view_->RunCommand(decision.command);
            return true;
        case FunctionKeyDecision::Kind::Nothing:
            return true;
        case FunctionKeyDecision::Kind::Normal:
            break;
    }
    if (key == 1) {
        view_->RunCommand(ViewCommand::HelpQuickStart);
        return true;
    }
    if (key == 5) {
        view_->RunCommand(ViewCommand::Refresh);
        return true;
    }
    if (key == 9) {
        view_->RunCommand(ViewCommand::DetailPane);
        return true;
    }
    return false;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    RememberMainWindow(*this, ListViewMgr(), view_->SubfolderBox()->isChecked());
    QMainWindow::closeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    // Only keys typed into this window, without modifiers, and only once per key press (the
    // event passes the filter for each widget on its way up).
    if (widget == nullptr || widget->window() != this || key < Qt::Key_F1 || key > Qt::Key_F12 ||
        keyEvent->modifiers() != Qt::NoModifier || (!widget->isWindow() && !widget->hasFocus())) {
        return QMainWindow::eventFilter(watched, event);
    }
    return HandleFunctionKey(key - Qt::Key_F1 + 1) || QMainWindow::eventFilter(watched, event);
}

}  // namespace kelvane
