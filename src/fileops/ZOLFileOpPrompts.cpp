#include "fileops/ZOLFileOpPrompts.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "platform/FileSystem.h"
#include "support/NUVFormat.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {

PromptLayout FileExistsPromptLayout(const FileExistsQuestion& question) {
    const bool replaceEnabled = !question.writeProtected && !question.sameFile;
    PromptLayout layout;
    layout.lines = {question.writeProtected
                        ? "A WRITEPROTECTED file already exists in the destination directory"
                        : "File already exists in destination folder",
                    {question.path, true}};
    if (question.compared && !question.sameFile) {
        layout.lines.emplace_back(
            StrFormat(TranslateFormat("In the destination: %llu bytes, %s").c_str(),
                      static_cast<unsigned long long>(question.existingSize),
                      question.existingDate.c_str()),
            true);
        layout.lines.emplace_back(
            StrFormat(TranslateFormat("Copied or moved here: %llu bytes, %s").c_str(),
                      static_cast<unsigned long long>(question.incomingSize),
                      question.incomingDate.c_str()),
            true);
        if (question.identical) {
            layout.lines.emplace_back("The two files are identical.");
        }
    }
    layout.buttons = {
        {"@button_replace@&Replace", file_exists::kReplace, replaceEnabled},
        {"@button_replace_all@Repla&ce All", file_exists::kReplaceAll, replaceEnabled},
        {"@button_skip@&Skip", file_exists::kSkip},
        {"@button_rename2@Re&name", file_exists::kRename},
        {"@button_auto_rename@Auto-Rena&me", file_exists::kAutoRename},
        {"@button_abort@&Abort", file_exists::kAbort, true, true, true},
    };
    layout.escapeAnswer = file_exists::kAbort;
    return layout;
}

PromptLayout ReadOnlyPromptLayout(const std::string& sourcePath) {
    PromptLayout layout;
    layout.title = "Move Readonly File";
    layout.lines = {"The file", {sourcePath, true}, "is readonly/writeprotected.\n\nMove anyway ?"};
    layout.buttons = {
        {"@button_yes@&Yes", read_only::kYes},
        {"@button_yes_to_all@Yes &to all", read_only::kYesToAll},
        {"@button_no@&No", read_only::kNo, true, true, true},
        {"@button_abort@&Abort", read_only::kAbort, true, false, true},
    };
    layout.escapeAnswer = read_only::kNo;
    return layout;
}

PromptLayout DeviceFullPromptLayout() {
    PromptLayout layout;
    layout.title = "Not enough space on device";
    layout.lines = {
        "There is not enough space left on the destination device,\nor there are too many files "
        "on the destination device,\nor the media is write protected.",
        "Change the media (if possible) and depress the \"Changed Media\" button to continue the "
        "operation.\n\nOtherwise depress the \"Abort\" button."};
    layout.buttons = {
        {"@button_changed_media@&Changed Media", device_full::kChangedMedia, true, true},
        {"@button_abort@&Abort", device_full::kAbort, true, false, true},
    };
    layout.escapeAnswer = device_full::kAbort;
    return layout;
}

PromptLayout OutputFileExistsPromptLayout() {
    PromptLayout layout;
    layout.title = "Output file already exists";
    layout.lines = {"Output file already exists"};
    layout.buttons = {
        {"@button_append@&Append", output_exists::kAppend},
        {"@button_replace@&Replace", output_exists::kReplace},
        {"@button_cancel@&Cancel", output_exists::kCancel, true, true, true},
    };
    layout.escapeAnswer = output_exists::kCancel;
    return layout;
}

PromptLayout MissingFolderPromptLayout(const std::string& folder) {
    PromptLayout layout;
    layout.title = "Destination folder not found";
    layout.lines = {"The destination folder does not exist:",
                    {folder, true},
                    "Choose another folder, or set the quick-copy folder in Settings > "
                    "Miscellaneous."};
    layout.buttons = {
        {"@button_choose_folder@C&hoose Folder...", missing_folder::kChooseFolder, true, true},
        {"@button_cancel@&Cancel", missing_folder::kCancel, true, false, true},
    };
    layout.escapeAnswer = missing_folder::kCancel;
    return layout;
}

namespace {

bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    std::array<char, 65536> one{};
    std::array<char, 65536> two{};
    while (first && second) {
        first.read(one.data(), one.size());
        second.read(two.data(), two.size());
        if (first.gcount() != second.gcount() ||
            !std::equal(one.begin(), one.begin() + first.gcount(), two.begin())) {
            return false;
        }
    }
    return first.eof() && second.eof();
}

}  // namespace

void CompareClashingFiles(const std::string& incomingPath, const std::string& existingPath,
                          FileExistsQuestion& question) {
    FileDetails incoming;
    FileDetails existing;
    if (!QueryFileDetails(incomingPath, incoming).Ok() ||
        !QueryFileDetails(existingPath, existing).Ok() || incoming.isFolder || existing.isFolder) {
        return;
    }
    question.compared = true;
    question.incomingSize = incoming.size;
    question.existingSize = existing.size;
    LocalTimeText(incoming.lastWriteTime, question.incomingDate);
    LocalTimeText(existing.lastWriteTime, question.existingDate);
    question.identical = incoming.size == existing.size && SameBytes(incomingPath, existingPath);
}

bool AnswerAllowed(const PromptLayout& layout, int answer) {
    return answer == layout.escapeAnswer ||
           std::any_of(layout.buttons.begin(), layout.buttons.end(),
                       [answer](const PromptButton& b) { return b.enabled && b.answer == answer; });
}

namespace {

struct PromptsState {
    CDefaultFileOpPrompts defaults;
    IFileOpPrompts* installed = &defaults;
};

PromptsState& State() {
    static PromptsState state;
    return state;
}

}  // namespace

void SetFileOpPrompts(IFileOpPrompts* prompts) {
    State().installed = prompts != nullptr ? prompts : &State().defaults;
}

IFileOpPrompts& FileOpPrompts() {
    return *State().installed;
}

}  // namespace kelvane
