// The real style files beside the checkout: each analyses without a MIDI error and with the
// sections, songs and variations that an independent reading of its bytes shows
// (tests/analysis/style_facts.py printed the expectations below).
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/AnalyseTestEnv.h"

namespace kelvane {
namespace {

// file: VARIATIONS|CASM|OTS|MDB|SFF|stray bytes|songs|first song
constexpr std::pair<const char*, const char*> kExpected[] = {
    {"set-a/16BeatBallad2.S014.prs", "4M 3I 3E 5F 0B|Y|Y 4|Y 11|1|0|11|One Time When We Touch"},
    {"set-a/16beat.S556.prs", "4M 3I 3E 5F 0B|Y|Y 4|Y 11|1|0|11|Against All The Odds"},
    {"set-a/AfroCuban.S730.prs", "4M 3I 3E 5F 0B|Y|Y 4|Y 3|1|0|3|Let's Take The Caravan"},
    {"set-a/Cantabile.prs", "4M 3I 3E 5F 0B|Y|Y 4|Y 6|1|0|6|Never Give Up On You"},
    {"set-a/FastJazz.S741.sst", "4M 3I 3E 5F 0B|Y|Y 4|Y 4|1|0|4|As High As The Moon Can Be"},
    {"set-a/JazzRock_Cz2k.S563.sty", "4M 3I 3E 5F 0B|Y|Y 4|N|1|0|0|-"},
    {"set-a/JazzWaltzMed.S351.sst", "4M 3I 3E 5F 0B|Y|Y 4|Y 2|1|0|2|Blue Set Jazz"},
    {"set-a/JazzWaltzSlow.S423.prs", "4M 3I 3E 5F 0B|Y|Y 4|Y 1|1|0|1|Tender Waltz"},
    {"set-a/LingusFunk.S066.sty", "4M 3I 3E 5F 0B|Y|Y 4|N|1|0|0|-"},
    {"set-a/MediumJazz.S737.sst",
     "4M 3I 3E 5F 0B|Y|Y 4|Y 6|1|0|6|I See And Want You More And More"},
    {"set-a/PopBossa1.S629.prs", "4M 3I 3E 5F 0B|Y|Y 4|Y 5|1|0|5|You Are So Insensitive"},
    {"set-a/PopShuffle1.S552.prs", "4M 3I 3E 5F 0B|Y|Y 4|N|1|0|0|-"},
    {"set-a/SambaCity213.s460.sty", "4M 3I 3E 5F 0B|Y|Y 4|N|1|0|0|-"},
    {"set-a/Urban Funk.S066.STY", "4M 3I 3E 5F 0B|Y|Y 4|N|1|0|0|-"},
    {"set-b/AustinCityBlues_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/BluesOrganTrio_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/ClubJaz1_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/ClubJaz2_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/DoubleDip_E443.sty", "4M 2I 2E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/DuckGroove_E443.sty", "3M 2I 2E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/FunkNight_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/Funkhunters_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/FunkyFinger_E443.sty", "4M 2I 2E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/FunkyJump_E443.sty", "3M 2I 2E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/GirlsFolk_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/HeySixteen_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/HoldOnAMinute_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/JackDoesItAgain_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/JazzRock_Cz2k.S563.sty", "0M 0I 0E 0F 0B|Y|N|N|0|38543|0|-"},
    {"set-b/JumpinJiveOrgan_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/NightCruiser_E443.sty", "4M 4I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/OrganCruise_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/PopShuffle1.S552.prs", "0M 0I 0E 0F 0B|Y|N|N|0|7791|0|-"},
    {"set-b/SmoothItOver_E443.STY", "4M 3I 3E 4F 0B|Y|Y 4|N|1|0|0|-"},
    {"set-b/SmoothLeadJam_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/TalkShowBand_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/TenorToTheMAX_E443.sty", "4M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
    {"set-b/Thrust_E443.sty", "3M 3I 3E 5F 0B|Y|N|N|1|0|0|-"},
};

using StyleCorpusTest = test::AnalyseTest;

TEST_F(StyleCorpusTest, EveryFileShowsWhatItsBytesHold) {
    const std::filesystem::path corpus = test::StyleCorpusDir();
    if (corpus.empty()) {
        GTEST_SKIP() << "no style corpus beside the checkout (../shared/corpus/styles)";
    }
    for (const auto& [file, expected] : kExpected) {
        const std::filesystem::path path = corpus / file;
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        ASSERT_EQ(AnalyseFile(analyser, *record, path.string(), path.filename().string()), 0);
        EXPECT_EQ(Field(kFieldErrors).find("midi"), std::string::npos) << file;
        const std::string first(record->songs.empty() ? std::string_view("-")
                                                      : record->songs[0]->Text(kSongFieldTitle));
        EXPECT_EQ(StrFormat("%s|%s|%s|%s|%s|%d|%zu|%s", Field(kFieldVariations).c_str(),
                            Field(kFieldCasm).c_str(), Field(kFieldOts).c_str(),
                            Field(kFieldMdb).c_str(), Field(kFieldSff).c_str(),
                            analyser.Result().unexpectedBytes, record->songs.size(), first.c_str()),
                  expected)
            << file;
        // The next file starts from a fresh record.
        ReleaseStyleRecord(record);
        record = NewStyleRecord();
    }
}

TEST_F(StyleCorpusTest, IdenticalFilesShareTheirIds) {
    const std::filesystem::path corpus = test::StyleCorpusDir();
    if (corpus.empty()) {
        GTEST_SKIP() << "no style corpus beside the checkout (../shared/corpus/styles)";
    }
    std::vector<std::pair<int32_t, int32_t>> ids;
    for (const char* file : {"set-a/LingusFunk.S066.sty", "set-a/Urban Funk.S066.STY"}) {
        const std::filesystem::path path = corpus / file;
        ASSERT_EQ(AnalyseFile(analyser, *record, path.string(), path.filename().string()), 0);
        ids.emplace_back(record->Number(kFieldFileId), record->Number(kFieldRelatedId));
        EXPECT_NE(ids.back().second, 0);
    }
    EXPECT_EQ(ids[0], ids[1]);
}

}  // namespace
}  // namespace kelvane
