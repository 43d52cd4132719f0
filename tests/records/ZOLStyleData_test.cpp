#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "records/RecordsTestEnv.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

using test::RecordStoreTest;
class StyleRecordModes : public test::BothModesTest {};

StyleDataPacket* NewFile(std::string_view path, std::string_view name) {
    StyleDataPacket* record = NewStyleRecord();
    EXPECT_NE(record, nullptr);
    EXPECT_EQ(AssignStyleField(*record, kFieldPath, path), 0);
    EXPECT_EQ(AssignStyleField(*record, kFieldFilename, name), 0);
    return record;
}

SongDataPacket* AddSong(StyleDataPacket& record, std::string_view title, int status) {
    SongDataPacket* song = NewSongRecord();
    EXPECT_NE(song, nullptr);
    EXPECT_EQ(AssignSongField(*song, kSongFieldTitle, title), 0);
    song->SetNumber(kSongFieldStatus, status);
    AppendSong(record, song);
    return song;
}

TEST_P(StyleRecordModes, NewRecordFollowsTheCatalogueWithEmptyValues) {
    StyleDataPacket* record = NewStyleRecord();
    ASSERT_NE(record, nullptr);
    for (int id = 0; id < kStyleFieldCount; ++id) {
        EXPECT_EQ(record->slots[static_cast<size_t>(id)].id, id);
        EXPECT_EQ(record->TypeOf(id), FieldTypeOf(id)) << id;
        EXPECT_EQ(record->Text(id), "") << id;
        EXPECT_EQ(record->Number(id), 0) << id;
    }
    EXPECT_TRUE(record->songs.empty());
    EXPECT_EQ(record->Text(-1), "");
    EXPECT_EQ(record->Text(kStyleFieldCount), "");
    EXPECT_FALSE(record->SetNumber(kFieldFilename, 5));
    EXPECT_TRUE(record->SetNumber(kFieldTempo, 120));
    EXPECT_EQ(record->Number(kFieldTempo), 120);
}

TEST_P(StyleRecordModes, LetterFieldKeepsTheFirstCharacterAndPoolsTheWholeText) {
    StyleDataPacket* record = NewStyleRecord();
    const int letterField = kFieldCasm;  // CASM in style mode, LYRICS in midi mode
    ASSERT_EQ(record->TypeOf(letterField), FT_LETTER);
    EXPECT_EQ(AssignStyleField(*record, letterField, "Yes"), 0);
    EXPECT_EQ(record->Text(letterField), "Y");
    EXPECT_EQ(RecordStore().strings.Find(letterField, "Yes")->text, "Yes");
    EXPECT_EQ(AssignStyleField(*record, letterField, ""), 0);
    EXPECT_EQ(record->Text(letterField), "");
}

TEST_P(StyleRecordModes, RecordsOfOneFolderShareThePathButNotTheirChanges) {
    StyleDataPacket* a = NewFile("/music/pop/", "a.sty");
    StyleDataPacket* b = NewFile(std::string("/music/pop/"), "b.sty");
    EXPECT_EQ(a->Text(kFieldPath).data(), b->Text(kFieldPath).data());
    EXPECT_EQ(AssignStyleField(*a, kFieldPath, "/music/rock/"), 0);
    EXPECT_EQ(b->Text(kFieldPath), "/music/pop/");
    EXPECT_EQ(FullPathOf(a), "/music/rock/a.sty");
    EXPECT_EQ(FullPathOf(b), "/music/pop/b.sty");
    EXPECT_EQ(FullPathOf(static_cast<StyleDataPacket*>(nullptr)), "");
}

TEST_P(StyleRecordModes, ReleasedRecordsAreReusedWithoutNewAllocations) {
    std::vector<StyleDataPacket*> records;
    for (int i = 0; i < 600; ++i) {
        records.push_back(NewFile("/f/", "x" + std::to_string(i) + ".sty"));
    }
    const size_t allocated = RecordStore().stylePool.Allocated();
    for (StyleDataPacket* record : records) {
        ReleaseStyleRecord(record);
    }
    ReleaseStyleRecord(records[0]);  // a second release must not hand the packet out twice
    EXPECT_EQ(RecordStore().stylePool.FreeCount(), 600u);
    std::vector<StyleDataPacket*> again;
    for (int i = 0; i < 600; ++i) {
        again.push_back(NewStyleRecord());
        EXPECT_EQ(again.back()->Text(kFieldFilename), "");
        EXPECT_EQ(again.back()->Text(kFieldPath), "");
    }
    EXPECT_EQ(RecordStore().stylePool.Allocated(), allocated);
    std::sort(again.begin(), again.end());
    EXPECT_EQ(std::adjacent_find(again.begin(), again.end()), again.end());
}

