#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/RecordsTestEnv.h"
#include "records/ZOLSongCollector.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

class SongRecordTest : public test::RecordStoreTest {
  protected:
    StyleDataPacket* NewStyle(std::string_view name) {
        StyleDataPacket* record = NewStyleRecord();
        EXPECT_EQ(AssignStyleField(*record, kFieldPath, "/styles/"), 0);
        EXPECT_EQ(AssignStyleField(*record, kFieldFilename, name), 0);
        return record;
    }
    static SongDataPacket* AddSong(StyleDataPacket& record, std::string_view title, int status) {
        SongDataPacket* song = NewSongRecord();
        EXPECT_EQ(AssignSongField(*song, kSongFieldTitle, title), 0);
        song->SetNumber(kSongFieldStatus, status);
        AppendSong(record, song);
        return song;
    }
    static MusicFinderRecord Finder(std::string title, std::string genre, int bpm) {
        MusicFinderRecord record;
        record.tempoMicroseconds = 60000000 / bpm;
        record.bpm = bpm;
        record.numerator = 3;
        record.denominator = 4;
        record.title = std::move(title);
        record.genre = std::move(genre);
        record.keyword1 = "k1";
        record.keyword2 = "k2";
        return record;
    }
};

TEST_F(SongRecordTest, StyleColumnsOfASongShowTheParentsFields) {
    StyleDataPacket* style = NewStyle("Pop.sty");
    SongDataPacket* song = NewSongRecord();
    EXPECT_EQ(song->Text(kSongFieldStyleFilename), "");  // no parent yet
    AppendSong(*style, song);
    EXPECT_EQ(song->Text(kSongFieldStyleFilename), "Pop.sty");
    EXPECT_EQ(song->Text(kSongFieldStylePath), "/styles/");
    EXPECT_EQ(FullPathOf(song), "/styles/Pop.sty");
    EXPECT_EQ(song->Status(), 0);
    ResetSongRecord(song);
    EXPECT_EQ(song->Text(kSongFieldStyleFilename), "Pop.sty");
}

TEST_F(SongRecordTest, StatusTexts) {
    EXPECT_EQ(SongStatusText(1), "In style file");
    EXPECT_EQ(SongStatusText(2), "Not in style file");
    EXPECT_EQ(SongStatusText(5), "Undefined");
    EXPECT_EQ(SongStatusText(0), "Undefined");
}

TEST_F(SongRecordTest, SongTextsGoToTheSongPoolsAndNumbersRefuseText) {
    test::CapturingSink sink;
    SongDataPacket* song = NewSongRecord();
    EXPECT_EQ(AssignSongField(*song, kSongFieldArtist, "Abba"), 0);
    EXPECT_EQ(RecordStore().strings.Find(SongStringPool(kSongFieldArtist), "Abba"),
              song->slots[kSongFieldArtist].value.shared);
    EXPECT_EQ(AssignSongField(*song, kSongFieldTempo, "120"), -13707);
    EXPECT_TRUE(sink.BoxContains("Internal Error - Illegal fieldtype in AssignSongDataString 3"));
    EXPECT_EQ(AssignSongField(*song, kSongFieldStylePath, "/x/"), -13707);
    EXPECT_EQ(song->slots[kSongFieldStylePath].value.number, kFieldPath);
    EXPECT_EQ(AssignSongDataString(song->slots[kSongFieldArtist], "x", kSongFieldCount), -13908);
    EXPECT_EQ(song->Text(kSongFieldArtist), "Abba");
    EXPECT_EQ(ResetSongRecord(nullptr), -13800);
    EXPECT_EQ(CopySongRecord(song, nullptr), -13801);
}

TEST_F(SongRecordTest, TitleSearchIgnoresCaseAndStatus) {
    StyleDataPacket* style = NewStyle("a.sty");
    AddSong(*style, "Alpha", 1);
    SongDataPacket* user = AddSong(*style, "Beta", 2);
    AddSong(*style, "BETA", 1);
    EXPECT_EQ(FindSongByTitle(style->songs, "beta"), user);
    EXPECT_EQ(FindSongByTitle(style->songs, "Gamma"), nullptr);
    EXPECT_EQ(AllSongsInStyleFile(style->songs), 0);
    EXPECT_TRUE(RemoveSong(*style, user));
    EXPECT_FALSE(RemoveSong(*style, user));
    EXPECT_EQ(AllSongsInStyleFile(style->songs), 1);
    EXPECT_EQ(AllSongsInStyleFile(SongList{}), 1);
}

