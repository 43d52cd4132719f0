#include "ui/ZOLFileOpPromptsUi.h"

#include "support/NUVLang.h"
#include "ui/DlgGetPath.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"
#include "ui/ZOLCdromCompDlg.h"
#include "ui/ZOLPromptDlg.h"
#include "ui/ZOLRenameDlg.h"

namespace kelvane {
namespace {

// Runs `ask` on the user-interface thread (the worker waits) and hands back its answer.
template <typename Ask>
auto AskOnUiThread(Ask&& ask) {
    decltype(ask()) answer{};
    RunOnUiThread([&] { answer = ask(); });
    return answer;
}

}  // namespace

int CQtFileOpPrompts::FileExists(const FileExistsQuestion& question) {
    return AskOnUiThread([&] { return AskPrompt(FileExistsPromptLayout(question)); });
}

int CQtFileOpPrompts::ReadOnlySource(const std::string& sourcePath) {
    return AskOnUiThread([&] { return AskPrompt(ReadOnlyPromptLayout(sourcePath)); });
}

int CQtFileOpPrompts::DeviceFull() {
    return AskOnUiThread([] { return AskPrompt(DeviceFullPromptLayout()); });
}

int CQtFileOpPrompts::OutputFileExists() {
    return AskOnUiThread([] { return AskPrompt(OutputFileExistsPromptLayout()); });
}

int CQtFileOpPrompts::MissingDestination(const std::string& folder) {
    return AskOnUiThread([&] { return AskPrompt(MissingFolderPromptLayout(folder)); });
}

std::optional<std::string> CQtFileOpPrompts::ChooseFolder(const std::string& title,
                                                          const std::string& startFolder) {
    return AskOnUiThread([&]() -> std::optional<std::string> {
        CDlgGetPath dialog(BoxParent(), Translate(title), startFolder);
        if (ExecWithNormalCursor(dialog) != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.Folder();
    });
}

std::optional<std::string> CQtFileOpPrompts::ChooseNewName(const std::string& folder,
                                                           const std::string& name) {
    return AskOnUiThread([&] { return AskNewName(folder, name); });
}

std::optional<CdromCompatChoice> CQtFileOpPrompts::CdromTestChoice() {
    return AskOnUiThread([] { return AskCdromTestChoice(); });
}

}  // namespace kelvane
