// The folder chooser: a tree of the folders below "/" and a path box. OK checks a typed path
// part by part, offers to create a missing one, and returns the folder with a trailing "/".
// New Folder creates a folder below the selected one.
#pragma once

#include <QDialog>
#include <string>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace kelvane {

class CDlgGetPath : public QDialog {
    Q_OBJECT

  public:
    CDlgGetPath(QWidget* parent, const std::string& title, const std::string& startFolder);

    // The chosen folder (ends with "/") after OK.
    const std::string& Folder() const { return folder_; }

    QLineEdit* PathEdit() const { return path_; }
    QTreeView* Tree() const { return tree_; }

    // The OK step: false keeps the dialog open (invalid path, creation refused or failed).
    bool AcceptTypedPath();
    // New Folder with a given name below the folder in the path box; true when it was created
    // (it is then selected and in the path box).
    bool CreateFolder(const std::string& name);

    void accept() override;

  private:
    void SelectFolder(const std::string& folder);
    void OnTreeSelection();
    void OnNewFolder();

    QFileSystemModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLineEdit* path_ = nullptr;
    std::string folder_;
};

}  // namespace kelvane
