// CZOLMidi: the chain of sections behind the MIDI data of a style file. Every section is a
// four-character tag and a 32-bit big-endian length counting the bytes after the length
// field. The walk reads each section by its declared length through the reader's bounded
// byte access; a byte that starts no section is counted as unexpected and passed over, so the
// walk always ends.
#include <algorithm>
#include <cstring>

#include "analysis/ZOLMidi.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

constexpr int64_t kSectionHeaderSize = 8;
constexpr int64_t kTagSize = 4;
// A CASM section of this declared length is followed by stray bytes in files of one
// well-known editor; the walk stops at the first of them.
constexpr int64_t kSuspectCasmLength = 1463;
// Stray bytes at the end of a file up to this count are reported as such.
constexpr int kEndOfFileStrayLimit = 8;

}  // namespace

void CZOLMidi::FileWarning(const char* format, int64_t position) {
    if (traceProblems_) {
        TraceFormat(trace::kAlways, true, format, fileName_.c_str(), static_cast<int>(position),
                    static_cast<unsigned>(position));
    }
}

bool CZOLMidi::TagAt(const char* tag) {
    const uint8_t* bytes = Peek(kTagSize);
    return bytes != nullptr && std::memcmp(bytes, tag, kTagSize) == 0;
}

// True when one of the tags the walk knows may begin at the position: CASM, OTSc, FNRc, XFIH,
// MHhd, MHtr. A byte that begins none of them is unexpected without asking every reader, which
// matters for files padded with thousands of such bytes.
bool CZOLMidi::SectionTagMayStart() {
    const uint8_t* byte = Peek(1);
    if (byte == nullptr) {
        return false;
    }
    switch (*byte) {
        case 'C':
        case 'O':
        case 'F':
        case 'X':
        case 'M':
            return true;
        default:
            return false;
    }
}

void CZOLMidi::WalkSections() {
    result_.unexpectedBytes = 0;
    while (Remaining() > 0) {
        if (!SectionTagMayStart()) {
            bool endWalk = false;
            UnexpectedByte(&endWalk);
            if (endWalk) {
                return;
            }
            continue;
        }
        bool found = false;
        struct Step {
            StatusCode (CZOLMidi::*reader)();
            bool AnalysisResult::*errorFlag;
        };
        static constexpr Step kSteps[] = {
            {&CZOLMidi::ReadCasmSection, &AnalysisResult::casmError},
            {&CZOLMidi::ReadOtsSection, &AnalysisResult::otsError},
            {&CZOLMidi::ReadMdbSection, &AnalysisResult::mdbError},
            {&CZOLMidi::ReadXfSection, nullptr},
            {&CZOLMidi::ReadMhhdSection, nullptr},
            {&CZOLMidi::ReadMhtrSection, nullptr},
        };
        for (const Step& step : kSteps) {
            const StatusCode result = (this->*step.reader)();
            if (result < 0) {
                if (step.errorFlag != nullptr) {
                    result_.*step.errorFlag = true;
                }
                return;
            }
            found = found || result == 1;
        }
        if (!found && Remaining() > 0) {
            bool endWalk = false;
            UnexpectedByte(&endWalk);
            if (endWalk) {
                return;
            }
        }
    }
}

void CZOLMidi::UnexpectedByte(bool* endWalk) {
    const int64_t position = Position();
    const int before = result_.unexpectedBytes;
    ReadByte();
    ++result_.unexpectedBytes;
    if (result_.lastCasmLength == kSuspectCasmLength) {
        FileWarning(
            "File Warning: Possible wrong CASM section length specified (1436 / 7B7H), "
            "File: %s, Position: %d (%XH)",
            position);
        *endWalk = true;
    } else if (!traceProblems_) {
        // Nothing else to do: the rest only chooses the warning's text.
    } else if (TagAt("CASM")) {
        FileWarning(
            "File Warning: Unexpexted byte before CASM section, File: %s, Position: %d "
            "(%XH)",
            position);
    } else if (Remaining() == 0 && before < kEndOfFileStrayLimit) {
        FileWarning("File Warning: Unexpexted byte at end of file, File: %s, Position: %d (%XH)",
                    position);
    } else {
        FileWarning("File Warning: Unexpexted byte, File: %s, Position: %d (%XH)", position);
    }
}

