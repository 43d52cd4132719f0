// The values the analysis of one file gives its record, held apart from any record: numbers
// and texts by field id in the order the analysis set them, and the Music Finder records of a
// style file. The analysis fills them without touching a record, a string pool or any other
// shared state, so several threads may analyse files side by side; the thread that owns the
// records then applies them, which interns the texts and makes the songs exactly as an
// analysis straight into the record would.
//
//   FileValues values;
//   AnalyseFileValues(analyser, path, name, record->Number(kFieldAnalyser), values);  // any thread
//   values.ApplyTo(*record);                                                  // the records'
//   thread
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileTime.h"
#include "records/ZOLDataPacket.h"
#include "records/ZOLSongCollector.h"

namespace kelvane {

class FileValues {
  public:
    void SetNumber(int id, int32_t number);
    void SetText(int id, std::string_view text);
    // The Music Finder records of the file, in file order (the analyser appends to it).
    std::vector<MusicFinderRecord>& Songs() { return songs_; }
    const std::vector<MusicFinderRecord>& Songs() const { return songs_; }

    // The file's last-write time as the analysis found it on the open file, for a caller that
    // did not look it up itself; not applied by ApplyTo.
    void SetFileTime(FileTime time) { fileTime_ = time; }
    bool FileTimeKnown() const { return fileTime_.has_value(); }
    FileTime LastWriteTime() const { return fileTime_.value_or(0); }

    // Empties the values, keeping their storage for the next file.
    void Clear();
    bool Empty() const { return entries_.empty() && songs_.empty(); }

    // The songs first (collected into the record's song list as the analysis reads them),
    // then every value in the order it was set, stored by the field's type (a number into a
    // number field, a text by AssignStyleField).
    void ApplyTo(StyleDataPacket& record) const;

  private:
    struct Entry {
        int id;
        bool text;
        int32_t number;      // a number's value
        std::size_t offset;  // a text's place in texts_
        std::size_t length;
    };
    std::vector<Entry> entries_;
    std::string texts_;
    std::vector<MusicFinderRecord> songs_;
    std::optional<FileTime> fileTime_;
};

}  // namespace kelvane
