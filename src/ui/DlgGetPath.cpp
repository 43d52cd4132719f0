#include "ui/DlgGetPath.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/ZOLPathCheck.h"
#include "support/NUVConfig.h"
#include "support/NUVPath.h"
#include "support/NUVUserInterface.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLDialogParts.h"

namespace kelvane {

CDlgGetPath::CDlgGetPath(QWidget* parent, const std::string& title, const std::string& startFolder)
    : QDialog(parent) {
    setWindowTitle(ToQt(title));
    resize(460, 420);
    auto* layout = new QVBoxLayout(this);
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QStringLiteral("/"));
    tree_ = new QTreeView(this);
    tree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) {
        tree_->hideColumn(column);
    }
    tree_->header()->hide();
    layout->addWidget(tree_, 1);
    path_ = new QLineEdit(this);
    layout->addWidget(path_);

    QPushButton* newFolder = nullptr;
    AddOkCancelRow(this, layout, {"@button_newfolder@&New Folder"}, &newFolder);
    connect(newFolder, &QPushButton::clicked, this, &CDlgGetPath::OnNewFolder);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CDlgGetPath::OnTreeSelection);

    SelectFolder(startFolder);
    path_->setText(PathToQt(startFolder));
}

void CDlgGetPath::SelectFolder(const std::string& folder) {
    std::string path = folder;
    NormaliseFolder(path);
    const QModelIndex index = model_->index(PathToQt(path));
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    }
}

void CDlgGetPath::OnTreeSelection() {
    const QModelIndex index = tree_->currentIndex();
    if (index.isValid()) {
        path_->setText(PathToQt(WithSlash(PathFromQt(model_->filePath(index)))));
    }
}

bool CDlgGetPath::AcceptTypedPath() {
    const std::string typed = Trimmed(PathFromQt(path_->text()));
    const FolderPathCheck check = CheckFolderPath(typed);
    switch (check.state) {
        case FolderPathState::Exists:
            folder_ = check.folder;
            return true;
        case FolderPathState::Invalid:
        case FolderPathState::NotFolder:
            ShowBox(InvalidFolderMessage(typed));
            return false;
        case FolderPathState::Missing:
            break;
    }
    if (ShowBox(CreateFolderQuestion(check.folder), BoxIcon::Question, BoxButtons::YesNo,
                BoxAnswer::Yes) != BoxAnswer::Yes) {
        return false;
    }
    if (MakeFolderPath(check.folder) != 1) {
        ShowBox(CannotCreateFolderMessage(check.folder));
        return false;
    }
    folder_ = check.folder;
    return true;
}

void CDlgGetPath::accept() {
    if (AcceptTypedPath()) {
        QDialog::accept();
    }
}

bool CDlgGetPath::CreateFolder(const std::string& name) {
    // The path box holds the selected folder: the tree writes its selection there.
    const std::string parent = Trimmed(PathFromQt(path_->text()));
    std::string created;
    const NewFolderResult result = CreateNewFolder(parent, name, created);
    if (result != NewFolderResult::Created) {
        ShowBox(NewFolderMessage(result, name));
        return false;
    }
    path_->setText(PathToQt(created));
    SelectFolder(created);
    return true;
}

void CDlgGetPath::OnNewFolder() {
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, Tr("@button_newfolder@&New Folder").remove('&'),
                              Tr("Folder name:"), QLineEdit::Normal, Tr("New Folder"), &ok);
    if (ok) {
        CreateFolder(PathFromQt(name));
    }
}

}  // namespace kelvane
