// kelvane-cli render [-m] FILE [--section NAME] [--seconds N] [--soundfont FILE] --output OUT.wav
//
// Renders a style section or a MIDI song offline, without an audio device, into a WAV file
// (44,100 Hz, 16-bit stereo) and prints "rendered NAME: S s" (NAME: the file's name, and for
// a style the section's). A style section (default: the first Main section) plays once, or
// for N seconds, a Main section looping; a song plays from its start for N seconds (default
// 30) or to its end when that comes first.
// Exit status 0; 1 when the file cannot be read, has no such section, no SoundFont is found or
// the output cannot be written; 2 for bad usage; 130 for Ctrl-C (no file is left then).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "audition/AuditionProgram.h"
#include "audition/AuditionSynth.h"
#include "audition/OfflineRender.h"
#include "audition/SoundFontSearch.h"
#include "cli/CliCommon.h"
#include "support/NUVPath.h"

namespace kelvane::cli {
namespace {

constexpr const char* kUsage =
    "usage: kelvane-cli render [-m] FILE [--section NAME] [--seconds N] [--soundfont FILE]\n"
    "                          --output OUT.wav\n"
    "  Renders a style section or a MIDI song into a WAV file (44,100 Hz, 16-bit stereo)\n"
    "  and prints \"rendered NAME: S s\".\n"
    "  -m                midi mode: FILE is a MIDI song; default: a style file\n"
    "  --section NAME    the style section (default: the first Main section); a Main\n"
    "                    section loops, the others play once\n"
    "  --seconds N       how long (at most 3600); default: one pass of the section, or\n"
    "                    30 seconds of a song\n"
    "  --soundfont FILE  the SoundFont (.sf2); default: the first found in\n"
    "                    /usr/share/sounds/sf2 and /usr/share/soundfonts\n"
    "  --output OUT.wav  the WAV file to write\n";

constexpr double kMaxSeconds = 3600;
constexpr double kDefaultSongSeconds = 30;

struct RenderOptions {
    bool midi = false;
    std::string file;
    std::string section;
    bool sectionGiven = false;
    double seconds = 0;  // 0: the default
    std::string soundFont;
    std::string output;
};

int UsageError(const std::string& text) {
    std::fprintf(stderr, "kelvane-cli render: %s\n\n%s", text.c_str(), kUsage);
    return kExitUsage;
}

bool ParseSeconds(const std::string& text, double& seconds) {
    char* end = nullptr;
    seconds = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0' && seconds > 0 && seconds <= kMaxSeconds;
}

// 0 parsed, 1 help shown, 2 bad usage (reported).
int ParseOptions(int argc, char** argv, RenderOptions& options) {
    ArgCursor args(argc, argv);
    std::string value;
    while (args.Next()) {
        const std::string& arg = args.Arg();
        if (args.IsOperand()) {
            if (!options.file.empty()) {
                return UsageError("more than one FILE");
            }
            options.file = arg;
        } else if (arg == "-m" || arg == "-M") {
            options.midi = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 1;
        } else if (args.Value("--section", options.section)) {
            options.sectionGiven = true;
        } else if (args.Value("--seconds", value)) {
            if (!args.Failed() && !ParseSeconds(value, options.seconds)) {
                return UsageError("--seconds wants a number above 0 and up to 3600");
            }
        } else if (args.Value("--soundfont", options.soundFont) ||
                   args.Value("--output", options.output)) {
        } else {
            return UsageError("unknown option '" + arg + "'");
        }
        if (args.Failed()) {
            return UsageError(arg + " wants a value");
        }
    }
    if (options.file.empty()) {
        return UsageError("no FILE");
    }
    if (options.output.empty()) {
        return UsageError("no --output file");
    }
    std::error_code error;
    if (std::filesystem::equivalent(options.file, options.output, error)) {
        return UsageError("--output names FILE itself");
    }
    if (options.midi && options.sectionGiven) {
        return UsageError("--section is for style files (a song has no sections)");
    }
    return 0;
}

int Render(const RenderOptions& options, CliSession& session) {
    auto program = std::make_shared<AuditionProgram>();
    std::string problem;
    if (!LoadAuditionProgram({options.file, options.midi, options.section}, *program, problem)) {
        session.Complain(problem);
        return kExitFailure;
    }
    if (!program->warning.empty()) {
        session.Complain(program->warning);
    }
    const std::string soundFont = FindSoundFont(options.soundFont, DefaultSoundFontPlaces());
    if (soundFont.empty()) {
        session.Complain(NoSoundFontMessage());
        return kExitFailure;
    }
    AuditionSynth synth;
    if (!synth.LoadSoundFont(soundFont, problem)) {
        session.Complain(problem);
        return kExitFailure;
    }
    double seconds = options.seconds;
    if (seconds == 0) {
        seconds = options.midi ? kDefaultSongSeconds
                               : static_cast<double>(program->passMicroseconds) / 1e6;
    }
    int64_t frames = 0;
    const bool done =
        RenderToWav(synth, program, static_cast<int64_t>(seconds * 1e6), options.output, frames,
                    problem, [&session] { return session.Interrupted(); });
    if (!done) {
        if (problem.empty()) {
            return kExitAborted;
        }
        session.Complain(problem);
        return kExitFailure;
    }
    std::string name = FileNamePart(options.file);
    if (!options.midi) {
        name += " " + program->name;
    }
    std::printf("rendered %s: %.2f s\n", name.c_str(),
                static_cast<double>(frames) / AuditionSynth::kSampleRate);
    return kExitOk;
}

}  // namespace

int RunRenderCommand(int argc, char** argv) {
    return RunCommand("render", argc, argv, RenderOptions{}, ParseOptions,
                      [](const RenderOptions& options, CliSession& session) {
                          FolderOptions start;
                          start.midi = options.midi;
                          return session.Start(start) ? Render(options, session) : kExitFailure;
                      });
}

}  // namespace kelvane::cli