INSTANTIATE_TEST_SUITE_P(Modes, StyleRecordModes, ::testing::Values(kRunModeStyle, kRunModeMidi),
                         test::ModeName);

TEST_F(RecordStoreTest, TextIntoANumberOrDateFieldIsAnInternalError) {
    test::CapturingSink sink;
    StyleDataPacket* record = NewStyleRecord();
    record->SetNumber(kFieldTempo, 96);
    EXPECT_EQ(AssignStyleField(*record, kFieldTempo, "120"), -13707);
    EXPECT_TRUE(sink.BoxContains("Internal Error - Illegal fieldtype in AssignStyleDataString 3"));
    EXPECT_EQ(record->Number(kFieldTempo), 96);
    EXPECT_EQ(sink.exits, std::vector<int>{1});  // an ERROR ends the program at debug level 1

    EXPECT_EQ(AssignStyleField(*record, kFieldFiledate, "2024-01-01 10:00"), -13707);
    EXPECT_TRUE(sink.BoxContains("AssignStyleDataString 5"));
    EXPECT_EQ(AssignStyleField(*record, 60, "x"), -13707);
    EXPECT_TRUE(sink.BoxContains("AssignStyleDataString 0"));
}

TEST_F(RecordStoreTest, RefusedPoolIsReportedAsMissingCommonString) {
    test::CapturingSink sink;
    StyleDataPacket* record = NewFile("/keep/", "k.sty");
    FieldSlot& path = record->slots[kFieldPath];
    EXPECT_EQ(AssignStyleDataString(path, "/other/", kStringPoolCount), -13908);
    EXPECT_TRUE(sink.BoxContains("Internal Error - Cannot get common string"));
    EXPECT_EQ(record->Text(kFieldPath), "/keep/");
}

TEST_F(RecordStoreTest, ResetClearsValuesAndFlagsButKeepsBatchAndKeepMarks) {
    StyleDataPacket* record = NewFile("/a/", "a.sty");
    AddSong(*record, "One", 1);
    record->SetDateText("2023-02-03 04:05");
    record->changed = record->removed = record->mdbChanged = 1;
    record->batchMark = record->keepMark = 1;
    record->selectionStamp = 4;
    EXPECT_EQ(ResetStyleRecord(record), 0);
    EXPECT_EQ(record->changed + record->removed + record->mdbChanged + record->selectionStamp, 0);
    EXPECT_EQ(record->batchMark, 1);
    EXPECT_EQ(record->keepMark, 1);
    EXPECT_EQ(record->Text(kFieldFilename), "");
    EXPECT_EQ(record->Text(kFieldFiledate), "");
    EXPECT_TRUE(record->songs.empty());
    EXPECT_EQ(RecordStore().songPool.InUse(), 0u);
    EXPECT_EQ(ResetStyleRecord(nullptr), -13700);

    // A record taken from the pool again starts without the marks of its previous file.
    ReleaseStyleRecord(record);
    StyleDataPacket* reused = NewStyleRecord();
    ASSERT_EQ(reused, record);
    EXPECT_EQ(reused->batchMark + reused->keepMark, 0);
}

