// The help pages in help/: every page the program opens exists in the folder of its run mode and
// language, and the pages hold together (UTF-8, the shared style sheet, their folder's language,
// links and anchors that resolve, elements closed in order).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "AppTestEnv.h"
#include "app/ZOLHelpTopics.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

fs::path HelpSource() {
    return test::SourceDir() / "help";
}

// The pages the program opens: Help Topics, F1 in the main window and in each settings page,
// and the Help buttons of the dialogs. The song dialogs exist in style mode only.
std::vector<std::string> TopicsOf(bool midi) {
    std::vector<std::string> pages = {help::kTopics,
                                      help::kQuickStart,
                                      help::kSettingsFolders,
                                      help::kSettingsPlayers,
                                      help::kSettingsEditors,
                                      help::kSettingsTools,
                                      help::kSettingsFunctionKeys,
                                      help::kSettingsView,
                                      help::kSettingsMiscellaneous,
                                      help::kFilterStyles,
                                      help::kModifyDialog,
                                      help::kColumns,
                                      help::kCdroms};
    if (!midi) {
        pages.insert(pages.end(), {help::kFilterSongs, help::kModifySongDialog});
    }
    return pages;
}

struct HelpPage {
    fs::path path;
    std::string folder;  // e.g. "kelvaneMIDI_deu"
    std::string text;
};

std::vector<HelpPage> AllPages() {
    std::vector<HelpPage> pages;
    for (const fs::directory_entry& folder : fs::directory_iterator(HelpSource())) {
        if (!folder.is_directory()) {
            continue;
        }
        for (const fs::directory_entry& file : fs::directory_iterator(folder.path() / "html")) {
            pages.push_back(
                {file.path(), folder.path().filename().string(), test::ReadFileBytes(file.path())});
        }
    }
    return pages;
}

bool IsUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t extra = byte < 0x80             ? 0
                             : (byte & 0xE0) == 0xC0 ? 1
                             : (byte & 0xF0) == 0xE0 ? 2
                             : (byte & 0xF8) == 0xF0 ? 3
                                                     : 4;
        if (extra == 4 || (extra == 1 && byte < 0xC2) || extra >= text.size() - i) {
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += extra + 1;
    }
    return true;
}

// The first element left open or closed out of order, or empty when all are closed in order.
std::string FirstUnbalancedElement(const std::string& text) {
    static const std::set<std::string> kVoid = {"meta", "link", "br", "img", "hr", "input"};
    static const std::regex kTag(R"(<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*>)");
    std::vector<std::string> open;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kTag);
         it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[2];
        if (kVoid.contains(name)) {
            continue;
        }
        if ((*it)[1].length() == 0) {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            return "</" + name + ">";
        } else {
            open.pop_back();
        }
    }
    return open.empty() ? std::string() : "<" + open.back() + ">";
}

class HelpPages : public test::AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        dir.Write("ZOL_deu.lan", "LANGUAGE_SHORT_NAME = deu\nLANGUAGE_FULL_NAME = Deutsch\n");
        fs::create_directory_symlink(HelpSource(), dir.Path() / "help");
    }
};

TEST_F(HelpPages, EveryTopicOpensAPageInTheFolderOfItsModeAndLanguage) {
    for (const bool midi : {false, true}) {
        Start(midi ? std::vector<std::string>{"-m"} : std::vector<std::string>{});
        for (const std::string language : {"eng", "deu"}) {
            ASSERT_EQ(Lang().SetLanguage(language), 0);
            // German pages of their own, not the English fallback.
            const std::string folder =
                dir.Folder() + "help/kelvane" + (midi ? "MIDI" : "") + "_" + language + "/html/";
            for (const std::string& page : TopicsOf(midi)) {
                const std::string file = HelpPageFile(page);
                EXPECT_EQ(file, folder + page);
                EXPECT_TRUE(fs::is_regular_file(file)) << file;
            }
        }
    }
}

TEST(HelpPageFiles, BothLanguagesOfAModeHoldTheSamePages) {
    std::map<std::string, std::set<std::string>> names;
    for (const HelpPage& page : AllPages()) {
        names[page.folder].insert(page.path.filename().string());
    }
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names["kelvane_eng"], names["kelvane_deu"]);
    EXPECT_EQ(names["kelvaneMIDI_eng"], names["kelvaneMIDI_deu"]);
}

TEST(HelpPageFiles, PagesAreUtf8InTheLanguageOfTheirFolderWithTheSharedStyleSheet) {
    ASSERT_TRUE(fs::is_regular_file(HelpSource() / "help.css"));
    for (const HelpPage& page : AllPages()) {
        SCOPED_TRACE(page.path.string());
        const bool german = page.folder.ends_with("_deu");
        EXPECT_TRUE(IsUtf8(page.text));
        EXPECT_NE(page.text.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_NE(page.text.find(german ? "<html lang=\"de\">" : "<html lang=\"en\">"),
                  std::string::npos);
        EXPECT_NE(page.text.find("<link rel=\"stylesheet\" href=\"../../help.css\">"),
                  std::string::npos);
        EXPECT_EQ(FirstUnbalancedElement(page.text), "");
    }
}

TEST(HelpPageFiles, EveryLinkAndAnchorResolves) {
    static const std::regex kHref(R"(href="([^"#]*)(#([^"]*))?")");
    for (const HelpPage& page : AllPages()) {
        for (auto it = std::sregex_iterator(page.text.begin(), page.text.end(), kHref);
             it != std::sregex_iterator(); ++it) {
            const std::string target = (*it)[1];
            const std::string anchor = (*it)[3];
            SCOPED_TRACE(page.path.string() + " -> " + (*it)[0].str());
            ASSERT_EQ(target.find(':'), std::string::npos) << "links stay inside the help";
            const fs::path file = target.empty() ? page.path : page.path.parent_path() / target;
            ASSERT_TRUE(fs::is_regular_file(file));
            if (!anchor.empty()) {
                EXPECT_NE(test::ReadFileBytes(file).find("id=\"" + anchor + "\""),
                          std::string::npos);
            }
        }
    }
}

TEST(HelpPageFiles, TheCheckersSeeBrokenPages) {
    EXPECT_EQ(FirstUnbalancedElement("<p><b>x</p></b>"), "</p>");
    EXPECT_EQ(FirstUnbalancedElement("<table><tr><td>x</td></tr>"), "<table>");
    EXPECT_EQ(FirstUnbalancedElement("<p>a<br>b <meta charset=\"utf-8\"></p>"), "");
    EXPECT_TRUE(
        IsUtf8("Gr\xC3\xB6\xC3\x9F"
               "e \xE2\x80\x93 ok"));
    EXPECT_FALSE(
        IsUtf8("Gr\xF6\xDF"
               "e"));                      // Windows-1252
    EXPECT_FALSE(IsUtf8("cut \xE2\x80"));  // sequence cut off at the end
    EXPECT_FALSE(IsUtf8("\xC0\xAF"));      // overlong
}

}  // namespace
}  // namespace kelvane
