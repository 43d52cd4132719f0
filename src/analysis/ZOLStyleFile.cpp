#include "analysis/ZOLStyleFile.h"

#include <algorithm>
#include <cstdint>

#include "analysis/FileValues.h"
#include "analysis/ZOLFileRead.h"
#include "analysis/ZOLGenre.h"
#include "analysis/ZOLMidi.h"
#include "records/ZOLStyleData.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVPath.h"
#include "support/NUVTrace.h"
#include "support/NUVTranslateFormat.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

struct TypeRow {
    const char* extension;
    const char* name;
    bool style;
};
constexpr TypeRow kFileTypes[] = {
    {".sty", "", true},        {".bcs", "Basic", true},      {".prs", "Professional", true},
    {".sst", "Session", true}, {".pcs", "PianoCombo", true}, {".pst", "Pianist", true},
    {".mid", "", false},       {".kar", "", false},
};

// Analyser values of records written by the first program version: their genre fields were
// set by hand.
constexpr int32_t kKeepGenreAnalyser = 2;

void Assign(FileValues& values, int id, std::string_view text) {
    values.SetText(id, text);
}

const char* YesNo(bool flag) {
    return flag ? "Y" : "N";
}

std::string SectionText(int sections, int count) {
    if (sections == 0) {
        return "N";
    }
    return count < 0 ? std::string("Y") : StrFormat("Y %d", count);
}

void AddItem(std::string& text, const std::string& item) {
    if (!text.empty()) {
        text += ", ";
    }
    text += item;
}

// Steps 5 and 6: genre, the common values, the analyser version. `before` is the record's
// analyser value before the analysis.
void FillCommonFields(FileValues& values, const AnalysisResult& r, const std::string& fileName,
                      bool style, int32_t before) {
    if (before >= 0) {
        const GenreResult genre = ClassifyGenre(fileName, r.infoText);
        if (before != kKeepGenreAnalyser) {
            Assign(values, kFieldStyleType, genre.typeText);
            Assign(values, kFieldStyleSubtype, genre.subtypeText);
            values.SetNumber(kFieldCertainty, genre.certainty);
        }
        if (!style && r.karaoke) {
            if (!r.karaokeTexts[0].empty()) {
                Assign(values, kFieldSong, r.karaokeTexts[0]);
            }
            if (!r.karaokeTexts[1].empty()) {
                Assign(values, kFieldArtist, r.karaokeTexts[1]);
            }
            values.SetNumber(kFieldCertainty, ModeNamesFor(kRunModeMidi).defaultSearchTagValue);
        }
    }
    Assign(values, kFieldTimeSig, StrFormat("%1d/%1d", r.timeSigNumerator, r.timeSigDenominator));
    values.SetNumber(kFieldTempo, r.tempoBpm);
    Assign(values, kFieldStyleName, r.infoText);
    Assign(values, kFieldCopyright, r.copyright);
    values.SetNumber(kFieldTimebase, r.division);
    const int32_t version = CurrentModeNames().combinedAnalyserVersion;
    values.SetNumber(kFieldAnalyser, before < 0 ? -version : version);
}

std::string FlagWords(const AnalysisResult& r) {
    std::string words;
    for (const auto& [flag, word] : {std::pair{r.xgOn, "XG"}, {r.gsReset, "GS"}, {r.gmOn, "GM"}}) {
        if (flag) {
            words += words.empty() ? "" : " ";
            words += word;
        }
    }
    return words;
}

