#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <tuple>

#include "analysis/ZOLGenre.h"
#include "support/NUVConfig.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

SearchTag Row(const std::string& tag, const std::string& type, const std::string& subtype,
              int priority) {
    SearchTag row;
    row.tag = tag;
    row.typeText = type;
    row.subtypeText = subtype;
    row.priority = priority;
    return row;
}

class Genre : public ::testing::Test {
  protected:
    void SetUp() override { ClearSearchTags(); }
    void TearDown() override { ClearSearchTags(); }
    void Add(const std::string& tag, const std::string& type, const std::string& subtype,
             int priority) {
        ASSERT_EQ(AddSearchTag(Row(tag, type, subtype, priority)), 0);
    }
};

TEST_F(Genre, TableIsSortedByPriorityAndStableAmongEquals) {
    Add("a", "First", "", 5);
    Add("b", "Second", "sub", 9);
    Add("c", "Third", "", 5);
    Add("d", "Fourth", "", -3);
    std::vector<std::string> order;
    for (const SearchTag& row : SearchTags()) {
        order.push_back(row.tag);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"B", "A", "C", "D"}));
    const SearchTag& first = SearchTags()[1];
    EXPECT_EQ(first.typeKey, "FIRST");
    EXPECT_EQ(first.subtypeText, "First");  // an empty subtype takes the type
    EXPECT_EQ(first.subtypeKey, "FIRST");
    EXPECT_EQ(SearchTags()[0].subtypeText, "sub");
    EXPECT_EQ(SearchTags()[0].subtypeKey, "SUB");
}

TEST_F(Genre, HitsAreCombinedInNameOrderWithTheLowestPriorityAsCertainty) {
    Add("SWING", "Swing", "Swing", 5);
    Add("JAZZ", "Jazz", "Jazz", 3);
    const GenreResult result = ClassifyGenre("Swing Jazz 1.sty", "");
    EXPECT_EQ(result.typeText, "Swing Jazz");
    EXPECT_EQ(result.subtypeText, "Swing Jazz");
    EXPECT_EQ(result.certainty, 3);
    const GenreResult reversed = ClassifyGenre("Jazz-Swing.sty", "");
    EXPECT_EQ(reversed.typeText, "Jazz Swing");
}

TEST_F(Genre, MatchedTextIsTakenOutBeforeLowerTagsLook) {
    Add("JAZZWALTZ", "Jazz", "Jazz Waltz", 90);
    Add("WALTZ", "Ballroom", "Waltz", 45);
    Add("JAZZ", "Jazz", "Jazz", 25);
    const GenreResult once = ClassifyGenre("JazzWaltz.sty", "");
    EXPECT_EQ(once.typeText, "Jazz");
    EXPECT_EQ(once.subtypeText, "Jazz Waltz");
    EXPECT_EQ(once.certainty, 90);
    // Only one occurrence goes per tag: the second waltz is still there for WALTZ.
    const GenreResult twice = ClassifyGenre("JazzWaltz Waltz.sty", "");
    EXPECT_EQ(twice.typeText, "Jazz Ballroom");
    EXPECT_EQ(twice.subtypeText, "Jazz Waltz Waltz");
    EXPECT_EQ(twice.certainty, 45);
}

TEST_F(Genre, RepeatedTypeOrSubtypeIsRefused) {
    Add("8BEAT", "Pop", "8 Beat", 50);
    Add("POP", "Pop", "Pop", 20);
    Add("BEATPOP", "Dance", "8 beat", 10);
    const GenreResult result = ClassifyGenre("8BeatPop Beatpop.sty", "");
    EXPECT_EQ(result.typeText, "Pop");
    EXPECT_EQ(result.subtypeText, "8 Beat");
    EXPECT_EQ(result.certainty, 50);
}

TEST_F(Genre, TagAboveOneHundredDecidesAlone) {
    Add("YESTERDAY", "Yesterday", "Traditional", 150);
    Add("DAY", "Day", "", 101);
    Add("YES", "Yes", "", 50);
    EXPECT_EQ(ClassifyGenre("Yes - Yesterday.mid", "").typeText, "Yesterday");
    // A decisive hit in the track names ends the walk before the name is searched.
    const GenreResult info = ClassifyGenre("Yes.mid", "Sunday");
    EXPECT_EQ(info.typeText, "Day");
    EXPECT_EQ(info.certainty, 101);
}

