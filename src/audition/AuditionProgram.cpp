#include "audition/AuditionProgram.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "analysis/MidiTimeMap.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {
namespace {

constexpr int kStyleDrumChannels[] = {8, 9};
constexpr int kSongDrumChannel = 9;

bool IsSoundingMessage(const MidiEvent& event) {
    return event.IsChannelMessage() || event.status == MidiEvent::kSysex;
}

// Set-up messages: what a synthesizer keeps as state (voices, controllers, system exclusive),
// not the notes nor their pressure.
bool IsSetupMessage(const MidiEvent& event) {
    if (event.status == MidiEvent::kSysex) {
        return true;
    }
    const int kind = event.Kind();
    return event.IsChannelMessage() && kind != 0x80 && kind != 0x90 && kind != 0xA0;
}

// Appends `event` at `microseconds`; a system exclusive message takes its bytes along
// (without a closing F7).
void Append(const MidiEventList& list, const MidiEvent& event, int64_t microseconds,
            AuditionProgram& program, std::vector<TimedEvent>& into) {
    TimedEvent timed;
    timed.microseconds = microseconds;
    timed.status = event.status;
    timed.data1 = event.data1;
    timed.data2 = event.data2;
    if (event.status == MidiEvent::kSysex) {
        std::span<const uint8_t> bytes = list.Payload(event);
        if (!bytes.empty() && bytes.back() == 0xF7) {
            bytes = bytes.first(bytes.size() - 1);
        }
        if (bytes.empty()) {
            return;
        }
        timed.payloadOffset = static_cast<uint32_t>(program.payload.size());
        timed.payloadSize = static_cast<uint32_t>(bytes.size());
        program.payload.insert(program.payload.end(), bytes.begin(), bytes.end());
    }
    into.push_back(timed);
}

std::vector<MidiEvent>::const_iterator FirstAtOrAfter(const MidiEventList& list, int64_t tick) {
    return std::lower_bound(list.events.begin(), list.events.end(), tick,
                            [](const MidiEvent& e, int64_t t) { return e.tick < t; });
}

std::string FileText(const std::string& path) {
    return FileNamePart(path).empty() ? path : FileNamePart(path);
}

// Reads the file's MIDI data; false with the message for the user.
bool ReadFileEvents(const std::string& path, MidiEventList& list, std::string& problem) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        ::access(path.c_str(), R_OK) != 0) {
        problem = StrFormat(TranslateFormat("The file %s cannot be read.").c_str(), path.c_str());
        return false;
    }
    if (info.st_size > kMaxMidiEventFileSize) {
        problem = StrFormat(TranslateFormat("The file %s is too large to be played.").c_str(),
                            path.c_str());
        return false;
    }
    if (!ReadMidiEventsFromFile(path, list)) {
        problem =
            StrFormat(TranslateFormat("The file %s holds no MIDI data.").c_str(), path.c_str());
        return false;
    }
    return true;
}

std::string DamageWarning(const std::string& path, const MidiEventList& list) {
    if (list.problem.empty()) {
        return {};
    }
    return StrFormat(TranslateFormat("The file %s is damaged (%s): only what comes before the "
                                     "fault is played.")
                         .c_str(),
                     path.c_str(), list.problem.c_str());
}

const StyleSection* ChooseSection(const SectionMap& map, const std::string& name) {
    if (!name.empty()) {
        return FindSection(map, name);
    }
    for (const StyleSection& section : map.sections) {
        if (section.kind == SectionKind::kMain) {
            return &section;
        }
    }
    return map.sections.empty() ? nullptr : &map.sections.front();
}

}  // namespace

AuditionProgram BuildSongProgram(const MidiEventList& list, std::string name) {
    AuditionProgram program;
    program.name = std::move(name);
    program.drumChannels = {kSongDrumChannel};
    const TempoMap tempo = BuildTempoMap(list);
    for (const MidiEvent& event : list.events) {
        if (IsSoundingMessage(event)) {
            Append(list, event, MicrosecondsAt(tempo, event.tick), program, program.body);
        }
    }
    program.passMicroseconds = MicrosecondsAt(tempo, list.endTick);
    return program;
}

AuditionProgram BuildSectionProgram(const MidiEventList& list, const SectionMap& sections,
                                    const StyleSection& section) {
    AuditionProgram program;
    program.name = section.name;
    program.drumChannels.assign(std::begin(kStyleDrumChannels), std::end(kStyleDrumChannels));
    const TempoMap tempo = BuildTempoMap(list);
    const auto initEnd = FirstAtOrAfter(list, sections.initEndTick);
    for (auto it = list.events.begin(); it != initEnd; ++it) {
        if (IsSetupMessage(*it)) {
            Append(list, *it, 0, program, program.setup);
        }
    }
    const int64_t start = MicrosecondsAt(tempo, section.startTick);
    const auto end = FirstAtOrAfter(list, section.endTick);
    for (auto it = FirstAtOrAfter(list, section.startTick); it < end; ++it) {
        if (IsSoundingMessage(*it)) {
            Append(list, *it, MicrosecondsAt(tempo, it->tick) - start, program, program.body);
        }
    }
    program.passMicroseconds = MicrosecondsAt(tempo, section.endTick) - start;
    program.loops =
        section.kind == SectionKind::kMain && program.passMicroseconds >= kMinLoopMicroseconds;
    return program;
}

bool LoadAuditionProgram(const AuditionRequest& request, AuditionProgram& program,
                         std::string& problem) {
    MidiEventList list;
    if (!ReadFileEvents(request.path, list, problem)) {
        return false;
    }
    if (request.midi) {
        program = BuildSongProgram(list, FileText(request.path));
        program.warning = DamageWarning(request.path, list);
        return true;
    }
    const SectionMap sections = BuildSectionMap(list, BuildMeterMap(list));
    if (sections.sections.empty()) {
        problem = StrFormat(TranslateFormat("The file %s has no sections.").c_str(),
                            request.path.c_str());
        return false;
    }
    const StyleSection* section = ChooseSection(sections, request.section);
    if (section == nullptr) {
        problem = StrFormat(TranslateFormat("The file %s has no section \"%s\".").c_str(),
                            request.path.c_str(), request.section.c_str());
        return false;
    }
    program = BuildSectionProgram(list, sections, *section);
    program.warning = DamageWarning(request.path, list);
    return true;
}

bool ListAuditionSections(const std::string& path, std::vector<std::string>& names,
                          std::string& problem) {
    names.clear();
    MidiEventList list;
    if (!ReadFileEvents(path, list, problem)) {
        return false;
    }
    const SectionMap sections = BuildSectionMap(list, BuildMeterMap(list));
    if (sections.sections.empty()) {
        problem = StrFormat(TranslateFormat("The file %s has no sections.").c_str(), path.c_str());
        return false;
    }
    for (const StyleSection& section : sections.sections) {
        names.push_back(section.name);
    }
    return true;
}

}  // namespace kelvane