void FillStyleFields(FileValues& values, const AnalysisResult& r, const std::string& fileName) {
    Assign(values, kFieldVariations,
           StrFormat("%1dM %1dI %1dE %1dF %1dB", r.mainCount, r.introCount, r.endingCount,
                     r.fillInCount, r.breakCount));
    Assign(values, kFieldCasm, YesNo(r.casmCount > 0));
    Assign(values, kFieldOts, SectionText(r.otsCount, r.otsTracks));
    Assign(values, kFieldMdb, SectionText(r.mdbCount, r.mdbRecords));
    std::string type = FlagWords(r);
    const std::string_view typeName = StyleFileTypeName(fileName);
    if (!typeName.empty()) {
        type += type.empty() ? "" : " ";
        type += typeName;
    }
    Assign(values, kFieldStylefileType, type);
    if (r.sff1Count > 0) {
        values.SetNumber(kFieldSff, 1);
    } else if (r.sff2Count > 0) {
        values.SetNumber(kFieldSff, 2);
    }
}

void FillMidiFields(FileValues& values, const AnalysisResult& r) {
    std::string type = StrFormat("%1d", r.format);
    const std::string words = FlagWords(r);
    if (!words.empty()) {
        type += " " + words;
    }
    Assign(values, kFieldMidiType, type);
    Assign(values, kFieldKaraoke, YesNo(r.karaoke));
    Assign(values, kFieldLyrics, YesNo(r.lyrics));
    Assign(values, kFieldChords, YesNo(r.chords));
    values.SetNumber(kFieldTracks, r.tracks);
    Assign(values, kFieldMidiLength, StrFormat("%02d:%02d", r.lengthMinutes, r.lengthSeconds));
    if (r.keyboardIdentified) {
        Assign(values, kFieldKeyboard, r.keyboardModel);
        Assign(values, kFieldStyleUsed, r.keyboardStyle);
    }
    values.SetNumber(kFieldVhChannel, r.vocalHarmonyChannel);
}

}  // namespace

std::string_view StyleFileTypeName(std::string_view fileName) {
    for (const TypeRow& row : kFileTypes) {
        if (row.style && HasExtension(fileName, row.extension)) {
            return row.name;
        }
    }
    return {};
}

bool IsAnalysedFileName(std::string_view fileName, bool styleMode) {
    for (const TypeRow& row : kFileTypes) {
        if (row.style == styleMode && HasExtension(fileName, row.extension)) {
            return true;
        }
    }
    return false;
}

std::string StyleErrorsText(const AnalysisResult& r) {
    if (r.tracks == 0) {
        return Translate("no midi file");
    }
    if (r.midiError || r.track1Length == 0) {
        return Translate("midi error");
    }
    std::string text;
    const std::pair<bool, const char*> items[] = {
        {r.midiProblems, "midi problems"},
        {r.sff1Count == 0 && r.sff2Count == 0, "no SFF1/SFF2"},
        {r.sintCount == 0, "no SInt"},
        {!r.mainA, "no Main A"},
    };
    for (const auto& [present, item] : items) {
        if (present) {
            AddItem(text, Translate(item));
        }
    }
    if (r.unexpectedBytes > 0) {
        AddItem(text,
                StrFormat(TranslateFormat("unexpected bytes (%d)").c_str(), r.unexpectedBytes));
    }
    const std::pair<bool, const char*> sectionItems[] = {
        {r.casmCount > 1, "multiple CASM sections"},
        {r.otsCount > 1, "multiple OTS sections"},
        {r.mdbCount > 1, "multiple MDB sections"},
        {r.casmError, "CASM error"},
        {r.mdbError, "MDB error"},
        {r.otsError, "OTS error"},
    };
    for (const auto& [present, item] : sectionItems) {
        if (present) {
            AddItem(text, Translate(item));
        }
    }
    return text.empty() ? "-" : text;
}

std::string MidiErrorsText(const AnalysisResult& r) {
    if (r.tracks == 0) {
        return Translate("no midi file");
    }
    if (r.midiError) {
        return Translate("midi error");
    }
    return r.midiProblems ? Translate("midi problems") : std::string("-");
}

CZOLMidi& ThreadAnalyser() {
    thread_local CZOLMidi analyser;
    return analyser;
}

int32_t FilesizeValue(int64_t bytes) {
    return static_cast<int32_t>(std::clamp<int64_t>(bytes, 0, INT32_MAX));
}

