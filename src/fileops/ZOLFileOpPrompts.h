// The prompts of the file operations: the four conflict and media prompts (file exists,
// read-only source, device full, output file exists), the destination folder chooser, the
// rename dialog and the CD-ROM test selection. The core asks them through IFileOpPrompts from
// the worker thread; a front end implements the interface (the desktop marshals each question
// to its user-interface thread and blocks the worker until it is answered; the command-line
// tool asks on the terminal; tests script the answers).
//
// Each conflict prompt is also described as data (PromptLayout: title, texts, buttons with
// their answer codes, enabled state and default), so that every front end shows the same
// buttons and answers with the same codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fileops/ZOLCdromCompat.h"

namespace kelvane {

// CFileExistsDlg answers.
namespace file_exists {
inline constexpr int kSkip = 1;
inline constexpr int kReplace = 2;
inline constexpr int kReplaceAll = 3;
inline constexpr int kRename = 4;
inline constexpr int kAutoRename = 5;
inline constexpr int kAbort = 6;
}  // namespace file_exists

// CZOLFileWPDlg answers (read-only source of a move).
namespace read_only {
inline constexpr int kAbort = 1;
inline constexpr int kYesToAll = 2;
inline constexpr int kYes = 3;
inline constexpr int kNo = 4;
}  // namespace read_only

// CZOLDeviceFullDlg answers.
namespace device_full {
inline constexpr int kChangedMedia = 1;  // OK: retry
inline constexpr int kAbort = 2;         // Cancel
}  // namespace device_full

// The missing-destination prompt's answers.
namespace missing_folder {
inline constexpr int kChooseFolder = 1;
inline constexpr int kCancel = 2;
}  // namespace missing_folder

// COutputFileExistsDlg answers.
namespace output_exists {
inline constexpr int kAppend = 1;
inline constexpr int kReplace = 2;
inline constexpr int kCancel = 3;
}  // namespace output_exists

// What the file-exists prompt is told before it opens.
struct FileExistsQuestion {
    std::string path;             // the clashing file shown
    bool writeProtected = false;  // the clashing destination file is read-only
    bool sameFile = false;        // source and destination are one file
    // The file in the destination and the one that would replace it, when both could be
    // looked at (`compared`): sizes, local dates ("YYYY-MM-DD hh:mm") and whether their bytes
    // are the same.
    bool compared = false;
    bool identical = false;
    std::uint64_t existingSize = 0;
    std::uint64_t incomingSize = 0;
    std::string existingDate;
    std::string incomingDate;
};

// Fills the comparison of `question` from the two files; leaves it unset when either cannot
// be read.
void CompareClashingFiles(const std::string& incomingPath, const std::string& existingPath,
                          FileExistsQuestion& question);

struct PromptButton {
    std::string text;  // tagged English text; translate before showing
    int answer = 0;
    bool enabled = true;
    bool isDefault = false;       // the initial focus
    bool closesAsCancel = false;  // the button closes the prompt as Cancel (Escape does too)
};

// One prompt as its front end shows it. `escapeAnswer` is the answer when the prompt is closed
// without a button (Escape, the window's close box).
// One line of a prompt: English text shown translated, or a path shown as it is.
struct PromptLine {
    std::string text;
    bool literal = false;

    PromptLine(const char* english) : text(english) {}  // NOLINT: the usual case reads plainly
    PromptLine(std::string value, bool isLiteral) : text(std::move(value)), literal(isLiteral) {}
    bool operator==(const std::string& other) const { return text == other; }
};

struct PromptLayout {
    std::string title;  // English; empty when the prompt has none of its own
    std::vector<PromptLine> lines;
    std::vector<PromptButton> buttons;  // in the tab order of the prompt
    int escapeAnswer = 0;
};

PromptLayout FileExistsPromptLayout(const FileExistsQuestion& question);
PromptLayout ReadOnlyPromptLayout(const std::string& sourcePath);
PromptLayout DeviceFullPromptLayout();
PromptLayout OutputFileExistsPromptLayout();
// The destination folder of a copy or move does not exist: Choose Folder... or Cancel.
PromptLayout MissingFolderPromptLayout(const std::string& folder);
// True when `answer` belongs to an enabled button of the prompt (or is its escape answer).
bool AnswerAllowed(const PromptLayout& layout, int answer);

// The questions the file operations ask. Every method may be called from the worker thread.
class IFileOpPrompts {
  public:
    virtual ~IFileOpPrompts() = default;
    // file_exists::* (an answer of a disabled button is treated as an unexpected answer).
    virtual int FileExists(const FileExistsQuestion& question) = 0;
    // read_only::*
    virtual int ReadOnlySource(const std::string& sourcePath) = 0;
    // device_full::*
    virtual int DeviceFull() = 0;
    // output_exists::*
    virtual int OutputFileExists() = 0;
    // missing_folder::*: the destination `folder` does not exist. Without a front end of
    // its own the answer is Cancel.
    virtual int MissingDestination(const std::string& folder) {
        (void)folder;
        return missing_folder::kCancel;
    }
    // CDlgGetPath: a folder (with or without the closing "/"), or none for Cancel. `title`
    // is English ("Copy Style File(s)", ...); the chooser opens on `startFolder`.
    virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
    // The rename dialog ("Rename File", button "@button_rename@Rename"), opened on `folder`
    // with `name` filled in: the new file name (the folder part of the choice is not used),
    // or none for Cancel.
    virtual std::optional<std::string> ChooseNewName(const std::string& folder,
                                                     const std::string& name) = 0;
    // CZOLCdromCompDlg: the test selection, or none for Cancel.
    virtual std::optional<CdromCompatChoice> CdromTestChoice() = 0;
};

// Answers every prompt with its default (file exists: Abort; read-only: No; device full:
// Abort; output file: Cancel; choosers: Cancel): unattended runs.
class CDefaultFileOpPrompts : public IFileOpPrompts {
  public:
    int FileExists(const FileExistsQuestion&) override { return file_exists::kAbort; }
    int ReadOnlySource(const std::string&) override { return read_only::kNo; }
    int DeviceFull() override { return device_full::kAbort; }
    int OutputFileExists() override { return output_exists::kCancel; }
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseNewName(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<CdromCompatChoice> CdromTestChoice() override { return std::nullopt; }
};

// The installed prompts; nullptr restores the defaults.
void SetFileOpPrompts(IFileOpPrompts* prompts);
IFileOpPrompts& FileOpPrompts();

}  // namespace kelvane