TEST_F(RecordStoreTest, CopyHasOwnSongsAndReleasingItLeavesTheSourceIntact) {
    StyleDataPacket* src = NewFile("/src/", "source.sty");
    for (const char* title : {"One", "Two", "Three"}) {
        AddSong(*src, title, 1);
    }
    src->SetDateText("2020-12-31 23:59");
    src->changed = src->mdbChanged = 1;
    src->keepMark = src->batchMark = 1;
    src->selectionStamp = 6;

    StyleDataPacket* copy = WorkCopyOfStyleRecord(src);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(FullPathOf(copy), "/src/source.sty");
    EXPECT_EQ(copy->DateText(), "2020-12-31 23:59");
    EXPECT_EQ(copy->changed, 1);
    EXPECT_EQ(copy->mdbChanged, 1);
    EXPECT_EQ(copy->keepMark + copy->batchMark + copy->selectionStamp, 0);
    ASSERT_EQ(copy->songs.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(copy->songs[i]->parent, copy);
        EXPECT_NE(copy->songs[i], src->songs[i]);
        EXPECT_EQ(copy->songs[i]->Text(kSongFieldTitle), src->songs[i]->Text(kSongFieldTitle));
    }
    // The owned file name is a copy, not shared.
    EXPECT_EQ(AssignStyleField(*copy, kFieldFilename, "edited.sty"), 0);
    EXPECT_EQ(src->Text(kFieldFilename), "source.sty");

    ReleaseStyleRecord(copy);
    ASSERT_EQ(src->songs.size(), 3u);
    EXPECT_EQ(src->songs[2]->Text(kSongFieldTitle), "Three");
    EXPECT_EQ(src->songs[2]->parent, src);
    EXPECT_EQ(RecordStore().songPool.InUse(), 3u);

    // Copying a record onto itself keeps its songs.
    EXPECT_EQ(CopyStyleRecord(src, src), 0);
    EXPECT_EQ(src->songs.size(), 3u);
    EXPECT_EQ(CopyStyleRecord(nullptr, src), -13701);
    EXPECT_EQ(CopyStyleRecord(src, nullptr), -13701);
    EXPECT_EQ(WorkCopyOfStyleRecord(nullptr), nullptr);
    EXPECT_EQ(RecordStore().stylePool.InUse(), 1u);  // the failed work copy went back
}

TEST_F(RecordStoreTest, DateTextIsCutTo16Characters) {
    StyleDataPacket* record = NewStyleRecord();
    record->SetDateText("2024-05-06 07:08:09");
    EXPECT_EQ(record->Text(kFieldFiledate), "2024-05-06 07:08");
    record->SetDateText("");
    EXPECT_EQ(record->Text(kFieldFiledate), "");
}

TEST_F(RecordStoreTest, ClearAllRecordsRunsTheHookFirstThenEmptiesListAndPools) {
    RecordList& list = RecordStore().records;
    for (int i = 0; i < 5; ++i) {
        StyleDataPacket* record = NewFile("/dir" + std::to_string(i) + "/", "f.sty");
        AssignStyleField(*record, kFieldAuthor, "Someone");
        AddSong(*record, "Song", 1);
        list.Append(record);
    }
    size_t seenByHook = 0;
    SetClearRecordsHook([&] { seenByHook = list.size(); });
    ClearAllRecords();
    SetClearRecordsHook({});
    EXPECT_EQ(seenByHook, 5u);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(RecordStore().stylePool.InUse(), 0u);
    EXPECT_EQ(RecordStore().songPool.InUse(), 0u);
    for (int pool = 0; pool < kStringPoolCount; ++pool) {
        EXPECT_EQ(EnumerateFieldValues(pool, nullptr), nullptr) << pool;
    }
}

TEST_F(RecordStoreTest, RecordListKeepsOrderWhenRecordsMoveAndGo) {
    RecordList folder;
    RecordList all;
    std::vector<StyleDataPacket*> r;
    for (int i = 0; i < 4; ++i) {
        r.push_back(NewFile("/d/", std::to_string(i)));
        folder.Append(r.back());
    }
    EXPECT_TRUE(folder.MoveTo(r[1], all));
    EXPECT_FALSE(folder.MoveTo(r[1], all));
    EXPECT_TRUE(folder.Remove(r[2]));
    all.AppendList(folder);
    EXPECT_TRUE(folder.empty());
    EXPECT_EQ(all.Items(), (std::vector<StyleDataPacket*>{r[1], r[0], r[3]}));

    r[0]->removed = 1;
    r[3]->keepMark = 1;
    EXPECT_EQ(all.ReleaseIf([](const StyleDataPacket& x) { return x.removed != 0; }), 1u);
    EXPECT_EQ(all.Items(), (std::vector<StyleDataPacket*>{r[1], r[3]}));
    ClearKeepMarks(all);
    EXPECT_EQ(r[3]->keepMark, 0);
    all.ReleaseAll();
    ReleaseStyleRecord(r[2]);
    EXPECT_EQ(RecordStore().stylePool.InUse(), 0u);
}

}  // namespace
}  // namespace kelvane