TEST_F(Genre, AlternativesAreAddedTogetherUpToAnEmptyType) {
    Add("SAMBAREGGAE", "Latin_Reggae", "Samba_Reggae", 85);
    Add("BEATLES", "", "The Beatles", 110);
    const GenreResult both = ClassifyGenre("SambaReggae.sty", "");
    EXPECT_EQ(both.typeText, "Latin Reggae");
    EXPECT_EQ(both.subtypeText, "Samba Reggae");
    const GenreResult artistOnly = ClassifyGenre("beatles.mid", "");
    EXPECT_EQ(artistOnly.typeText, "");
    EXPECT_EQ(artistOnly.subtypeText, "The Beatles");
}

TEST_F(Genre, EmptyTypeTextsLeaveNoStrayBlanks) {
    Add("ONE", "", "First", 10);
    Add("TWO", "", "Second", 10);
    Add("SONG", "Song", "", 5);
    const GenreResult result = ClassifyGenre("song one two.mid", "");
    EXPECT_EQ(result.typeText, "Song");
    EXPECT_EQ(result.subtypeText, "Song First Second");
}

TEST_F(Genre, AtMostSixtyFourHitsAreKept) {
    std::string name;
    for (int i = 0; i < 70; ++i) {
        const std::string tag = "Q" + std::to_string(1000 + i) + "Z";
        Add(tag, "T" + std::to_string(i), "", 100 - i);
        name += tag;
    }
    const GenreResult result = ClassifyGenre(name + ".sty", "");
    EXPECT_EQ(std::count(result.typeText.begin(), result.typeText.end(), ' '), 63);
    EXPECT_EQ(result.certainty, 100 - 63);
}

TEST_F(Genre, NameIsNormalisedAndOnlyItsLastExtensionDropped) {
    EXPECT_EQ(NormaliseForGenre("Rock'n'Roll - `60s_#1 ~^%@.x\tb"), "ROCKNROLL60S1XB");
    Add("S460", "Marker", "", 1);
    Add("STY", "Extension", "", 1);
    EXPECT_EQ(ClassifyGenre("SambaCity213.s460.sty", "").typeText, "Marker");
    EXPECT_EQ(ClassifyGenre("Sty", "").typeText, "Extension");
    EXPECT_EQ(ClassifyGenre("", "").certainty, 0);
}

TEST(SearchTagLine, FieldsAndTheirStatuses) {
    SearchTag row;
    EXPECT_EQ(ParseSearchTagLine(" slowrock , Rock , Slow Rock , 80 ", ',', true, 1, row), 0);
    EXPECT_EQ(row.tag, "slowrock");
    EXPECT_EQ(row.typeText, "Rock");
    EXPECT_EQ(row.subtypeText, "Slow Rock");
    EXPECT_EQ(row.priority, 80);
    EXPECT_EQ(ParseSearchTagLine("POLKA;Traditional", ';', true, 1, row), 0);
    EXPECT_EQ(row.subtypeText, "");
    EXPECT_EQ(row.priority, 1);
    EXPECT_EQ(ParseSearchTagLine("BEATLES,@,The Beatles", ',', false, 101, row), 0);
    EXPECT_EQ(row.typeText, "");
    EXPECT_EQ(row.priority, 101);
    EXPECT_EQ(ParseSearchTagLine("X,Y,Z,-4", ',', true, 1, row), 0);
    EXPECT_EQ(row.priority, -4);

    EXPECT_EQ(ParseSearchTagLine("   ", ',', true, 1, row), -10010);
    EXPECT_EQ(ParseSearchTagLine(" ,Rock", ',', true, 1, row), -13600);
    EXPECT_EQ(ParseSearchTagLine("ROCK", ',', true, 1, row), -13601);
    EXPECT_EQ(ParseSearchTagLine("ROCK,  ,x", ',', true, 1, row), -13601);
    EXPECT_EQ(ParseSearchTagLine("ROCK", ',', false, 101, row), 0);
    EXPECT_EQ(ParseSearchTagLine("ROCK,Rock,,0", ',', true, 1, row), -13602);
    EXPECT_EQ(ParseSearchTagLine("ROCK,Rock,,high", ',', true, 1, row), -13602);
}

