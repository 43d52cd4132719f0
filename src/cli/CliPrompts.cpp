#include "cli/CliPrompts.h"

#include <cstdlib>

#include "support/NUVConfig.h"
#include "support/NUVLang.h"
#include "support/NUVText.h"

namespace kelvane::cli {
namespace {

constexpr size_t kMaxAnswerLine = 4096;

int Answered(const PromptLayout& layout, const std::string& text) {
    const std::string answer = Trimmed(text);
    if (answer.empty()) {
        return 0;
    }
    char* end = nullptr;
    const long number = std::strtol(answer.c_str(), &end, 10);
    for (const PromptButton& button : layout.buttons) {
        if (!button.enabled) {
            continue;
        }
        const bool byNumber = *end == '\0' && number == button.answer;
        const bool byKey = answer.size() == 1 && LowerChar(answer[0]) == ButtonHotKey(button);
        if (byNumber || byKey || EqualsIgnoringCase(answer, ButtonLabel(button))) {
            return button.answer;
        }
    }
    return 0;
}

}  // namespace

bool ParseOnClash(std::string_view text, OnClash& mode) {
    if (text == "ask") {
        mode = OnClash::Ask;
    } else if (text == "skip") {
        mode = OnClash::Skip;
    } else if (text == "replace") {
        mode = OnClash::Replace;
    } else if (text == "auto-rename") {
        mode = OnClash::AutoRename;
    } else {
        return false;
    }
    return true;
}

std::string ButtonLabel(const PromptButton& button) {
    std::string label;
    for (char c : Translate(button.text)) {
        if (c != '&') {
            label += c;
        }
    }
    return label;
}

char ButtonHotKey(const PromptButton& button) {
    const std::string text = Translate(button.text);
    const size_t amp = text.find('&');
    return amp != std::string::npos && amp + 1 < text.size() ? LowerChar(text[amp + 1]) : '\0';
}

std::optional<std::string> CTerminalPrompts::ReadLine() {
    std::string line;
    for (int c; (c = std::fgetc(in_)) != EOF;) {
        if (c == '\n') {
            return line;
        }
        if (line.size() < kMaxAnswerLine) {
            line += static_cast<char>(c);
        }
    }
    if (line.empty()) {
        return std::nullopt;
    }
    return line;
}

int CTerminalPrompts::Ask(const PromptLayout& layout) {
    if (!layout.title.empty()) {
        std::fprintf(out_, "\n%s\n", Translate(layout.title).c_str());
    }
    for (const PromptLine& line : layout.lines) {
        const std::string text = line.literal ? line.text : Translate(line.text);
        std::fprintf(out_, "%s\n", text.c_str());
    }
    for (;;) {
        for (const PromptButton& button : layout.buttons) {
            if (button.enabled) {
                std::fprintf(out_, "  %d %s (%c)%s\n", button.answer, ButtonLabel(button).c_str(),
                             ButtonHotKey(button), button.isDefault ? " [default]" : "");
            }
        }
        std::fprintf(out_, "> ");
        std::fflush(out_);
        const std::optional<std::string> line = ReadLine();
        if (!line) {
            std::fprintf(out_, "\n");
            return layout.escapeAnswer;
        }
        if (Trimmed(*line).empty()) {
            for (const PromptButton& button : layout.buttons) {
                if (button.isDefault && button.enabled) {
                    return button.answer;
                }
            }
        }
        if (const int answer = Answered(layout, *line); answer != 0) {
            return answer;
        }
    }
}

int CTerminalPrompts::FileExists(const FileExistsQuestion& question) {
    const PromptLayout layout = FileExistsPromptLayout(question);
    switch (mode_) {
        case OnClash::Ask:
            return Ask(layout);
        case OnClash::Skip:
            return file_exists::kSkip;
        case OnClash::Replace:
            return AnswerAllowed(layout, file_exists::kReplace) ? file_exists::kReplace
                                                                : file_exists::kSkip;
        case OnClash::AutoRename:
            return file_exists::kAutoRename;
    }
    return file_exists::kAbort;
}

int CTerminalPrompts::ReadOnlySource(const std::string& sourcePath) {
    return mode_ == OnClash::Ask ? Ask(ReadOnlyPromptLayout(sourcePath)) : read_only::kNo;
}

int CTerminalPrompts::DeviceFull() {
    return mode_ == OnClash::Ask ? Ask(DeviceFullPromptLayout()) : device_full::kAbort;
}

int CTerminalPrompts::OutputFileExists() {
    return mode_ == OnClash::Ask ? Ask(OutputFileExistsPromptLayout()) : output_exists::kCancel;
}

std::optional<std::string> CTerminalPrompts::ChooseFolder(const std::string&, const std::string&) {
    return std::nullopt;  // the destination is given with --to
}

std::optional<std::string> CTerminalPrompts::ChooseNewName(const std::string& folder,
                                                           const std::string& name) {
    if (newName_) {
        std::optional<std::string> given = std::move(newName_);
        newName_.reset();
        return given;
    }
    if (mode_ != OnClash::Ask) {
        return std::nullopt;
    }
    std::fprintf(out_, "%s: %s%s\n%s ", Translate("Rename File").c_str(), folder.c_str(),
                 name.c_str(), "new name (empty: cancel) >");
    std::fflush(out_);
    const std::optional<std::string> line = ReadLine();
    if (!line || Trimmed(*line).empty()) {
        return std::nullopt;
    }
    return Trimmed(*line);
}

}  // namespace kelvane::cli
