// What the filter tests on a record or a song: field values read in place, and the quick-search
// text joined on demand into a buffer that the subject reuses for every record.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "records/ZOLDataPacket.h"

namespace kelvane {

// The quick-search texts: the fields of the run mode (or of a song) joined with single blanks
// into `buffer`, which is overwritten; the result views `buffer`.
std::string_view StyleQuickSearchText(const StyleDataPacket& record, std::string& buffer);
std::string_view SongQuickSearchText(const SongDataPacket& song, std::string_view statusText,
                                     std::string& buffer);

// The translated song status texts: index 0 "Undefined", 1 "In style file", 2 "Not in style file".
struct SongStatusTexts {
    SongStatusTexts();
    std::string_view Of(int32_t status) const;
    std::array<std::string, 3> texts;
};

class StyleFilterSubject {
  public:
    void Set(const StyleDataPacket* record) {
        record_ = record;
        quickReady_ = false;
    }
    std::string_view FilterText(int32_t id) const { return record_->Text(id); }
    int32_t FilterNumber(int32_t id) const { return record_->Number(id); }
    std::string_view FilterDateText(int32_t) const { return record_->DateText(); }
    std::string_view QuickSearchText() const;

  private:
    const StyleDataPacket* record_ = nullptr;
    mutable std::string quick_;
    mutable bool quickReady_ = false;
};

// Song field 9 is tested as its status text; style-link fields as the parent's field.
class SongFilterSubject {
  public:
    void Set(const SongDataPacket* song) {
        song_ = song;
        quickReady_ = false;
    }
    std::string_view FilterText(int32_t id) const;
    int32_t FilterNumber(int32_t id) const { return song_->Number(id); }
    std::string_view FilterDateText(int32_t) const { return {}; }
    std::string_view QuickSearchText() const;

  private:
    const SongDataPacket* song_ = nullptr;
    SongStatusTexts statusTexts_;
    mutable std::string quick_;
    mutable bool quickReady_ = false;
};

}  // namespace kelvane
