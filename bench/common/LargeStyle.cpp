#include "common/LargeStyle.h"

#include <algorithm>

#include "support/StyleFileBuilder.h"

namespace kelvane::bench {
namespace {

constexpr int kDivision = 1920;
constexpr int kBar = kDivision * 4;
constexpr int kStep = kDivision / 4;  // a sixteenth note

const char* const kSections[] = {"Intro A",    "Intro B",    "Intro C",    "Main A",
                                 "Main B",     "Main C",     "Main D",     "Fill In AA",
                                 "Fill In BB", "Fill In CC", "Fill In DD", "Fill In BA",
                                 "Ending A",   "Ending B",   "Ending C"};

int NoteOf(int channel, int step) {
    return channel < 10 ? 36 + (step + channel) % 12 : 40 + channel * 3 + step % 7;
}

// Drums play sixteenths, the other parts eighths; every part moves its expression on each
// sixteenth, as real styles do.
void WriteBars(test::TrackBuilder& track, int bars, uint32_t& pending) {
    for (int step = 0; step < bars * 16; ++step) {
        for (int channel = 8; channel < 16; ++channel) {
            track.Controller(pending, channel, 11, 64 + (step * 7 + channel) % 64);
            pending = 0;
            if (channel < 10 || step % 2 == 0) {
                track.NoteOn(0, channel, NoteOf(channel, step), 80 + step % 40);
            }
        }
        pending = kStep - 10;
        for (int channel = 8; channel < 16; ++channel) {
            if (channel < 10 || step % 2 == 0) {
                track.NoteOff(pending, channel, NoteOf(channel, step), 0);
                pending = 0;
            }
        }
        pending = 10;
    }
}

std::string Build(int scale) {
    test::SmfBuilder smf(0, kDivision);
    test::TrackBuilder& track = smf.AddTrack();
    track.TrackName(0, "Large Style").Tempo(0, 500000).TimeSignature(0, 4, 4);
    track.Marker(0, "SFF1").Marker(0, "SInt");
    track.Sysex(0, test::Bytes({0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    for (int channel = 8; channel < 16; ++channel) {
        track.Controller(0, channel, 0, channel < 10 ? 127 : 0)
            .Controller(0, channel, 32, 0)
            .ProgramChange(0, channel, channel < 10 ? 0 : channel * 5)
            .Controller(0, channel, 7, 100)
            .Controller(0, channel, 91, 40);
    }
    uint32_t pending = kBar;  // the initialisation part lasts one bar
    for (const char* name : kSections) {
        track.Marker(pending, name);
        pending = 0;
        WriteBars(track, (name[0] == 'M' ? 8 : 2) * scale, pending);
    }
    track.EndOfTrack(pending);
    test::StyleFileBuilder style(smf);
    style.Casm(std::string(200, '\0'));
    return style.Bytes();
}

}  // namespace

std::string LargeStyleBytes(int64_t targetBytes) {
    const int64_t unit = static_cast<int64_t>(Build(1).size());
    return Build(static_cast<int>(std::max<int64_t>(1, (targetBytes + unit - 1) / unit)));
}

}  // namespace kelvane::bench
