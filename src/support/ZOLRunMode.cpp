#include "support/ZOLRunMode.h"

#include "support/NUVDbg.h"

namespace kelvane {
namespace {

const ModeNames kStyleNames{"ZOL.SDB",
                            ".SDE",
                            "*.SDE",
                            "ZOLMOVE.SDE",
                            "ZOLFA.SDB",
                            "dd_import_sty_*.txt",
                            "running in STYLE FILE mode",
                            "CFA",
                            true,
                            18,
                            1,
                            "Kelvane"};
const ModeNames kMidiNames{"ZOLMIDI.SDB",
                           ".SDM",
                           "*.SDM",
                           "ZOLMOVE.SDM",
                           "ZOLMIDIFA.SDB",
                           "dd_import_midi_*.txt",
                           "running in MIDI FILE mode",
                           "CFM",
                           false,
                           20,
                           101,
                           "Morvane"};

int& RunModeValue() {
    static int mode = kRunModeNone;
    return mode;
}

}  // namespace

int RunMode() {
    return RunModeValue();
}
bool IsStyleMode() {
    return RunModeValue() != kRunModeMidi;
}
const ModeNames& ModeNamesFor(int mode) {
    return mode == kRunModeMidi ? kMidiNames : kStyleNames;
}
const ModeNames& CurrentModeNames() {
    return ModeNamesFor(RunModeValue());
}

StatusCode SetRunMode(int mode) {
    if (mode != kRunModeStyle && mode != kRunModeMidi) {
        NUV_FATAL("%s", "Illegal set mode parameter");
        return status::kOk;
    }
    RunModeValue() = mode;
    return status::kOk;
}

void ResetRunMode() {
    RunModeValue() = kRunModeNone;
}

}  // namespace kelvane
