// The file operation prompts of kelvane-cli. With `--on-clash ask` each prompt is asked on the
// terminal: its title and texts, then its enabled buttons as numbered choices with their
// hot keys ("1 Replace (r)  3 Replace All (c) ..."); the answer is a choice number, a hot key
// or a button text, and the end of the input counts as closing the prompt (its Escape
// answer). Otherwise a clash is answered by the mode (a Replace that the prompt does not
// offer, for a read-only or the same file, becomes Skip), a read-only source of a move is
// skipped, and a full medium ends the operation.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "fileops/ZOLFileOpPrompts.h"

namespace kelvane::cli {

enum class OnClash { Ask, Skip, Replace, AutoRename };

// "ask", "skip", "replace", "auto-rename"; false for anything else.
bool ParseOnClash(std::string_view text, OnClash& mode);

class CTerminalPrompts final : public IFileOpPrompts {
  public:
    CTerminalPrompts(OnClash mode, std::FILE* in, std::FILE* out)
        : mode_(mode), in_(in), out_(out) {}

    void SetCdromChoice(std::optional<CdromCompatChoice> choice) { cdrom_ = choice; }
    // The rename dialog's answer given on the command line: used once, then Cancel.
    void SetNewName(std::string name) { newName_ = std::move(name); }

    int FileExists(const FileExistsQuestion& question) override;
    int ReadOnlySource(const std::string& sourcePath) override;
    int DeviceFull() override;
    int OutputFileExists() override;
    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> ChooseNewName(const std::string& folder,
                                             const std::string& name) override;
    std::optional<CdromCompatChoice> CdromTestChoice() override { return cdrom_; }

    // One prompt on the terminal; the answer code of the chosen enabled button.
    int Ask(const PromptLayout& layout);

  private:
    std::optional<std::string> ReadLine();

    OnClash mode_;
    std::FILE* in_;
    std::FILE* out_;
    std::optional<CdromCompatChoice> cdrom_;
    std::optional<std::string> newName_;
};

// The text of a button as shown: translated, without its "&" marks.
std::string ButtonLabel(const PromptButton& button);
// The button's hot key (the letter after "&", lower case), or 0.
char ButtonHotKey(const PromptButton& button);

}  // namespace kelvane::cli
