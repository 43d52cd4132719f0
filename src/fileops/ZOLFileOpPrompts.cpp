#include "fileops/ZOLFileOpPrompts.h"

#include <algorithm>

namespace kelvane {

PromptSpec FileExistsPromptSpec(const FileExistsQuestion& question) {
    const bool replaceEnabled = !question.writeProtected && !question.sameFile;
    PromptSpec spec;
    spec.lines = {question.writeProtected
                      ? "A WRITEPROTECTED file already exists in the destination directory"
                      : "File already exists in destination folder",
                  question.path};
    spec.buttons = {
        {"@button_replace@&Replace", file_exists::kReplace, replaceEnabled},
        {"@button_replace_all@Repla&ce All", file_exists::kReplaceAll, replaceEnabled},
        {"@button_skip@&Skip", file_exists::kSkip},
        {"@button_rename2@Re&name", file_exists::kRename},
        {"@button_auto_rename@Auto-Rena&me", file_exists::kAutoRename},
        {"@button_abort@&Abort", file_exists::kAbort, true, true, true},
    };
    spec.escapeAnswer = file_exists::kAbort;
    return spec;
}

PromptSpec ReadOnlyPromptSpec(const std::string& sourcePath) {
    PromptSpec spec;
    spec.title = "Move Readonly File";
    spec.lines = {"The file", sourcePath, "is readonly/writeprotected.\n\nMove anyway ?"};
    spec.buttons = {
        {"@button_yes@&Yes", read_only::kYes},
        {"@button_yes_to_all@Yes &to all", read_only::kYesToAll},
        {"@button_no@&No", read_only::kNo, true, true, true},
        {"@button_abort@&Abort", read_only::kAbort, true, false, true},
    };
    spec.escapeAnswer = read_only::kNo;
    return spec;
}

PromptSpec DeviceFullPromptSpec() {
    PromptSpec spec;
    spec.title = "Not enough space on device";
    spec.lines = {
        "There is not enough space left on the destination device,\nor there are too many files "
        "on the destination device,\nor the media is write protected.",
        "Change the media (if possible) and depress the \"Changed Media\" button to continue the "
        "operation.\n\nOtherwise depress the \"Abort\" button."};
    spec.buttons = {
        {"@button_changed_media@&Changed Media", device_full::kChangedMedia, true, true},
        {"@button_abort@&Abort", device_full::kAbort, true, false, true},
    };
    spec.escapeAnswer = device_full::kAbort;
    return spec;
}

PromptSpec OutputFileExistsPromptSpec() {
    PromptSpec spec;
    spec.title = "Output file already exists";
    spec.lines = {"Output file already exists"};
    spec.buttons = {
        {"@button_append@&Append", output_exists::kAppend},
        {"@button_replace@&Replace", output_exists::kReplace},
        {"@button_cancel@&Cancel", output_exists::kCancel, true, true, true},
    };
    spec.escapeAnswer = output_exists::kCancel;
    return spec;
}

bool AnswerAllowed(const PromptSpec& spec, int answer) {
    return answer == spec.escapeAnswer ||
           std::any_of(spec.buttons.begin(), spec.buttons.end(),
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
