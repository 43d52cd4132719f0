#include "picture/PictureFacts.h"

#include <memory>

#include "analysis/ZOLExtendedInfo.h"
#include "analysis/ZOLMidi.h"
#include "analysis/ZOLStyleFile.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"

namespace kelvane {

PictureFacts AnalyseFacts(std::span<const uint8_t> bytes, bool style, const std::string& name) {
    PictureFacts facts;
    facts.analysed = true;
    if (bytes.empty()) {
        facts.problems = Translate("empty File");
        return facts;
    }
    // A fresh analyser: the picture must not disturb the scan's (ThreadAnalyser).
    auto analyser = std::make_unique<CZOLMidi>();
    if (style) {
        analyser->SetFinderRecordList(&facts.songs);
    }
    analyser->AnalyseBytes(bytes, name);
    analyser->SetFinderRecordList(nullptr);
    const AnalysisResult& r = analyser->Result();
    facts.tempoBpm = r.tempoBpm;
    facts.timeSignature = StrFormat("%1d/%1d", r.timeSigNumerator, r.timeSigDenominator);
    facts.tracks = r.tracks;
    facts.division = r.division;
    if (style) {
        for (const SectionEntry* entry : OrderedSections(r)) {
            facts.sections.push_back(*entry);
        }
        facts.problems = StyleErrorsText(r);
    } else {
        facts.lengthMinutes = r.lengthMinutes;
        facts.lengthSeconds = r.lengthSeconds;
        facts.karaoke = r.karaoke;
        facts.lyrics = r.lyrics;
        facts.problems = MidiErrorsText(r);
    }
    return facts;
}

}  // namespace kelvane