// Style names with the genre the supplied table gives them: name, type, subtype.
using GenreCase = std::tuple<std::string, std::string, std::string>;
const std::vector<GenreCase>& ExpectedGenres() {
    static const std::vector<GenreCase> cases = {
        {"Bossa Nova 1.sty", "Latin", "Bossa Nova"},
        {"SlowRock.sty", "Rock", "Slow Rock"},
        {"JazzWaltz.sty", "Jazz", "Jazz Waltz"},
        {"8BeatPop.sty", "Pop", "8 Beat"},
        {"16BeatBallad.sty", "Ballad", "16 Beat Ballad"},
        {"Swing Jazz 1.sty", "Swing Jazz", "Swing Jazz"},
        {"Big Band Swing.sty", "Swing", "Big Band"},
        {"SwingFox.sty", "Ballroom", "Swing Fox"},
        {"Viennese Waltz.sty", "Ballroom", "Viennese Waltz"},
        {"Slow Waltz 2.sty", "Ballroom", "Slow Waltz"},
        {"CountryWaltz.prs", "Country", "Country Waltz"},
        {"Tango Argentino.sty", "Latin", "Tango Argentino"},
        {"Tango.sty", "Ballroom", "Tango"},
        {"Paso Doble.sty", "Ballroom", "Paso Doble"},
        {"ChaChaCha.sty", "Latin", "Cha Cha"},
        {"Cha Cha 2.sty", "Latin", "Cha Cha"},
        {"Rumba.sty", "Latin", "Rumba"},
        {"RumbaFlamenca.sty", "Latin", "Rumba Flamenca"},
        {"Salsa Cubana.sty", "Latin", "Salsa"},
        {"SambaReggae.sty", "Latin Reggae", "Samba Reggae"},
        {"Mambo No5.sty", "Latin", "Mambo"},
        {"Merengue.sty", "Latin", "Merengue"},
        {"Beguine.sty", "Latin", "Beguine"},
        {"Bolero.sty", "Latin", "Bolero"},
        {"Reggaeton.sty", "Latin", "Reggaeton"},
        {"Reggae.sty", "Reggae", "Reggae"},
        {"Latin Pop.sty", "Latin", "Latin Pop"},
        {"Polka.sty", "Traditional", "Polka"},
        {"Bavarian Polka.sty", "Traditional", "Bavarian Polka"},
        {"Musette.sty", "Traditional", "Musette"},
        {"Tarantella.sty", "Traditional", "Tarantella"},
        {"Sirtaki.sty", "Traditional", "Sirtaki"},
        {"Irish Jig.sty", "Celtic", "Irish Jig"},
        {"Scottish Reel.sty", "Celtic", "Scottish Reel"},
        {"March 6-8.sty", "March", "March"},
        {"Country Pop.sty", "Country", "Country Pop"},
        {"CountryShuffle.sty", "Country", "Country Shuffle"},
        {"Country Rock.sty", "Country", "Country Rock"},
        {"Bluegrass.sty", "Country", "Bluegrass"},
        {"Rock'n'Roll.sty", "Rock'n'Roll", "Rock'n'Roll"},
        {"Rock & Roll 2.sty", "Rock'n'Roll", "Rock'n'Roll"},
        {"Twist.sty", "Rock'n'Roll", "Twist"},
        {"BoogieWoogie.sty", "Rock'n'Roll", "Boogie Woogie"},
        {"Jive.sty", "Rock'n'Roll", "Jive"},
        {"Disco.sty", "Dance", "Disco"},
        {"DiscoFox.sty", "Dance", "Disco Fox"},
        {"Euro Dance.sty", "Dance", "Euro Dance"},
        {"Techno.sty", "Dance", "Techno"},
        {"Gospel.sty", "Gospel", "Gospel"},
        {"SoulBallad.sty", "Soul", "Soul Ballad"},
        {"Funk.sty", "Funk", "Funk"},
        {"Funk Rock.sty", "Funk Rock", "Funk Rock"},
        {"R&B Ballad.sty", "R&B Ballad", "R&B Ballad"},
        {"RnB.sty", "R&B", "R&B"},
        {"Hip Hop 1.sty", "Hip Hop", "Hip Hop"},
        {"Pop Rock.sty", "Rock", "Pop Rock"},
        {"Hard Rock.sty", "Rock", "Hard Rock"},
        {"Power Ballad.sty", "Ballad", "Power Ballad"},
        {"Unplugged Ballad.sty", "Pop Ballad", "Unplugged Ballad"},
        {"Jazz Ballad.sty", "Jazz", "Jazz Ballad"},
        {"Dixieland.sty", "Jazz", "Dixieland"},
        {"Schlager.sty", "Schlager", "Schlager"},
        {"Schlagerfox.sty", "Schlager", "Schlager Fox"},
        {"Foxtrot.sty", "Ballroom", "Foxtrot"},
        {"Quickstep.sty", "Ballroom", "Quickstep"},
        // The real style files of the test corpus.
        {"16BeatBallad2.S014.prs", "Ballad", "16 Beat Ballad"},
        {"16beat.S556.prs", "Pop", "16 Beat"},
        {"AfroCuban.S730.prs", "Latin", "Afro Cuban"},
        {"Cantabile.prs", "Ballad", "Cantabile"},
        {"FastJazz.S741.sst", "Jazz", "Fast Jazz"},
        {"JazzRock_Cz2k.S563.sty", "Jazz", "Jazz Rock"},
        {"JazzWaltzMed.S351.sst", "Jazz", "Jazz Waltz"},
        {"JazzWaltzSlow.S423.prs", "Jazz", "Jazz Waltz"},
        {"LingusFunk.S066.sty", "Funk", "Funk"},
        {"MediumJazz.S737.sst", "Jazz", "Medium Jazz"},
        {"PopBossa1.S629.prs", "Latin", "Pop Bossa"},
        {"PopShuffle1.S552.prs", "Pop", "Pop Shuffle"},
        {"SambaCity213.s460.sty", "Latin", "Samba"},
        {"Urban Funk.S066.STY", "Funk", "Urban Funk"},
        {"AustinCityBlues_E443.sty", "Blues", "Blues"},
        {"BluesOrganTrio_E443.sty", "Blues", "Blues"},
        {"ClubJaz1_E443.sty", "Jazz", "Club Jazz"},
        {"ClubJaz2_E443.sty", "Jazz", "Club Jazz"},
        {"DoubleDip_E443.sty", "", ""},
        {"DuckGroove_E443.sty", "Funk", "Groove"},
        {"FunkNight_E443.sty", "Funk", "Funk"},
        {"Funkhunters_E443.sty", "Funk", "Funk"},
        {"FunkyFinger_E443.sty", "Funk", "Funk"},
        {"FunkyJump_E443.sty", "Funk", "Funk"},
        {"GirlsFolk_E443.sty", "Folk", "Folk"},
        {"HeySixteen_E443.sty", "", ""},
        {"HoldOnAMinute_E443.sty", "", ""},
        {"JackDoesItAgain_E443.sty", "", ""},
        {"JumpinJiveOrgan_E443.sty", "Swing", "Jump Jive"},
        {"NightCruiser_E443.sty", "", ""},
        {"OrganCruise_E443.sty", "", ""},
        {"SmoothItOver_E443.STY", "", ""},
        {"SmoothLeadJam_E443.sty", "", ""},
        {"TalkShowBand_E443.sty", "", ""},
        {"TenorToTheMAX_E443.sty", "", ""},
        {"Thrust_E443.sty", "", ""},
    };
    return cases;
}

