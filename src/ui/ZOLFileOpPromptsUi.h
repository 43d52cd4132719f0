// The desktop program's answers to the questions of the file operations: the four prompts, the
// destination folder dialog, the rename dialog and the CD-ROM test selection. The operations
// ask from their worker thread; each question is shown on the user-interface thread while the
// worker waits for the answer.
#pragma once

#include "fileops/ZOLFileOpPrompts.h"

namespace kelvane {

class CQtFileOpPrompts final : public IFileOpPrompts {
  public:
    // The prompts: a CZOLPromptDlg each, its buttons laid out by the core's PromptLayout.
    int FileExists(const FileExistsQuestion& question) override;
    int ReadOnlySource(const std::string& sourcePath) override;
    int DeviceFull() override;
    int OutputFileExists() override;
    int MissingDestination(const std::string& folder) override;
    // The folder dialog, the rename dialog and the CD-ROM test's selection dialog.
    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> ChooseNewName(const std::string& folder,
                                             const std::string& name) override;
    std::optional<CdromCompatChoice> CdromTestChoice() override;
};

}  // namespace kelvane
