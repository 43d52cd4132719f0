// The per-file analysis: one style or MIDI file turned into one filled record. The file is
// read once (size, CRC-32 file id and the analyser all work from the same bytes), analysed by
// CZOLMidi, classified by the search tags, and every value is written into the record by
// field id. The record is not reset first: user fields, songs and the stored analyser value
// stay unless the analysis sets them.
//
// The analysis proper (AnalyseFileValues) writes into a FileValues, not into the record, and
// changes no shared state: threads with an analyser each may run it side by side. Applying the
// values to the record is left to the thread that owns the records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/ZOLAnalysisResult.h"
#include "records/ZOLDataPacket.h"

namespace kelvane {

class CZOLMidi;
class FileValues;

// Fills `record` from the file at `fullPath` (its name `fileName`) with the analyser of the
// calling thread (ThreadAnalyser). Returns 0, or the status of the file id calculation when
// the file cannot be read (then the record is incomplete and the caller skips the file).
// Files that cannot be sized or are empty get a record with "not analysed" / "empty File".
StatusCode AnalyseFile(StyleDataPacket& record, const std::string& fullPath,
                       const std::string& fileName);
// The same with a given analyser (tests, the extended information listing).
StatusCode AnalyseFile(CZOLMidi& analyser, StyleDataPacket& record, const std::string& fullPath,
                       const std::string& fileName);

// The analysis alone: the values the record gets, given the record's analyser value before the
// analysis (it tells whether the user fixed the genre and keeps the value's sign). The same
// statuses as AnalyseFile; on a failure `values` is left empty.
StatusCode AnalyseFileValues(CZOLMidi& analyser, const std::string& fullPath,
                             const std::string& fileName, int32_t analyserBefore,
                             FileValues& values);

// The FILESIZE value of a file of `bytes` bytes: the field holds 32 bits, so files of 2 GiB and
// more show the largest value instead of a negative one.
int32_t FilesizeValue(int64_t bytes);

// The analyser the calling thread reuses for every file it analyses.
CZOLMidi& ThreadAnalyser();

// Files larger than this are read through the reader window instead of in one piece.
inline constexpr int64_t kWholeFileReadLimit = 8 * 1024 * 1024;

// The style file type by extension (ignoring case): "" for .sty, "Basic" .bcs, "Professional"
// .prs, "Session" .sst, "PianoCombo" .pcs, "Pianist" .pst; "" for anything else.
std::string_view StyleFileTypeName(std::string_view fileName);
// Whether the run mode analyses a file of this name: ".sty", ".bcs", ".prs", ".sst", ".pst",
// ".pcs" in style mode, ".mid", ".kar" in midi mode (ignoring case).
bool IsAnalysedFileName(std::string_view fileName, bool styleMode);

// The ERRORS texts of a result (items translated; "-" when there is none).
std::string StyleErrorsText(const AnalysisResult& result);
std::string MidiErrorsText(const AnalysisResult& result);

}  // namespace kelvane