// The genre table supplied beside the program, read as the start-up reads it.
class SuppliedGenreTable : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearSearchTags();
        const std::string file = (test::SourceDir() / "data" / "kelvane.CFA").string();
        std::vector<std::string> problems;
        const StatusCode result = ReadConfigFile(
            file,
            [&problems](const std::string& keyword, const std::string& value, const std::string&,
                        int line, char separator) {
                SearchTag row;
                StatusCode status = EqualsIgnoreCase(keyword, "SEARCH_TAG")
                                        ? ParseSearchTagLine(value, separator, true, 1, row)
                                        : -1;
                if (status == 0) {
                    status = AddSearchTag(std::move(row));
                }
                if (status != 0) {
                    problems.push_back(std::to_string(line) + ": " + keyword);
                }
                return status;
            },
            '!', ',');
        ASSERT_EQ(result, 0);
        ASSERT_TRUE(problems.empty()) << problems.front();
    }
    void TearDown() override { ClearSearchTags(); }
};

TEST_F(SuppliedGenreTable, HoldsAFullGenreTable) {
    EXPECT_GE(SearchTags().size(), 150u);
    for (const SearchTag& row : SearchTags()) {
        EXPECT_EQ(NormaliseForGenre(row.tag), row.tag) << "tag can never match: " << row.tag;
        EXPECT_LE(row.priority, 100) << row.tag << " would stop the search in style mode";
    }
}

