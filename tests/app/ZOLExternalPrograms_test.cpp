// Starting external programs on the selected file: the one argument they get, the karaoke
// fallback, and the refusals that start nothing. The "programs" are shell scripts that write
// their argument count and arguments into a file.
#include "app/ZOLExternalPrograms.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/AppTestEnv.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {
namespace {

using ::testing::ElementsAre;

class ExternalProgramsTest : public test::AppFixture {
  protected:
    void TearDown() override {
        ListViewMgr().ClearBothLists();
        AppFixture::TearDown();
    }
    void StartWithList(std::vector<std::string> args = {}) {
        Start(std::move(args));
        ListViewMgr().RegisterList(ListKind::Files, nullptr);
        ListViewMgr().RegisterList(ListKind::Songs, nullptr);
        ListViewMgr().ShowFileList();
    }
    // A record of `name` in the files folder (the file itself need not exist).
    void AddRecord(const std::string& name) {
        StyleDataPacket* record = NewStyleRecord();
        ASSERT_NE(record, nullptr);
        AssignStyleField(*record, kFieldPath, files.Folder());
        AssignStyleField(*record, kFieldFilename, name);
        RecordStore().records.Append(record);
        ListViewMgr().ForceRebuild(false, nullptr, false);
    }
    void SelectAll() { ListViewMgr().SelectAll(); }
    // A script that records its arguments in "<script>.args".
    std::string Program(const std::string& name) {
        const std::string path = dir.Write(
            name,
            "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > "
            "\"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n");
        chmod(path.c_str(), 0755);
        return path;
    }
    // The lines the program wrote: argument count, then each argument (waits a moment for the
    // detached program; empty when it never ran).
    static std::vector<std::string> Arguments(const std::string& program) {
        const std::filesystem::path file = program + ".args";
        for (int i = 0; i < 500 && !std::filesystem::exists(file); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::vector<std::string> lines;
        std::string text = std::filesystem::exists(file) ? test::ReadFileBytes(file) : "";
        for (size_t start = 0; start < text.size();) {
            const size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return lines;
    }
    bool Ran(const std::string& program) const {
        return std::filesystem::exists(program + ".args");
    }

    test::TempDir files;
};

TEST_F(ExternalProgramsTest, PlayerGetsThePathAsItsOnlyArgumentUnquoted) {
    StartWithList();
    const std::string player = Program("player");
    Config().player1 = player;
    AddRecord("My \"best\" style; $(rm).sty");
    SelectAll();
    EXPECT_TRUE(PlaySelectedFile(1));
    EXPECT_THAT(Arguments(player),
                ElementsAre("1", files.Folder() + "My \"best\" style; $(rm).sty"));
    EXPECT_EQ(panes.texts.back(), "0:Starting player...");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ExternalProgramsTest, EditorsAndDumpGetTheSameSingleArgument) {
    StartWithList();
    const std::string casm = Program("casm");
    const std::string dump = Program("dump");
    Config().casmEditor = casm;
    Config().dumpProgram = dump;
    AddRecord("a b.sty");
    SelectAll();
    EXPECT_TRUE(EditSelectedFile(EditorChoice::Casm));
    EXPECT_EQ(panes.texts.back(), "0:Starting CASM editor...");
    EXPECT_TRUE(DumpSelectedFile());
    EXPECT_THAT(Arguments(casm), ElementsAre("1", files.Folder() + "a b.sty"));
    EXPECT_THAT(Arguments(dump), ElementsAre("1", files.Folder() + "a b.sty"));
}

TEST_F(ExternalProgramsTest, RefusalsStartNothing) {
    StartWithList();
    const std::string player = Program("player");
    EXPECT_FALSE(PlaySelectedFile(1));  // no row selected
    AddRecord("a.sty");
    AddRecord("b.sty");
    SelectAll();
    EXPECT_FALSE(PlaySelectedFile(2));  // two rows
    ListViewMgr().CurrentList()->ClearSelection();
    ListViewMgr().CurrentList()->Select(0);
    EXPECT_FALSE(PlaySelectedFile(2));  // player 2 not specified
    Config().player2 = dir.Folder() + "gone";
    EXPECT_FALSE(PlaySelectedFile(2));
    EXPECT_FALSE(EditSelectedFile(EditorChoice::Editor1));
    Config().dumpProgram = dir.Folder() + "gone";
    EXPECT_FALSE(DumpSelectedFile());
    EXPECT_THAT(
        dialogs.boxes,
        ElementsAre("Please select one style for playing.",
                    "Please select only one style for playing.",
                    "Style player program not specified.\nYou need an external style "
                    "player.\nPlease specify one using Edit/Settings from the Edit menu.",
                    "Style player program not found.\nPlease specify one using Edit/Settings "
                    "from the Edit menu.",
                    "Style editor program not specified.\nYou need an external style "
                    "editor.\nPlease specify one using Edit/Settings from the Edit menu.",
                    "Dump program not found.\nPlease specify one using Edit/Settings from the "
                    "Edit menu."));
    EXPECT_FALSE(Ran(player));
}

TEST_F(ExternalProgramsTest, EditChecksTheProgramBeforeTheSelection) {
    StartWithList({"-m"});
    Config().editor2 = Program("editor");
    EXPECT_FALSE(EditSelectedFile(EditorChoice::Editor2));
    Config().editor2.clear();
    EXPECT_FALSE(EditSelectedFile(EditorChoice::Editor2));
    EXPECT_THAT(dialogs.boxes,
                ElementsAre("Please select one midi file for editing.",
                            "Midi editor program not specified.\nYou need an external midi "
                            "editor (sequencer).\nPlease specify one using Edit/Settings from "
                            "the Edit menu."));
}

TEST_F(ExternalProgramsTest, KaraokeFileFallsBackToTheMidiPlayer) {
    StartWithList({"-m"});
    const std::string player = Program("player");
    const std::string karaoke = Program("karaoke");
    Config().player1 = player;
    Config().karaokePlayer = dir.Folder() + "no-karaoke";
    Config().useShortNamesForMidiPlayer = 1;  // no short names here: the path as it is
    AddRecord("Sing Along.KAR");
    SelectAll();
    EXPECT_TRUE(PlaySelectedFile(1));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_THAT(dialogs.boxes[0], ::testing::StartsWith("Karaoke player program not found."));
    EXPECT_THAT(Arguments(player), ElementsAre("1", files.Folder() + "Sing Along.KAR"));
    // With the karaoke player there, it plays the file; the midi player is not asked.
    Config().karaokePlayer = karaoke;
    std::filesystem::remove(player + ".args");
    EXPECT_TRUE(PlaySelectedFile(1));
    EXPECT_THAT(Arguments(karaoke), ElementsAre("1", files.Folder() + "Sing Along.KAR"));
    EXPECT_FALSE(Ran(player));
}

TEST_F(ExternalProgramsTest, ProgramThatCannotRunIsReported) {
    StartWithList();
    Config().player1 = dir.Write("not-executable", "plain text\n");
    AddRecord("a.sty");
    SelectAll();
    EXPECT_FALSE(PlaySelectedFile(1));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_THAT(dialogs.boxes[0], ::testing::HasSubstr("cannot be started"));
}

TEST_F(ExternalProgramsTest, PlayUsesTheBuiltInPlayerUnlessAnExternalOneIsNamed) {
    StartWithList({"-m"});
    ConfigValues config;
    EXPECT_TRUE(PlaysWithBuiltInPlayer(1, config, "song.mid"));   // nothing named
    EXPECT_FALSE(PlaysWithBuiltInPlayer(2, config, "song.mid"));  // Play 2 is external only
    config.karaokePlayer = "/opt/karaoke";
    EXPECT_FALSE(PlaysWithBuiltInPlayer(1, config, "song.KAR"));
    EXPECT_TRUE(PlaysWithBuiltInPlayer(1, config, "song.mid"));
    config.player1 = "/opt/player";
    EXPECT_FALSE(PlaysWithBuiltInPlayer(1, config, "song.mid"));
    config.playWith = 1;  // "Play with: built-in player" wins over the named ones
    EXPECT_TRUE(PlaysWithBuiltInPlayer(1, config, "song.KAR"));

    // Through the command: the built-in player gets the selected file, or the named player does.
    AddRecord("a.mid");
    SelectAll();
    std::vector<std::string> played;
    const BuiltInPlayer builtIn = [&played](const std::string& path) {
        played.push_back(path);
        return true;
    };
    EXPECT_TRUE(PlaySelectedFile(1, builtIn));
    const std::string player = Program("player");
    Config().player1 = player;
    EXPECT_TRUE(PlaySelectedFile(1, builtIn));
    EXPECT_THAT(played, ElementsAre(files.Folder() + "a.mid"));
    EXPECT_THAT(Arguments(player), ElementsAre("1", files.Folder() + "a.mid"));
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace kelvane
