#include "app/ZOLExternalPrograms.h"

#include <string>

#include "list/ZOLListViewMgr.h"
#include "platform/Launcher.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVText.h"
#include "support/NUVTranslateFormat.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

// A text per run mode.
const char* ByMode(const char* style, const char* midi) {
    return IsStyleMode() ? style : midi;
}

bool Refuse(const char* text) {
    ShowBox(Translate(text));
    return false;
}

// The full path of the one selected row's file; empty (after the refusal) otherwise.
std::string SelectedFilePath(const char* noneText, const char* severalText) {
    CZOLListViewMgr& list = ListViewMgr();
    const long selected = list.SelectedCount();
    if (selected != 1) {
        Refuse(selected == 0 ? noneText : severalText);
        return {};
    }
    long cursor = list.FirstSelectedRowNumber();
    const StyleDataPacket* record = list.StyleRecordOfRow(list.NextSelected(cursor));
    if (record == nullptr) {
        return {};
    }
    return std::string(record->Text(kFieldPath)) + std::string(record->Text(kFieldFilename));
}

// Empty or missing program: the refusal; true when it can be started.
bool ProgramUsable(const std::string& program, const char* notSpecified, const char* notFound) {
    if (program.empty()) {
        return Refuse(notSpecified);
    }
    if (FileExists(program) == 0) {
        return Refuse(notFound);
    }
    return true;
}

bool Launch(const std::string& program, const std::string& path, const char* statusText) {
    SetStatusPaneText(0, Translate(statusText));
    if (!LaunchProgram(program, path)) {
        // The program exists but could not be run (not executable, say): tell the user
        // instead of starting nothing silently.
        ShowBox(StrFormat(TranslateFormat("The program cannot be started:\n\n%s").c_str(),
                          program.c_str()));
        return false;
    }
    return true;
}

bool IsKaraokeFile(const std::string& path) {
    return path.size() >= 4 &&
           EqualsIgnoringCase(std::string_view(path).substr(path.size() - 4), ".kar");
}

}  // namespace

bool PlaysWithBuiltInPlayer(int player, const ConfigValues& config, const std::string& path) {
    if (player != 1) {
        return false;
    }
    if (config.playWith == 1) {
        return true;
    }
    return config.player1.empty() && (config.karaokePlayer.empty() || !IsKaraokeFile(path));
}

bool PlaySelectedFile(int player, const BuiltInPlayer& builtIn) {
    const std::string path = SelectedFilePath(
        ByMode("Please select one style for playing.", "Please select one midi file for playing."),
        ByMode("Please select only one style for playing.",
               "Please select only one midi file for playing."));
    if (path.empty()) {
        return false;
    }
    const ConfigValues& config = Config();
    if (builtIn && PlaysWithBuiltInPlayer(player, config, path)) {
        return builtIn(path);
    }
    if (!IsStyleMode() && IsKaraokeFile(path) && !config.karaokePlayer.empty()) {
        if (FileExists(config.karaokePlayer) != 0) {
            return Launch(config.karaokePlayer, path, "Starting player...");
        }
        Refuse(
            "Karaoke player program not found.\nPlease specify one using Settings from the Edit "
            "menu or clear the entry.\n Trying to use the midi player instead.");
    }
    const std::string& program = player == 2 ? config.player2 : config.player1;
    if (!ProgramUsable(
            program,
            ByMode("Style player program not specified.\nYou need an external style "
                   "player.\nPlease specify one using Edit/Settings from the Edit menu.",
                   "Midi player program not specified.\nYou need an external midi "
                   "player.\nPlease specify one using Edit/Settings from the Edit menu."),
            ByMode("Style player program not found.\nPlease specify one using "
                   "Edit/Settings from the Edit menu.",
                   "Midi player program not found.\nPlease specify one using "
                   "Edit/Settings from the Edit menu."))) {
        return false;
    }
    return Launch(program, path, "Starting player...");
}

bool EditSelectedFile(EditorChoice editor) {
    const ConfigValues& config = Config();
    const std::string& program = editor == EditorChoice::Casm      ? config.casmEditor
                                 : editor == EditorChoice::Editor2 ? config.editor2
                                                                   : config.editor1;
    if (!ProgramUsable(
            program,
            ByMode("Style editor program not specified.\nYou need an external style "
                   "editor.\nPlease specify one using Edit/Settings from the Edit menu.",
                   "Midi editor program not specified.\nYou need an external midi editor "
                   "(sequencer).\nPlease specify one using Edit/Settings from the Edit menu."),
            ByMode("Style editor program not found.\nPlease specify one using Edit/Settings from "
                   "the Edit menu.",
                   "Midi editor program not found.\nPlease specify one using Edit/Settings from "
                   "the Edit menu."))) {
        return false;
    }
    const std::string path = SelectedFilePath(
        ByMode("Please select one style for editing.", "Please select one midi file for editing."),
        ByMode("Please select only one style for editing.",
               "Please select only one midi file for editing."));
    if (path.empty()) {
        return false;
    }
    return Launch(program, path,
                  editor == EditorChoice::Casm ? "Starting CASM editor..." : "Starting editor...");
}

bool DumpSelectedFile() {
    const std::string& program = Config().dumpProgram;
    if (!ProgramUsable(program,
                       "Dump program not specified.\nYou need an external dump program.\nPlease "
                       "specify one using Edit/Settings from the Edit menu.",
                       "Dump program not found.\nPlease specify one using Edit/Settings from the "
                       "Edit menu.")) {
        return false;
    }
    const std::string path = SelectedFilePath(
        ByMode("Please select one style to dump.", "Please select one midi file to dump."),
        ByMode("Please select only one style to dump.",
               "Please select only one midi file to dump."));
    if (path.empty()) {
        return false;
    }
    return Launch(program, path, "Starting dump program...");
}

}  // namespace kelvane