TEST_F(SuppliedGenreTable, ClassifiesRealisticStyleNames) {
    for (const auto& [name, type, subtype] : ExpectedGenres()) {
        const GenreResult result = ClassifyGenre(name, "");
        EXPECT_EQ(result.typeText, type) << name;
        EXPECT_EQ(result.subtypeText, subtype) << name;
        EXPECT_EQ(result.certainty == 0, type.empty()) << name;
    }
}

TEST_F(SuppliedGenreTable, TrackNamesCountLikeTheFileName) {
    const GenreResult result = ClassifyGenre("Style001.sty", "Bossa Nova Guitar");
    EXPECT_EQ(result.typeText, "Latin");
    EXPECT_EQ(result.subtypeText, "Bossa Nova");
}

TEST_F(SuppliedGenreTable, EveryCorpusFileNameIsCovered) {
    const std::filesystem::path corpus = test::StyleCorpusDir();
    if (corpus.empty()) {
        GTEST_SKIP() << "style corpus not present";
    }
    // Every real file name must have its expectation above.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name == "SOURCES.txt") {
            continue;
        }
        ++files;
        EXPECT_TRUE(std::any_of(ExpectedGenres().begin(), ExpectedGenres().end(),
                                [&name](const GenreCase& c) { return std::get<0>(c) == name; }))
            << name;
    }
    EXPECT_GT(files, 0u);
}

// The share of the names of tests/data/style-names.txt (invented, of the shapes style files
// carry) that get a genre, and of those whose types include the one a musician would give.
TEST_F(SuppliedGenreTable, TypicalStyleNamesGetTheTypeAMusicianWouldGive) {
    EXPECT_GE(SearchTags().size(), 400u);
    std::ifstream in(test::SourceDir() / "tests" / "data" / "style-names.txt");
    std::size_t names = 0;
    std::size_t classified = 0;
    std::size_t agreed = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        const std::string name = line.substr(0, tab);
        const std::string type = line.substr(tab + 1);
        const GenreResult result = ClassifyGenre(name, "");
        ++names;
        classified += result.certainty != 0 ? 1 : 0;
        // Types of several hits are joined by blanks; a type may itself hold blanks.
        const std::string types = " " + result.typeText + " ";
        const bool agrees = types.find(" " + type + " ") != std::string::npos;
        agreed += agrees ? 1 : 0;
        if (!agrees) {
            std::printf("  %s: %s / %s\n", name.c_str(), result.typeText.c_str(),
                        result.subtypeText.c_str());
        }
    }
    ASSERT_GE(names, 300u);
    std::printf("style names: %zu, classified %.1f %%, agreed %.1f %%\n", names,
                100.0 * classified / names, 100.0 * agreed / names);
    EXPECT_GE(classified * 100, names * 95);
    EXPECT_GE(agreed * 100, names * 95);
}

}  // namespace
}  // namespace kelvane