StatusCode AnalyseFile(StyleDataPacket& record, const std::string& fullPath,
                       const std::string& fileName) {
    return AnalyseFile(ThreadAnalyser(), record, fullPath, fileName);
}

StatusCode AnalyseFile(CZOLMidi& analyser, StyleDataPacket& record, const std::string& fullPath,
                       const std::string& fileName) {
    // Reused by the calls of one thread, so that an analysis does not allocate per file.
    thread_local FileValues values;
    const StatusCode result =
        AnalyseFileValues(analyser, fullPath, fileName, record.Number(kFieldAnalyser), values);
    if (result == status::kOk) {
        values.ApplyTo(record);
    }
    values.Clear();
    return result;
}

StatusCode AnalyseFileValues(CZOLMidi& analyser, const std::string& fullPath,
                             const std::string& fileName, int32_t analyserBefore,
                             FileValues& values) {
    const bool style = IsStyleMode();
    values.Clear();
    // Songs exist only in style mode.
    analyser.SetSongList(style ? &values.Songs() : nullptr);
    FileForAnalysis file;
    const FileReadOutcome outcome = ReadFileForAnalysis(fullPath, analyser, file);
    if (file.lastWriteTime) {
        values.SetFileTime(*file.lastWriteTime);
    }
    std::string errors;
    switch (outcome) {
        case FileReadOutcome::kSizeUnknown:
            TraceFormat(trace::kScan, true, "%s %s", "Cannot get filesize - Skipping file",
                        fullPath.c_str());
            errors = Translate("not analysed");
            break;
        case FileReadOutcome::kEmpty:
            TraceFormat(trace::kScan, true, "%s %s", "Size of file is 0 bytes - Skipping file",
                        fullPath.c_str());
            errors = Translate("empty File");
            break;
        case FileReadOutcome::kCrcFailed:
            TraceFormat(trace::kAlways, true, "%s %s %i", "Error in NUVCalcCRC32ofFile for fileId",
                        fullPath.c_str(), file.crcStatus);
            analyser.SetSongList(nullptr);
            values.Clear();
            return file.crcStatus;
        case FileReadOutcome::kRead: {
            values.SetNumber(kFieldFileId, static_cast<int32_t>(file.crc));
            AnalyseReadFile(analyser, fullPath, file);
            const AnalysisResult& r = analyser.Result();
            values.SetNumber(kFieldRelatedId, r.relatedId);
            FillCommonFields(values, r, fileName, style, analyserBefore);
            if (style) {
                FillStyleFields(values, r, fileName);
                errors = StyleErrorsText(r);
            } else {
                FillMidiFields(values, r);
                errors = MidiErrorsText(r);
            }
            break;
        }
    }
    if (outcome == FileReadOutcome::kEmpty) {
        // An empty file's record is as current as an analysed one; without the version the
        // scan would analyse it again, and rewrite its folder's data file, at every visit.
        const int32_t version = CurrentModeNames().combinedAnalyserVersion;
        values.SetNumber(kFieldAnalyser, analyserBefore < 0 ? -version : version);
    }
    // Every file, also a skipped one.
    const int32_t fileId = static_cast<int32_t>(file.crc);
    values.SetNumber(kFieldFileId, fileId);
    values.SetNumber(kFieldDuplicates, fileId);
    Assign(values, kFieldPath, SplitPath(fullPath).folder);
    Assign(values, kFieldFilename, fileName);
    Assign(values, kFieldErrors, errors);
    values.SetNumber(kFieldFilesize, FilesizeValue(file.size));
    if (style && outcome != FileReadOutcome::kRead) {
        for (int id : {kFieldCasm, kFieldOts, kFieldMdb}) {
            Assign(values, id, "N");
        }
    }
    analyser.SetSongList(nullptr);
    return status::kOk;
}

}  // namespace kelvane
