#include "analysis/FileValues.h"

#include "records/ZOLStyleData.h"

namespace kelvane {

void FileValues::SetNumber(int id, int32_t number) {
    entries_.push_back(Entry{id, false, number, 0, 0});
}

void FileValues::SetText(int id, std::string_view text) {
    entries_.push_back(Entry{id, true, 0, texts_.size(), text.size()});
    texts_.append(text);
}

void FileValues::Clear() {
    entries_.clear();
    texts_.clear();
    songs_.clear();
    fileTime_.reset();
}

void FileValues::ApplyTo(StyleDataPacket& record) const {
    for (const MusicFinderRecord& song : songs_) {
        CollectSong(&record, song);
    }
    const std::string_view texts(texts_);
    for (const Entry& entry : entries_) {
        if (entry.text) {
            AssignStyleField(record, entry.id, texts.substr(entry.offset, entry.length));
        } else {
            record.SetNumber(entry.id, entry.number);
        }
    }
}

}  // namespace kelvane
