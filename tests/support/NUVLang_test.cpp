#include <gtest/gtest.h>

#include <filesystem>

#include "support/NUVLang.h"
#include "support/ScopedEnv.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

class Translation : public ::testing::Test {
  protected:
    void SetUp() override { SetDebugLevel(0); }
    void TearDown() override {
        Lang().SetLanguage("eng");
        SetDebugLevel(1);
    }
    // Writes ZOL_<shortName>.lan into the program folder.
    void WriteLanguage(const std::string& shortName, const std::string& body,
                       const std::string& fullName = "Deutsch") {
        dir.Write("ZOL_" + shortName + ".lan", "LANGUAGE_SHORT_NAME = " + shortName +
                                                   "\nLANGUAGE_FULL_NAME = " + fullName +
                                                   " ! shown in the dialog\n" + body);
    }

    test::TempDir dir;
    test::ScopedEnv home{"KELVANE_HOME", dir.Folder()};
    test::CapturingSink sink;
};

TEST_F(Translation, EnglishShowsTextsAndTagDefaults) {
    EXPECT_EQ(Translate("@button_abort@&Abort"), "&Abort");
    EXPECT_EQ(Translate("Settings"), "Settings");
    EXPECT_EQ(Translate(""), "");
    EXPECT_EQ(Translate("@no end of tag"), "@no end of tag");
    EXPECT_EQ(ReverseTranslate("Einstellungen"), "Einstellungen");
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "eng");
    EXPECT_EQ(Lang().CurrentLanguageFullName(), "English");
}