TEST_F(SongRecordTest, CollectorMergesRecordsOfTheSameTitleKeepingUserData) {
    StyleDataPacket* style = NewStyle("a.sty");
    EXPECT_EQ(CollectSong(style, Finder("Yesterday", "Ballad", 90)), 0);
    ASSERT_EQ(style->songs.size(), 1u);
    SongDataPacket* song = style->songs[0];
    AssignSongField(*song, kSongFieldArtist, "Beatles");
    EXPECT_EQ(CollectSong(style, Finder("yesterday", "Pop", 120)), 0);
    ASSERT_EQ(style->songs.size(), 1u);
    EXPECT_EQ(song->Text(kSongFieldTitle), "yesterday");
    EXPECT_EQ(song->Text(kSongFieldGenre), "Pop");
    EXPECT_EQ(song->Number(kSongFieldTempo), 120);
    EXPECT_EQ(song->Text(kSongFieldTimeSig), "3/4");
    EXPECT_EQ(song->Text(kSongFieldArtist), "Beatles");
    EXPECT_EQ(song->Status(), 1);
    EXPECT_EQ(song->parent, style);
    EXPECT_EQ(RecordStore().songPool.InUse(), 1u);

    EXPECT_EQ(CollectSong(style, Finder("Michelle", "Pop", 100)), 0);
    EXPECT_EQ(style->songs.size(), 2u);
    EXPECT_EQ(style->songs[1]->Text(kSongFieldTitle), "Michelle");
    EXPECT_EQ(CollectSong(nullptr, Finder("Lost", "", 1)), 0);
    EXPECT_EQ(RecordStore().songPool.InUse(), 2u);
}

TEST_F(SongRecordTest, ReanalysisKeepsUserDataAndUserAddedSongs) {
    StyleDataPacket* old = NewStyle("a.sty");
    CollectSong(old, Finder("Yesterday", "Ballad", 90));
    SongDataPacket* fromFile = old->songs[0];
    AssignSongField(*fromFile, kSongFieldArtist, "Beatles");
    AssignSongField(*fromFile, kSongFieldTitle, "  Yesterday ");
    SongDataPacket* userSong = AddSong(*old, "X", 2);
    AssignSongField(*userSong, kSongFieldGenre, "Mine");
    SongDataPacket* byRealTitle = AddSong(*old, "Old name", 1);
    AssignSongField(*byRealTitle, kSongFieldRealTitle, "Real");
    AssignSongField(*byRealTitle, kSongFieldNativeTitle, "Native");

    StyleDataPacket* fresh = NewStyle("a.sty");
    CollectSong(fresh, Finder("YESTERDAY", "Pop", 120));
    SongDataPacket* renamed = AddSong(*fresh, "New name", 1);
    AssignSongField(*renamed, kSongFieldRealTitle, "real");
    EXPECT_EQ(MergeSongsOnReanalysis(old, fresh), 0);

    EXPECT_EQ(fresh->changed, 1);
    ASSERT_EQ(fresh->songs.size(), 3u);
    const SongDataPacket* merged = fresh->songs[0];
    EXPECT_EQ(merged->Text(kSongFieldArtist), "Beatles");
    EXPECT_EQ(merged->Text(kSongFieldTitle), "YESTERDAY");
    EXPECT_EQ(merged->Text(kSongFieldGenre), "Pop");
    EXPECT_EQ(merged->Status(), 1);
    EXPECT_EQ(renamed->Text(kSongFieldNativeTitle), "Native");
    EXPECT_EQ(renamed->Text(kSongFieldTitle), "New name");  // stored in the file: not taken
    const SongDataPacket* kept = fresh->songs[2];
    EXPECT_EQ(kept->Text(kSongFieldTitle), "X");
    EXPECT_EQ(kept->Text(kSongFieldGenre), "Mine");
    EXPECT_EQ(kept->Status(), 2);
    EXPECT_EQ(kept->parent, fresh);

    ReleaseStyleRecord(old);
    EXPECT_EQ(kept->Text(kSongFieldGenre), "Mine");
    EXPECT_EQ(RecordStore().songPool.InUse(), 3u);
}

TEST_F(SongRecordTest, UserSongOfTheNewRecordTakesEveryEmptyFieldAndEmptyTitlesNeverMatch) {
    StyleDataPacket* old = NewStyle("a.sty");
    SongDataPacket* before = AddSong(*old, "Tune", 1);
    AssignSongField(*before, kSongFieldGenre, "Jazz");
    before->SetNumber(kSongFieldTempo, 80);
    AddSong(*old, "", 1);

    StyleDataPacket* fresh = NewStyle("a.sty");
    SongDataPacket* user = AddSong(*fresh, "tune", 2);
    AddSong(*fresh, "", 1);
    EXPECT_EQ(MergeSongsOnReanalysis(old, fresh), 0);
    EXPECT_EQ(user->Text(kSongFieldGenre), "Jazz");
    EXPECT_EQ(user->Number(kSongFieldTempo), 80);
    EXPECT_EQ(user->Text(kSongFieldTitle), "tune");
    // The old untitled song matched nothing, so it was carried over as a user song.
    ASSERT_EQ(fresh->songs.size(), 3u);
    EXPECT_EQ(fresh->songs[2]->Status(), 2);
}

}  // namespace
}  // namespace kelvane