// 0 when `tag` does not stand at the position; otherwise the tag and the length are read
// (1), or the file ends inside them (status).
StatusCode CZOLMidi::ReadSectionHeader(const char* tag, const char* traceName, int64_t* start,
                                       int64_t* length) {
    if (!TagAt(tag)) {
        return 0;
    }
    *start = Position();
    if (Remaining() < kSectionHeaderSize) {
        Skip(Remaining());
        return status::kSectionPastEndOfFile;
    }
    Skip(kTagSize);
    *length = Read32();
    if (traceAnalysis_) {
        TraceStructure(traceName, *start, *length);
    }
    return 1;
}

StatusCode CZOLMidi::ReadCasmSection() {
    int64_t start = 0;
    int64_t length = 0;
    const StatusCode header = ReadSectionHeader("CASM", "CASM section", &start, &length);
    if (header != 1 || length == 0) {
        return header;
    }
    ++result_.casmCount;
    result_.lastCasmLength = length;
    return Skip(length) ? 1 : status::kSectionPastEndOfFile;
}

// Counting mode: the tracks of the section are counted (at most ten) and skipped, with any
// bytes between them.
StatusCode CZOLMidi::ReadOtsSection() {
    int64_t start = 0;
    int64_t length = 0;
    const StatusCode header = ReadSectionHeader("OTSc", "OTS section", &start, &length);
    if (header != 1) {
        return header;
    }
    ++result_.otsCount;
    result_.otsPosition = start;
    if (length > Remaining()) {
        return status::kSectionPastEndOfFile;
    }
    if (length == 0) {
        return 1;
    }
    const int64_t end = Position() + length;
    result_.otsTracks = 0;
    while (Position() < end && result_.otsTracks < analysis::kMaxOtsTracks) {
        ++result_.otsTracks;
        if (end - Position() >= kTagSize && TagAt("MTrk")) {
            const int64_t trackStart = Position();
            if (end - trackStart < kSectionHeaderSize) {
                return status::kOtsTrackPastSection;
            }
            Skip(kTagSize);
            const int64_t trackLength = Read32();
            if (traceAnalysis_) {
                TraceStructure("OTS track", trackStart, trackLength);
            }
            if (trackLength > end - Position()) {
                return status::kOtsTrackPastSection;
            }
            Skip(trackLength);
        }
        while (Position() < end && !(end - Position() >= kTagSize && TagAt("MTrk"))) {
            FileWarning(
                "File Warning: Unexpexted byte between OTS tracks, File: %s, Position: %d "
                "(%XH)",
                Position());
            Skip(1);
        }
    }
    SetPosition(end);
    return 1;
}

StatusCode CZOLMidi::ReadMdbSection() {
    int64_t start = 0;
    int64_t length = 0;
    const StatusCode header = ReadSectionHeader("FNRc", "MDB section", &start, &length);
    if (header != 1) {
        return header;
    }
    ++result_.mdbCount;
    result_.mdbRecords = 0;
    result_.mdbStart = start;
    result_.mdbEnd = start + kSectionHeaderSize + length - 1;
    int64_t sum = 0;
    if (length > 0) {
        for (;;) {
            const int64_t bytes = ReadMdbRecord();
            if (bytes == 0) {
                break;
            }
            if (bytes < 0) {
                return status::kMusicFinderRecordError;
            }
            sum += bytes;
        }
    }
    if (sum != length) {
        return status::kMusicFinderLengthMismatch;
    }
    // Records cut short by the end of the file still count their declared lengths; the
    // section is broken all the same.
    return start + kSectionHeaderSize + length > FileSize() ? status::kSectionPastEndOfFile : 1;
}