TEST_F(Translation, TagTranslationWinsWhateverTheDefaultPartSays) {
    WriteLanguage("deu", "ORIG = @button_abort@&Abort\nTRNS = Ab&bruch\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_TRUE(Lang().Active());
    EXPECT_EQ(Translate("@button_abort@&Abort"), "Ab&bruch");
    EXPECT_EQ(Translate("@button_abort@Cancel"), "Ab&bruch");
    EXPECT_EQ(Translate("@BUTTON_ABORT@x"), "Ab&bruch");
    EXPECT_EQ(ReverseTranslate("Ab&bruch"), "@button_abort@");
}

TEST_F(Translation, MissingTagFallsBackToTheDefaultPartsTranslation) {
    WriteLanguage("deu", "ORIG = &Abort\nTRNS = Ab&bruch\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_EQ(Translate("@button_abort@&Abort"), "Ab&bruch");
    EXPECT_EQ(Translate("@button_other@&Close"), "&Close");
    EXPECT_EQ(Translate("Not in the file"), "Not in the file");
}

TEST_F(Translation, LookupIgnoresCaseAndTheFirstPairWins) {
    WriteLanguage("deu",
                  "ORIG = Copy\nTRNS = Kopieren\nORIG = COPY\nTRNS = Zweite\n"
                  "PROGRAM_VERSION = 4.5\nPROGRAM_SUBVERSION = 1\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_EQ(Lang().PairCount(), 2u);
    EXPECT_EQ(Translate("copy"), "Kopieren");
    EXPECT_EQ(ReverseTranslate("Zweite"), "COPY");
    EXPECT_EQ(ReverseTranslate("kopieren"), "kopieren");  // reverse lookups are exact
}

TEST_F(Translation, QuotesKeepOuterBlanksAndEscapesBecomeControlCharacters) {
    WriteLanguage("deu",
                  "ORIG = \" files\"\nTRNS = \"  Dateien \"\n"
                  "ORIG = Line one\\nLine\\ttwo\nTRNS = Zeile\\\\eins\\nZeile zwei\n"
                  "ORIG = Empty\nTRNS = \"\"\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_EQ(Translate(" files"), "  Dateien ");
    EXPECT_EQ(Translate("\" files\""), "  Dateien ");  // a quoted text is looked up unquoted
    EXPECT_EQ(Translate("Line one\nLine\ttwo"), "Zeile\\eins\nZeile zwei");
    EXPECT_EQ(Translate("Empty"), "Empty");
}

TEST_F(Translation, StoredTranslationHasNoFallBacks) {
    WriteLanguage("deu",
                  "ORIG = &Abort\nTRNS = Ab&bruch\nORIG = @button_ok@&OK\nTRNS = &OK\n"
                  "ORIG = \" files\"\nTRNS = \" Dateien\"\nORIG = Empty\nTRNS = \"\"\n");
    EXPECT_EQ(Lang().StoredTranslation("&Abort"), nullptr);  // English: nothing stored
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    // Translate shows "Ab&bruch" for the tagged text, but the tag itself is not in the file.
    EXPECT_EQ(Translate("@button_abort@&Abort"), "Ab&bruch");
    EXPECT_EQ(Lang().StoredTranslation("@button_abort@&Abort"), nullptr);
    ASSERT_NE(Lang().StoredTranslation("@BUTTON_OK@Okay"), nullptr);
    EXPECT_EQ(*Lang().StoredTranslation("@BUTTON_OK@Okay"), "&OK");  // a translation like its key
    ASSERT_NE(Lang().StoredTranslation("\" FILES\""), nullptr);
    EXPECT_EQ(*Lang().StoredTranslation("\" FILES\""), " Dateien");
    EXPECT_EQ(Lang().StoredTranslation("Empty"), nullptr);
    EXPECT_EQ(Lang().StoredTranslation("@no end of tag"), nullptr);
    EXPECT_EQ(Lang().StoredTranslation(""), nullptr);
}

TEST_F(Translation, VeryLongKeysCompareOnTheirFirst999Characters) {
    const std::string head(999, 'k');
    WriteLanguage("deu", "ORIG = " + head + "AAAA\nTRNS = lang\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_EQ(Translate(head + "BBBB"), "lang");
    EXPECT_EQ(Translate(head.substr(1)), head.substr(1));
}

TEST_F(Translation, TrnsWithoutOrigStopsReadingAndFallsBackToEnglish) {
    WriteLanguage("deu", "ORIG = Copy\nTRNS = Kopieren\nTRNS = Zweimal\n");
    EXPECT_EQ(Lang().SetLanguage("deu"), -1110);
    EXPECT_FALSE(Lang().Active());
    EXPECT_EQ(Lang().PairCount(), 0u);
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "eng");
    EXPECT_EQ(Translate("Copy"), "Copy");
}

TEST_F(Translation, EmptyNamesAndValuesHaveTheirOwnStatus) {
    dir.Write("ZOL_a.lan", "LANGUAGE_SHORT_NAME =\n");
    dir.Write("ZOL_b.lan", "LANGUAGE_FULL_NAME = ! none\n");
    dir.Write("ZOL_c.lan", "ORIG =\n");
    dir.Write("ZOL_d.lan", "ORIG = x\nTRNS =\n");
    EXPECT_EQ(Lang().SetLanguage("a"), -1106);
    EXPECT_EQ(Lang().SetLanguage("b"), -1107);
    EXPECT_EQ(Lang().SetLanguage("c"), -1108);
    EXPECT_EQ(Lang().SetLanguage("d"), -1109);
}

TEST_F(Translation, MissingFileWarnsAndUnknownKeywordsOnlyWarn) {
    EXPECT_EQ(Lang().SetLanguage("xyz"), -1105);
    EXPECT_TRUE(sink.BoxContains("Language file not found : " + dir.Folder() + "ZOL_xyz.lan"));
    WriteLanguage("deu", "COLOUR = blue\nORIG = Copy\nTRNS = Kopieren\n");
    EXPECT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_TRUE(sink.BoxContains("Unknown keyword in Cfg-File/Line Nr : "));
    EXPECT_EQ(Translate("Copy"), "Kopieren");
    EXPECT_EQ(Lang().CurrentLanguageFullName(), "Deutsch");
}

TEST_F(Translation, ChoosingEnglishDiscardsAllPairs) {
    WriteLanguage("deu", "ORIG = Copy\nTRNS = Kopieren\n");
    ASSERT_EQ(Lang().SetLanguage("deu"), 0);
    EXPECT_EQ(Lang().SetLanguage("ENG"), 0);
    EXPECT_EQ(Lang().PairCount(), 0u);
    EXPECT_EQ(Translate("Copy"), "Copy");
}

TEST_F(Translation, LanguageListStartsWithEnglishAndNeedsBothNames) {
    WriteLanguage("deu", "");
    WriteLanguage("fra", "", "Francais");
    dir.Write("ZOL_half.lan", "LANGUAGE_SHORT_NAME = half\n");
    dir.Write("readme.txt", "LANGUAGE_SHORT_NAME = txt\nLANGUAGE_FULL_NAME = Text\n");
    // Listed under its own names, but choosing it looks for ZOL_ita.lan, which is missing.
    dir.Write("italiano.lan", "LANGUAGE_SHORT_NAME = ita\nLANGUAGE_FULL_NAME = Italiano\n");
    ASSERT_EQ(Lang().ListLanguages(), 0);
    std::vector<std::string> full;
    for (const LanguageEntry& entry : Lang().Languages()) {
        full.push_back(entry.fullName);
    }
    EXPECT_EQ(full, (std::vector<std::string>{"English", "Deutsch", "Francais", "Italiano"}));
    EXPECT_EQ(Lang().SetLanguageByFullName("Italiano"), -1105);
    EXPECT_EQ(Lang().SetLanguageByFullName("Francais"), 0);
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "fra");
    EXPECT_EQ(Lang().SetLanguageByFullName("Klingon"), 0);
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "eng");
}

TEST_F(Translation, LanguageListHoldsAtMostFiftyEntries) {
    for (int i = 0; i < 60; ++i) {
        WriteLanguage("l" + std::to_string(i), "", "Lang" + std::to_string(i));
    }
    ASSERT_EQ(Lang().ListLanguages(), 0);
    EXPECT_EQ(Lang().Languages().size(), 50u);
    EXPECT_EQ(Lang().Languages().front().shortName, "eng");
}

TEST_F(Translation, InitialSelectionFileIsUsedOnce) {
    EXPECT_EQ(Lang().InitialLanguageSelection(), -1114);
    WriteLanguage("deu", "ORIG = Copy\nTRNS = Kopieren\n");
    dir.Write("ZOL.ldf", "! left by the installer\nINITIAL_LANGUAGE = deu extra\n");
    EXPECT_EQ(Lang().InitialLanguageSelection(), 0);
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "deu");
    EXPECT_EQ(Translate("Copy"), "Kopieren");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "ZOL.ldf"));
    EXPECT_EQ(Lang().InitialLanguageSelection(), -1114);
}

TEST_F(Translation, InitialSelectionOfAMissingLanguageReportsItsStatus) {
    dir.Write("ZOL.ldf", "INITIAL_LANGUAGE = xyz\nOTHER = 1\n");
    EXPECT_EQ(Lang().InitialLanguageSelection(), -1105);
    EXPECT_TRUE(sink.BoxContains("Unknown keyword in Cfg-File/Line Nr : "));
    EXPECT_EQ(Lang().CurrentLanguageShortName(), "eng");
}

TEST_F(Translation, EveryShownTextIsRecordedOnce) {
    const std::string file = dir.Folder() + "shown.txt";
    RecordTranslationsTo(file);
    Translate("@button_abort@&Abort");
    Translate("Two\nlines");
    Translate("@button_abort@&Abort");
    RecordTranslationsTo(file);  // a second run keeps the list and adds only new texts
    Translate("Two\nlines");
    Translate("Tab\there");
    RecordTranslationsTo("");
    Translate("not recorded");
    EXPECT_EQ(dir.Read("shown.txt"), "@button_abort@&Abort\nTwo\\nlines\nTab\\there\n");
}

}  // namespace
}  // namespace kelvane
