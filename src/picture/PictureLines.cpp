#include "picture/PictureLines.h"

#include "support/NUVFormat.h"

namespace kelvane {
namespace {

std::string SectionLine(const PictureSection& entry) {
    std::string line = entry.section.name;
    line += StrFormat("\t%lld\t%lld\t", static_cast<long long>(entry.section.firstBar),
                      static_cast<long long>(entry.section.bars));
    for (int part = 0; part < kStyleParts; ++part) {
        line += StrFormat(part == 0 ? "%lld" : " %lld",
                          static_cast<long long>(entry.noteOns[static_cast<std::size_t>(part)]));
    }
    return line;
}

std::string ChannelLine(const PictureLane& lane) {
    const std::string program = lane.program < 0 ? std::string("-") : std::to_string(lane.program);
    return StrFormat("%d\t%s\t%lld\t%d-%d", lane.channel + 1, program.c_str(),
                     static_cast<long long>(lane.noteOns), lane.lowest, lane.highest);
}

}  // namespace

std::vector<std::string> PictureLines(const FilePicture& picture) {
    std::vector<std::string> lines;
    if (picture.kind == PictureKind::kStyle) {
        for (const PictureSection& entry : picture.sections) {
            lines.push_back(SectionLine(entry));
        }
        return lines;
    }
    for (const PictureLane& lane : picture.lanes) {
        lines.push_back(ChannelLine(lane));
    }
    return lines;
}

}  // namespace kelvane