// One Music Finder text: tag, 32-bit length, the text (kept up to its first NUL and at most
// 2000 bytes; reading goes on after the declared length). The file ending before the tag
// leaves the text and those after it empty (`ended`).
bool CZOLMidi::ReadFinderText(const char* tag, std::string* text, int64_t recordStart,
                              bool* ended) {
    if (Remaining() < kTagSize) {
        *ended = true;
        return true;
    }
    if (!TagAt(tag) || Remaining() < kSectionHeaderSize) {
        FileWarning("File Warning: Incomplete Music Finder Record, File: %s, Position: %d (%XH)",
                    recordStart);
        return false;
    }
    Skip(kTagSize);
    const int64_t length = Read32();
    const int64_t kept = std::min<int64_t>(length, analysis::kMaxFinderText);
    const uint8_t* bytes = length <= Remaining() ? Peek(kept) : nullptr;
    if (bytes == nullptr && kept > 0) {
        FileWarning("File Warning: Incomplete Music Finder Record, File: %s, Position: %d (%XH)",
                    recordStart);
        return false;
    }
    const char* chars = reinterpret_cast<const char*>(bytes);
    text->assign(chars, kept > 0 ? strnlen(chars, static_cast<size_t>(kept)) : 0);
    Skip(length);
    return true;
}

int64_t CZOLMidi::ReadMdbRecord() {
    if (!TagAt("FNRP")) {
        return 0;
    }
    const int64_t start = Position();
    if (Remaining() < kSectionHeaderSize) {
        FileWarning("File Warning: Incomplete Music Finder Record, File: %s, Position: %d (%XH)",
                    start);
        return status::kIncompleteMusicFinderRecord;
    }
    Skip(kTagSize);
    const int64_t length = Read32();
    if (traceAnalysis_) {
        TraceStructure("MDB record", start, length);
    }
    if (length == 0) {
        return 0;
    }
    if (Remaining() < 5) {
        FileWarning("File Warning: Incomplete Music Finder Record, File: %s, Position: %d (%XH)",
                    start);
        return status::kIncompleteMusicFinderRecord;
    }
    MusicFinderRecord& record = finder_;
    record.tempoMicroseconds = static_cast<int32_t>(Read24());
    record.numerator = ReadByte();
    record.denominator = ReadByte();
    record.bpm = TempoToBpm(static_cast<uint32_t>(record.tempoMicroseconds));
    std::string* texts[] = {&record.title, &record.genre, &record.keyword1, &record.keyword2};
    static constexpr const char* kTags[] = {"Mnam", "Gnam", "Kwd1", "Kwd2"};
    bool ended = false;
    for (int i = 0; i < 4; ++i) {
        texts[i]->clear();
        if (!ended && !ReadFinderText(kTags[i], texts[i], start, &ended)) {
            return status::kIncompleteMusicFinderRecord;
        }
    }
    ++result_.mdbRecords;
    if (songList_ != nullptr) {
        songList_->push_back(record);
    }
    if (finderList_ != nullptr && finderList_->size() < kMaxKeptFinderRecords) {
        finderList_->push_back(record);
    }
    return length + kSectionHeaderSize;
}

// XF, MHhd and MHtr sections are only noted (with their lengths) and skipped.
StatusCode CZOLMidi::SkipPlainSection(const char* tag, const char* traceName, bool* present,
                                      int64_t* length) {
    int64_t start = 0;
    int64_t declared = 0;
    const StatusCode header = ReadSectionHeader(tag, traceName, &start, &declared);
    if (header != 1 || declared == 0) {
        return header;
    }
    if (!Skip(declared)) {
        return status::kSectionPastEndOfFile;
    }
    *present = true;
    if (length != nullptr) {
        *length = declared;
    }
    return 1;
}

StatusCode CZOLMidi::ReadXfSection() {
    return SkipPlainSection("XFIH", "XF section", &result_.xfPresent, nullptr);
}

StatusCode CZOLMidi::ReadMhhdSection() {
    return SkipPlainSection("MHhd", "MHhd section", &result_.mhhdPresent, &result_.mhhdLength);
}

StatusCode CZOLMidi::ReadMhtrSection() {
    return SkipPlainSection("MHtr", "MHtr section", &result_.mhtrPresent, &result_.mhtrLength);
}

}  // namespace kelvane
