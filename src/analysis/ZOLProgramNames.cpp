#include "analysis/ZOLProgramNames.h"

#include <cstdio>
#include <cstring>

namespace kelvane {
namespace {

constexpr const char* kProgramNames[128] = {
    "GrandPno", "BritePno", "El.Grand", "HnkyTonk", "ElPiano1", "ElPiano2", "Harpsich", "Clavi.",
    "Celesta",  "Glocken",  "MusicBox", "Vibes",    "Marimba",  "Xylophon", "TubulBel", "Dulcimer",
    "DrawOrgn", "PercOrgn", "RockOrgn", "ChrcOrgn", "ReedOrgn", "Acordion", "Harmnica", "TangoAcd",
    "NylonGtr", "SteelGtr", "JazzGtr",  "CleanGtr", "MuteGtr",  "Ovrdrive", "Distortd", "Harmnics",
    "WoodBass", "FngrBass", "PickBass", "Fretless", "SlapBas1", "SlapBas2", "SynBass1", "SynBass2",
    "Violin",   "Viola",    "Cello",    "Contra",   "TremStrg", "Pizzicto", "Harp",     "Timpani",
    "Ensmble1", "Ensmble2", "SynStrg1", "SynStrg2", "AahChoir", "OohChoir", "SynChoir", "OrchHit",
    "Trumpet",  "Trombone", "Tuba",     "MuteTrum", "FrenchHr", "BrasSect", "SynBras1", "SynBras2",
    "SprnoSax", "AltoSax",  "TenorSax", "BariSax",  "Oboe",     "EnglHorn", "Bassoon",  "Clarinet",
    "Piccolo",  "Flute",    "Recorder", "PanFlute", "Bottle",   "Shakhchi", "Whistle",  "Ocarina",
    "SquareLd", "SawLd",    "CaliopLd", "ChiffLd",  "CharanLd", "VoiceLd",  "FifthLd",  "Bass&Ld",
    "NewAgePd", "WarmPd",   "PolySyPd", "ChoirPd",  "BowedPd",  "MetalPd",  "HaloPd",   "SweepPd",
    "Rain",     "SoundTrk", "Crystal",  "Atmosphr", "Bright",   "Goblin",   "Echoes",   "SciFi",
    "Sitar",    "Banjo",    "Shamisen", "Koto",     "Kalimba",  "Bagpipe",  "Fiddle",   "Shanai",
    "TnklBell", "Agogo",    "StlDrum",  "WoodBlok", "TaikoDrm", "MelodTom", "SynthTom", "RevCymbl",
    "FretNoiz", "BrthNoiz", "Seashore", "Tweet",    "Telphone", "Helicptr", "Applause", "Gunshot",
};

struct DrumKit {
    int program;
    const char* name;
};
constexpr DrumKit kDrumKits[] = {{0, "Dr1"},  {16, "Dr2"}, {24, "Dr7"}, {25, "Dr3"},
                                 {32, "Dr4"}, {40, "Dr5"}, {48, "Dr8"}, {64, "Dr6"}};
constexpr int kDrumChannel = 9;

}  // namespace

void ProgramShortName(int channel, int program, char* out, size_t size) {
    const char* name = nullptr;
    if (channel == kDrumChannel) {
        for (const DrumKit& kit : kDrumKits) {
            if (kit.program == program) {
                name = kit.name;
            }
        }
    } else if (program >= 0 && program < 128) {
        name = kProgramNames[program];
    }
    if (name != nullptr) {
        std::snprintf(out, size, "%s", name);
    } else {
        std::snprintf(out, size, "%d", program);
    }
}

}  // namespace kelvane
