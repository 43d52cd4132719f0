#include "ui/ZOLView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ZOLReadFolder.h"
#include "output/ZOLRtfListCtrl.h"
#include "platform/Launcher.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVConfig.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/MainFrm.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLPrintListCtrl.h"

namespace kelvane {

CZOLView::CZOLView(CMainFrame& frame)
    : QWidget(&frame),
      frame_(frame),
      rtf_(std::make_unique<CZOLRtfListCtrl>(!IsStyleMode())),
      print_(std::make_unique<CPrintListCtrl>()) {
    BuildForm();
    InstallLists();
    // The scan names each new start folder from its worker thread.
    SetRecentFolderFeed([this](const std::string& folder) {
        RunOnUiThread([this, &folder] { frame_.AddRecentFolder(folder); });
    });
}

CZOLView::~CZOLView() {
    SetRecentFolderFeed({});
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
    pathBox_->setEditText(PathToQt(folder));
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
    ReadFolderTree(RefreshKind::Normal);
}

void CZOLView::Refresh(RefreshKind kind) {
    if (PrepareRefresh(Trimmed(PathBoxText()), subfolders_->isChecked()) != 0) {
        return;
    }
    pathBox_->setEditText(PathToQt(Config().startPath));
    ReadFolderTree(kind);
}

void CZOLView::ReadFolderTree(RefreshKind kind) {
    kelvane::ReadFolderTree(Config().effectiveStartPath, Config().includeSubfolders != 0, kind,
                            ProgressHost());
}

void CZOLView::OpenFolder(const std::string& folder) {
    pathBox_->setEditText(PathToQt(folder));
    Refresh(RefreshKind::Normal);
}

void CZOLView::OnPathBoxEnter() {
    const PathBoxKeyword keyword = ParsePathBoxKeyword(Trimmed(PathBoxText()));
    if (keyword == PathBoxKeyword::None) {
        Refresh(RefreshKind::Normal);
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
            contextFolder_ = rowFolder;
            contextRecord_ = rowRecord;
            RunCommand(command);
            contextFolder_.clear();
            contextRecord_ = nullptr;
        });
    }
    menu.exec(globalPos);
}

void CZOLView::ExploreFolder(const std::string& folder) {
    if (!OpenByType(folder)) {
        ShowBox(StrFormat("%s %s", Translate("Cannot open the folder").c_str(), folder.c_str()));
    }
}

}  // namespace kelvane
