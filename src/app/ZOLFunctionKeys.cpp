#include "app/ZOLFunctionKeys.h"

#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

const std::vector<FunctionKeyAction>& FunctionKeyActions() {
    using C = ViewCommand;
    static const std::vector<FunctionKeyAction> actions = {
        {1, "Filter", C::Filter},
        {3, "Move", C::MoveSelected},
        {4, "Copy", C::CopySelected},
        {5, "Copy to", C::CopyToQuickPath},
        {6, "Play", C::Play},
        {7, "Play 2", C::Play2},
        {8, "Modify", C::Modify},
        {9, "Columns", C::Columns},
        {10, "Open Folder", C::OpenFolder},
        {11, "Rename File", C::RenameFile},
        {12, "Move to Trash", C::MoveToTrash},
        {13, "Edit", C::Edit},
        {14, "Edit 2", C::Edit2},
        {15, "Edit CASM", C::EditCasm},
        {16, "Dump", C::Dump},
        {17, "Print", C::Print},
        {18, "Export", C::ExportData},
        {19, "Import", C::ImportData},
        {20, "Export to CSV", C::ExportCsv},
        {21, "Write list to RTF file", C::WriteRtf},
        {22, "View Styles", C::ViewStyles},
        {23, "View Songs", C::ViewSongs},
        {24, "Toggle Song/Style Mode", C::ToggleSongStyle},
        {26, "Show all files", C::ShowAllFiles},
        {27, "Show unique files", C::ShowUniqueFiles},
        {28, "Show unique scores", C::ShowUniqueScores},
        {29, "Show duplicate files", C::ShowDuplicateFiles},
        {30, "Show related scores", C::ShowRelatedScores},
        {31, "Add Song from Filename", C::AddSongFromFilename},
        {32, "Clear Filter", C::ClearFilter},
        {33, "Detail Pane", C::DetailPane},
        {kNoFunctionKeyAction, "(no action)", C::None},
    };
    return actions;
}

std::string FunctionKeyActionName(int number) {
    for (const FunctionKeyAction& action : FunctionKeyActions()) {
        if (action.number == number) {
            return action.name;
        }
    }
    return {};
}

std::string FunctionKeyActionText(const FunctionKeyAction& action,
                                  const std::string& quickCopyPath) {
    std::string text = Translate(action.name);
    if (action.command == ViewCommand::CopyToQuickPath) {
        text += " " + quickCopyPath + "/";
    }
    return text;
}

int FunctionKeyActionNumber(const std::string& translatedName) {
    for (const FunctionKeyAction& action : FunctionKeyActions()) {
        if (Translate(action.name) == translatedName) {
            return action.number;
        }
    }
    return -1;
}

FunctionKeyDecision DecideFunctionKey(int key, const std::array<int, kFunctionKeyCount>& table) {
    using Kind = FunctionKeyDecision::Kind;
    // F1 has no action slot even when a number is stored for it.
    if (key < 2 || key > kFunctionKeyCount) {
        return {Kind::Normal, ViewCommand::None};
    }
    const int number = table[static_cast<std::size_t>(key - 1)];
    if (number == 0 || number == kNoFunctionKeyAction) {
        return {Kind::Normal, ViewCommand::None};
    }
    for (const FunctionKeyAction& action : FunctionKeyActions()) {
        if (action.number == number) {
            return {Kind::Run, action.command};
        }
    }
    return {Kind::Nothing, ViewCommand::None};
}

bool FunctionKeyAssignable(int key) {
    return key >= 2 && key <= kFunctionKeyCount && key != 5;
}

const char* FunctionKeySection(int runMode) {
    return runMode == kRunModeMidi ? "FunctionKeysMidi" : "FunctionKeys";
}

}  // namespace kelvane
