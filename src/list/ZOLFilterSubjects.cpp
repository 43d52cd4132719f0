#include "list/ZOLFilterSubjects.h"

#include "records/ZOLSongData.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr std::array<int, 14> kStyleQuickFields = {
    kFieldFilename,  kFieldPath,     kFieldStyleName,  kFieldStyleType,    kFieldStyleSubtype,
    kFieldAuthor,    kFieldAux,      kFieldTimeSig,    kFieldCopyright,    kFieldErrors,
    kFieldOrigModel, kFieldKbdModel, kFieldVariations, kFieldStylefileType};
constexpr std::array<int, 11> kMidiQuickFields = {
    kFieldFilename, kFieldPath,    kFieldMidiInfo,  kFieldSong,   kFieldArtist,  kFieldAuthor,
    kFieldAux,      kFieldTimeSig, kFieldCopyright, kFieldErrors, kFieldMidiType};
constexpr std::array<int, 7> kSongQuickFields = {
    kSongFieldTitle,   kSongFieldGenre,     kSongFieldKeyword1,   kSongFieldKeyword2,
    kSongFieldTimeSig, kSongFieldRealTitle, kSongFieldNativeTitle};

void AppendWord(std::string& buffer, std::string_view word, bool first) {
    if (!first) {
        buffer.push_back(' ');
    }
    buffer.append(word);
}

template <size_t N>
void JoinFields(const std::array<int, N>& fields, const StyleDataPacket& record,
                std::string& buffer) {
    bool first = true;
    for (int field : fields) {
        AppendWord(buffer, record.Text(field), first);
        first = false;
    }
}

}  // namespace

std::string_view StyleQuickSearchText(const StyleDataPacket& record, std::string& buffer) {
    buffer.clear();
    if (IsStyleMode()) {
        JoinFields(kStyleQuickFields, record, buffer);
    } else {
        JoinFields(kMidiQuickFields, record, buffer);
    }
    return buffer;
}

std::string_view SongQuickSearchText(const SongDataPacket& song, std::string_view statusText,
                                     std::string& buffer) {
    buffer.clear();
    bool first = true;
    for (int field : kSongQuickFields) {
        AppendWord(buffer, song.Text(field), first);
        first = false;
    }
    AppendWord(buffer,
               song.parent != nullptr ? song.parent->Text(kFieldFilename) : std::string_view(),
               false);
    AppendWord(buffer, song.Text(kSongFieldArtist), false);
    AppendWord(buffer, statusText, false);
    return buffer;
}

SongStatusTexts::SongStatusTexts() {
    texts[0] = SongStatusText(0);
    texts[1] = SongStatusText(kSongStatusInStyleFile);
    texts[2] = SongStatusText(kSongStatusNotInStyleFile);
}

std::string_view SongStatusTexts::Of(int32_t status) const {
    return (status == kSongStatusInStyleFile || status == kSongStatusNotInStyleFile)
               ? texts[static_cast<size_t>(status)]
               : texts[0];
}

std::string_view StyleFilterSubject::QuickSearchText() const {
    if (!quickReady_) {
        StyleQuickSearchText(*record_, quick_);
        quickReady_ = true;
    }
    return quick_;
}

std::string_view SongFilterSubject::FilterText(int32_t id) const {
    if (id == kSongFieldStatus) {
        return statusTexts_.Of(song_->Status());
    }
    return song_->Text(id);
}

std::string_view SongFilterSubject::QuickSearchText() const {
    if (!quickReady_) {
        SongQuickSearchText(*song_, statusTexts_.Of(song_->Status()), quick_);
        quickReady_ = true;
    }
    return quick_;
}

}  // namespace kelvane
