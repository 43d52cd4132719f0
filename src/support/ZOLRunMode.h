// The run mode (style files or MIDI files), fixed once at start, and the per-mode names that
// every scanning, data-file and file-operation module uses.
#pragma once

#include <string>

#include "support/NUVStatus.h"

namespace kelvane {

inline constexpr int kRunModeNone = 0;
inline constexpr int kRunModeStyle = 1;
inline constexpr int kRunModeMidi = 2;

struct ModeNames {
    std::string dataFile;           // "ZOL.SDB" / "ZOLMIDI.SDB"
    std::string extraExtension;     // ".SDE" / ".SDM"
    std::string extraPattern;       // "*.SDE" / "*.SDM"
    std::string moveFile;           // "ZOLMOVE.SDE" / "ZOLMOVE.SDM"
    std::string fastAccessFile;     // "ZOLFA.SDB" / "ZOLMIDIFA.SDB"
    std::string importPattern;      // "dd_import_sty_*.txt" / "dd_import_midi_*.txt"
    std::string statusText;         // untranslated "running in ... mode"
    std::string analyserExtension;  // "CFA" / "CFM"
    bool styleMode = true;
    int combinedAnalyserVersion = 18;  // analyser + data collector + 1: 18 style, 20 midi
    int defaultSearchTagValue = 1;     // 1 style, 101 midi
    std::string productName;           // "Kelvane" / "Morvane"
};

// 0 while start-up has not chosen yet, then kRunModeStyle or kRunModeMidi.
int RunMode();
// True in style mode (also while no mode is chosen yet).
bool IsStyleMode();
const ModeNames& CurrentModeNames();
const ModeNames& ModeNamesFor(int mode);

// Sets the run mode and its names; any value but 1 or 2 is a FATAL "Illegal set mode parameter".
StatusCode SetRunMode(int mode);
// Start-up only: back to "not chosen" (RunMode() == 0).
void ResetRunMode();

inline constexpr const char* kProgramVersion = "V 4.5";
inline constexpr const char* kOutputFileFormatVersion = "5";

}  // namespace kelvane
