#include "analysis/ZOLExtendedInfo.h"

#include <algorithm>
#include <memory>

#include "analysis/ZOLFileRead.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "records/ZOLFieldCatalogue.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

std::string Label(const char* text) {
    return Translate(text);
}

void MidiLines(const AnalysisResult& r, std::vector<std::string>& lines) {
    if (r.midiError) {
        lines.push_back(Label("--- MIDI ERROR ---"));
    }
    if (r.midiProblems) {
        lines.push_back(Label("--- MIDI WARNING ---"));
    }
    for (const auto& [flag, word] : {std::pair{r.xgOn, "XG"}, {r.gsReset, "GS"}, {r.gmOn, "GM"}}) {
        if (flag) {
            lines.push_back(StrFormat("%s : %s", Label("Type").c_str(), word));
        }
    }
    lines.push_back(StrFormat("%s : %d", Label("Tempo").c_str(), r.tempoBpm));
    lines.push_back(StrFormat("%s : %d", Label("Nr of tracks").c_str(), r.tracks));
    const int named = std::min(r.tracks, analysis::kTrackSlots - 1);
    for (int n = 1; n <= named; ++n) {
        lines.push_back(StrFormat("%s %d : %s", Label("Name of track").c_str(), n,
                                  r.trackNames[static_cast<size_t>(n)].c_str()));
    }
}

void SectionLines(const AnalysisResult& r, std::vector<std::string>& lines) {
    lines.emplace_back();
    lines.push_back(StrFormat("%s:", Label("Style sections").c_str()));
    const std::vector<const SectionEntry*> ordered = OrderedSections(r);
    if (ordered.empty()) {
        lines.push_back(StrFormat("\t%s", Label("(none)").c_str()));
    }
    for (const SectionEntry* entry : ordered) {
        lines.push_back(StrFormat(
            "\t%s\t\t%s=%d\t%s=%d\t%s=%d", entry->name.c_str(), Label("Start measure").c_str(),
            entry->startMeasure, Label("End measure").c_str(), entry->endMeasure,
            Label("Length").c_str(), entry->endMeasure - entry->startMeasure + 1));
    }
}

void InstrumentLines(const AnalysisResult& r, std::vector<std::string>& lines) {
    lines.emplace_back();
    const std::string label = Label("Instrument of channel");
    for (int channel = 0; channel <= 16; ++channel) {
        for (const VoiceEntry* v = r.VoicesBegin(channel); v != r.VoicesEnd(channel); ++v) {
            lines.push_back(StrFormat("%s %d : %d (%d)= %s, Reverb=%d, Chorus=%d", label.c_str(),
                                      channel, v->program, v->program + 111, v->shortName,
                                      v->reverb, v->chorus));
        }
    }
}

// A field's value as the listing shows it: numbers as unsigned 32-bit values.
std::string FieldValueText(const StyleDataPacket& record, int id) {
    if (record.TypeOf(id) == FT_NUMBER) {
        return StrFormat("%lu",
                         static_cast<unsigned long>(static_cast<uint32_t>(record.Number(id))));
    }
    return std::string(record.Text(id));
}

void RecordLines(const StyleDataPacket& record, std::vector<std::string>& lines) {
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Current)) {
        if (row.type < FT_OWN_TEXT || row.type > FT_DATE) {
            continue;
        }
        const std::string header = Translate(row.header);
        const std::string value = FieldValueText(record, row.id);
        lines.push_back(value.empty() && row.type != FT_NUMBER ? header : header + ":  " + value);
    }
}

}  // namespace

std::vector<const SectionEntry*> OrderedSections(const AnalysisResult& r) {
    std::vector<const SectionEntry*> ordered;
    int last = 0;
    for (;;) {
        const SectionEntry* next = nullptr;
        for (int i = 0; i < r.sectionCount; ++i) {
            const SectionEntry& entry = r.sections[static_cast<size_t>(i)];
            if (entry.startMeasure > last &&
                (next == nullptr || entry.startMeasure < next->startMeasure)) {
                next = &entry;
            }
        }
        if (next == nullptr) {
            return ordered;
        }
        ordered.push_back(next);
        // A section that ends before it starts (a later one begins in the same measure) still
        // covers its start measure.
        last = std::max(next->endMeasure, next->startMeasure);
    }
}

std::vector<std::string> ExtendedInfoLines(const std::string& path, const StyleDataPacket* record,
                                           InfoMode mode) {
    // A fresh analyser: the listing must not disturb the scan's.
    auto analyser = std::make_unique<CZOLMidi>();
    FileForAnalysis file;
    if (ReadFileForAnalysis(path, *analyser, file) == FileReadOutcome::kRead) {
        AnalyseReadFile(*analyser, path, file);
    }
    const AnalysisResult& r = analyser->Result();
    std::vector<std::string> lines;
    lines.push_back(StrFormat("%s : %s", Label("Filename").c_str(), path.c_str()));
    lines.emplace_back();
    if (mode == InfoMode::Extended) {
        MidiLines(r, lines);
        if (IsStyleMode()) {
            SectionLines(r, lines);
        }
        InstrumentLines(r, lines);
        lines.emplace_back();
        lines.push_back("---------------------------------------");
        lines.emplace_back();
        if (record != nullptr) {
            RecordLines(*record, lines);
        }
        lines.emplace_back();
    }
    // OTS tracks are only counted, never examined one by one, so there is nothing to list
    // per track; the OTS listing says whether the file has any.
    if (mode == InfoMode::Ots && r.otsCount == 0) {
        lines.push_back(Label("No OTS data found in style file."));
    }
    return lines;
}

}  // namespace kelvane
