#include "ui/ZOLView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "list/ZOLListViewMgr.h"
#include "support/NUVConfig.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/AuditionBar.h"
#include "ui/FileCommands.h"
#include "ui/ListCommands.h"
#include "ui/MainFrm.h"
#include "ui/NavigationCommands.h"
#include "ui/NuvQtText.h"
#include "ui/OutputCommands.h"
#include "ui/ProgramCommands.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"

namespace kelvane {

CZOLView::CZOLView(CMainFrame& frame) : QWidget(&frame), frame_(frame) {
    BuildForm();
    InstallLists();
    audition_ = new AuditionBar(*lists_, this);
    layout_->addWidget(audition_);
    MakeCommandGroups();
}

CZOLView::~CZOLView() = default;

void CZOLView::MakeCommandGroups() {
    navigation_ =
        std::make_unique<NavigationCommands>(*this, frame_, *lists_, *pathBox_, *subfolders_);
    listCommands_ = std::make_unique<ListCommands>(*this, frame_, *lists_);
    files_ = std::make_unique<FileCommands>(
        *this, [this](const std::string& path) { return audition_->PlayFile(path); });
    outputs_ = std::make_unique<OutputCommands>(*this);
    program_ = std::make_unique<ProgramCommands>(
        *this, frame_, *navigation_, [this] { ApplyListFontSize(Config().listViewFontSize); },
        [this](ViewCommand command) { RunCommand(command); });
}

void CZOLView::RunCommand(ViewCommand command, const CommandRow* row) {
    lastCommand_ = command;
    TraceFormat(trace::kDebug, true, "%s %s", "Command :", CommandName(command));
    if (!CommandEnabled(command, ViewContext{RunMode(), frame_.SongView()})) {
        return;  // absent in this mode, or greyed for the list shown
    }
    switch (command) {
        case ViewCommand::Undo:
        case ViewCommand::Cut:
        case ViewCommand::CopyText:
        case ViewCommand::Paste:
            OnEditText(command);
            return;
        default:
            break;
    }
    // The recent folders are a submenu of their own and no command.
    for (CommandGroup* group :
         std::initializer_list<CommandGroup*>{navigation_.get(), listCommands_.get(), files_.get(),
                                              outputs_.get(), program_.get()}) {
        if (group->Run(command, row)) {
            return;
        }
    }
}

void CZOLView::OnEditText(ViewCommand command) {
    QLineEdit* edit = pathBox_->lineEdit();
    switch (command) {
        case ViewCommand::Undo:
            edit->undo();
            break;
        case ViewCommand::Cut:
            edit->cut();
            break;
        case ViewCommand::CopyText:
            edit->copy();
            break;
        default:
            edit->paste();
            break;
    }
}

void CZOLView::InstallLists() {
    lists_ = new CZOLListArea(ListViewMgr(), this);
    const auto menu = [this](const QPoint& globalPos, int selectedRows, const std::string& folder) {
        const CZOLListWidget* widget = lists_->Current();
        const StyleDataPacket* record =
            widget != nullptr ? ListViewMgr().StyleRecordOfRow(widget->ContextRow()) : nullptr;
        ShowRowContextMenu(globalPos, ListViewMgr().CurrentViewMode() == Songs, selectedRows,
                           folder, record);
    };
    lists_->FileListWidget()->SetContextMenuHandler(menu);
    lists_->SongListWidget()->SetContextMenuHandler(menu);
    // Delete in the list moves the selected files to the trash (after the question).
    auto* trashKey = new QShortcut(QKeySequence::Delete, lists_, nullptr, nullptr,
                                   Qt::WidgetWithChildrenShortcut);
    connect(trashKey, &QShortcut::activated, this,
            [this] { RunCommand(ViewCommand::MoveToTrash); });
    InstallListWidget(lists_);
}

CZOLRtfListCtrl& CZOLView::RtfWriter() {
    return outputs_->RtfWriter();
}

CPrintListCtrl& CZOLView::Printing() {
    return outputs_->Printing();
}

void CZOLView::BuildForm() {
    layout_ = new QVBoxLayout(this);
    auto* pathRow = new QHBoxLayout;
    pathBox_ = new QComboBox(this);
    pathBox_->setEditable(true);
    pathBox_->setInsertPolicy(QComboBox::NoInsert);
    pathBox_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(pathBox_->lineEdit(), &QLineEdit::returnPressed, this, &CZOLView::OnPathBoxEnter);
    subfolders_ = new QCheckBox(Tr("@check_box@Incl. S&ubfolders"), this);
    // Ticking or clearing the box reads the folder again at once.
    connect(subfolders_, &QCheckBox::clicked, this, [this] { RunCommand(ViewCommand::Refresh); });
    pathRow->addWidget(pathBox_, 1);
    pathRow->addWidget(subfolders_);
    auto* browse = new QPushButton(Tr(ButtonKey(ViewCommand::OpenFolder, false)), this);
    connect(browse, &QPushButton::clicked, this, [this] { RunCommand(ViewCommand::OpenFolder); });
    buttons_[ViewCommand::OpenFolder] = browse;
    pathRow->addWidget(browse);
    layout_->addLayout(pathRow);

    auto* buttonRow = new QHBoxLayout;
    for (const ViewCommand command :
         FormButtons(RunMode(), Config().hardRescanButton != 0, Config().rescanButton != 0)) {
        AddButton(buttonRow, command);
    }
    buttonRow->addStretch(1);
    layout_->addLayout(buttonRow);

    auto* placeholder = new QLabel(this);
    placeholder->setFrameShape(QFrame::StyledPanel);
    placeholder->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    list_ = placeholder;
    layout_->addWidget(list_, 1);
}

void CZOLView::AddButton(QLayout* row, ViewCommand command) {
    auto* button = new QPushButton(Tr(ButtonKey(command, false)), this);
    button->setAutoDefault(false);
    // Narrower than the style's usual button, so the whole row fits the 800-pixel frame.
    const QFontMetrics metrics = button->fontMetrics();
    button->setMinimumWidth(metrics.horizontalAdvance(button->text()) +
                            metrics.averageCharWidth() * 2);
    connect(button, &QPushButton::clicked, this, [this, command] { RunCommand(command); });
    row->addWidget(button);
    buttons_[command] = button;
}

QPushButton* CZOLView::Button(ViewCommand command) const {
    const auto found = buttons_.find(command);
    return found == buttons_.end() ? nullptr : found->second;
}

void CZOLView::InstallListWidget(QWidget* list) {
    if (list == nullptr) {
        return;
    }
    list->setParent(this);
    // The layout hands back the placeholder's item; both are ours to delete.
    delete layout_->replaceWidget(list_, list);
    delete list_;
    list_ = list;
    ApplyListFontSize(Config().listViewFontSize);
}

void CZOLView::ApplyListFontSize(int pointSize) {
    if (lists_ != nullptr && list_ == lists_) {
        lists_->SetFontHeight(pointSize);
        return;
    }
    QFont font = QWidget::font();
    if (pointSize > 0) {
        font.setPointSize(pointSize);
    }
    list_->setFont(font);
}

void CZOLView::SetStartFolder(const std::string& folder, bool includeSubfolders) {
    pathBox_->setEditText(PathToQt(ShownFolderText(folder)));
    subfolders_->setChecked(includeSubfolders);
}

std::string CZOLView::PathBoxText() const {
    return PathFromQt(pathBox_->currentText());
}

void CZOLView::SetSongView(bool songView) {
    if (QPushButton* toggle = Button(ViewCommand::ToggleSongStyle)) {
        toggle->setText(Tr(ToggleButtonKey(songView)));
    }
    subfolders_->setEnabled(!songView);
}

void CZOLView::ReadStartFolder() {
    ApplyListFontSize(Config().listViewFontSize);
    navigation_->ReadFolderTree(RefreshKind::Normal);
}

void CZOLView::OpenFolder(const std::string& folder) {
    navigation_->OpenFolder(folder);
}

void CZOLView::ShowSongView(bool songView) {
    listCommands_->ShowSongView(songView);
}

void CZOLView::OnPathBoxEnter() {
    const PathBoxKeyword keyword = ParsePathBoxKeyword(Trimmed(PathBoxText()));
    if (keyword == PathBoxKeyword::None) {
        navigation_->Refresh(RefreshKind::Normal);
        return;
    }
    // The box gets the start folder back; the keyword never becomes a path.
    pathBox_->setEditText(PathToQt(Config().startPath));
    switch (keyword) {
        case PathBoxKeyword::SoftRescan:
            RunCommand(ViewCommand::SoftRescan);
            break;
        case PathBoxKeyword::HardRescan:
            RunCommand(ViewCommand::HardRescan);
            break;
        case PathBoxKeyword::Trace1000:
            RunCommand(ViewCommand::TraceLevel1000);
            break;
        case PathBoxKeyword::None:
            break;
    }
}

void CZOLView::ShowRowContextMenu(const QPoint& globalPos, bool songView, int selectedRows,
                                  const std::string& rowFolder, const StyleDataPacket* rowRecord) {
    QMenu menu(this);
    for (const ViewCommand command : RowContextMenu(songView, selectedRows)) {
        QAction* action = menu.addAction(ToQt(PopupItemLabel(command, Config().quickCopyPath)));
        connect(action, &QAction::triggered, this, [this, command, rowFolder, rowRecord] {
            const CommandRow row{rowFolder, rowRecord};
            RunCommand(command, &row);
        });
    }
    menu.exec(globalPos);
}

}  // namespace kelvane
