// Keyboard identification data: MIDI songs recorded on an arranger keyboard name the model (a
// keyboard id) and the style that played (a style id) in system exclusive messages; the
// "*.kby" files in the program folder, one per keyboard, turn the two ids into texts.
//
// Keyboard data file (keyword lines as in the configuration files, comment "!", item separator
// ";" unless TERM_CHAR changes it):
//   KBD_NAME = Model             starts the file's entry, names the model of the next ids
//   KBD_ID = 100                 a keyboard id of that model (at most 10 per file)
//   KBD_STYLE_ID_DIVISOR = 256   style numbers below are divided by it
//   KBD_STYLE = 8Beat Pop ; 512  a style name and its number
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileTime.h"
#include "support/NUVStatus.h"

namespace kelvane {

struct KeyboardStyle {
    std::string name;
    uint32_t styleId = 0;  // listed number / divisor (the number itself without divisor)
};

struct KeyboardEntry {
    static constexpr int kMaxIds = 10;

    std::string name;  // the last KBD_NAME of the file
    int idCount = 0;
    uint16_t ids[kMaxIds] = {};
    std::string modelNames[kMaxIds];  // the model named when each id was listed
    uint16_t styleIdDivisor = 0;
    uint32_t highestStyleId = 0;  // the largest listed number, before division
    std::vector<KeyboardStyle> styles;
};

class CZOLMidiContentAnalyser {
  public:
    // Texts for a keyboard id and a style id found in a file; both empty when the keyboard is
    // unknown (unless SHOW_UNKNOWN_KEYBOARD_IDS / NUV_SPECIAL_MENU ask for the id). Loads the
    // keyboard data on the first call.
    void LookupKeyboard(int keyboardId, int styleId, std::string& modelText,
                        std::string& styleText);

    // Reads every "*.kby" file of `folder` (the program folder when empty), in name order,
    // replacing the table. Errors in a file are reported with file name and line number; the
    // entries read so far are kept.
    void LoadKeyboardData(const std::string& folder = {});
    // Reads one keyboard data file and appends its entry (the table then counts as loaded);
    // the first failing line's status.
    StatusCode LoadKeyboardFile(const std::string& path);
    // Forgets the table; the next lookup loads it again.
    void Unload();
    // Loads the table unless it is loaded: before several threads analyse files, so that no
    // lookup loads it (LookupKeyboard then only reads).
    void EnsureLoaded() {
        if (!loaded_) {
            LoadKeyboardData();
        }
    }

    // The latest last-write time among the program folder's "*.kby" files, 0 when there are
    // none; computed once per run.
    FileTime NewestKeyboardDataTime();

    const std::vector<KeyboardEntry>& Entries() const { return entries_; }

  private:
    std::vector<KeyboardEntry> entries_;
    bool loaded_ = false;
    bool newestKnown_ = false;
    FileTime newest_ = 0;
};

// The one instance of the program.
CZOLMidiContentAnalyser& KeyboardData();

}  // namespace kelvane
