#include "support/StyleFileBuilder.h"

namespace kelvane::test {

uint32_t FinderRecord::Length() const {
    return static_cast<uint32_t>(title.size() + genre.size() + keyword1.size() + keyword2.size() +
                                 37);
}

std::string FinderRecord::Bytes() const {
    const std::array<const std::string*, 4> texts = {&title, &genre, &keyword1, &keyword2};
    std::string out = recordTag;
    out += Be32(declaredLength.value_or(Length()));
    out += Be24(tempo);
    out += char(numerator);
    out += char(denominator);
    for (size_t i = 0; i < texts.size(); ++i) {
        out += tags[i];
        out += Be32(declaredTextLength[i].value_or(static_cast<uint32_t>(texts[i]->size())));
        out += *texts[i];
    }
    return out;
}

StyleFileBuilder& StyleFileBuilder::Midi(std::string midiBytes) {
    midi_ = std::move(midiBytes);
    return *this;
}

StyleFileBuilder& StyleFileBuilder::Section(std::string_view tag, std::string_view content) {
    return Section(tag, static_cast<uint32_t>(content.size()), content);
}

StyleFileBuilder& StyleFileBuilder::Section(std::string_view tag, uint32_t declared,
                                            std::string_view content) {
    Begin();
    tail_ += ChunkDeclared(tag, declared, content);
    return *this;
}

StyleFileBuilder& StyleFileBuilder::Ots(const std::vector<TrackBuilder>& tracks) {
    std::string content;
    for (const TrackBuilder& track : tracks) {
        content += track.Bytes();
    }
    return Section("OTSc", content);
}

StyleFileBuilder& StyleFileBuilder::Ots(int tracks) {
    std::vector<TrackBuilder> list(static_cast<size_t>(tracks));
    for (int i = 0; i < tracks; ++i) {
        list[i].ProgramChange(0, i % 16, i).Note(0, i % 16, 60 + i, 100, 240);
    }
    return Ots(list);
}

StyleFileBuilder& StyleFileBuilder::Mdb(const std::vector<FinderRecord>& records,
                                        int64_t lengthAdjust, std::string_view trailing) {
    std::string content;
    for (const FinderRecord& record : records) {
        content += record.Bytes();
    }
    const int64_t length = int64_t(content.size()) + lengthAdjust;
    content += trailing;
    return Section("FNRc", static_cast<uint32_t>(length), content);
}

StyleFileBuilder& StyleFileBuilder::Stray(std::string_view bytes) {
    Begin();
    tail_ += bytes;
    return *this;
}

SmfBuilder StyleMidi(const std::vector<std::string>& markers, int division, uint32_t tempo,
                     int numerator, int denominator) {
    SmfBuilder smf(0, division);
    TrackBuilder& track = smf.AddTrack();
    track.TrackName(0, "Style").Tempo(0, tempo).TimeSignature(0, numerator, denominator);
    const uint32_t measure = uint32_t(division) * 4 * numerator / denominator;
    uint32_t gap = 0;
    for (size_t i = 0; i < markers.size(); ++i) {
        // Each marker opens a measure holding one note of a quarter.
        track.Marker(gap, markers[i]);
        track.Note(0, 0, 60 + int(i % 12), 100, uint32_t(division));
        gap = measure - uint32_t(division);
    }
    track.EndOfTrack(gap);
    return smf;
}

}  // namespace kelvane::test
