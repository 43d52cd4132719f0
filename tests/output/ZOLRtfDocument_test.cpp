#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "output/FakeTableView.h"
#include "output/OutputLimits.h"
#include "output/ZOLRtfDocument.h"
#include "output/ZOLRtfEscape.h"
#include "support/NUVStatus.h"
#include "support/TestEnv.h"
#include "support/ZOLDisplayText.h"

namespace kelvane {
namespace {

const char* const kPortraitLine =
    R"(\paperw11906\paperh16838\margl1134\margr567\margt851\margb851 \widowctrl\ftnbj\aenddoc\makebackup\hyphcaps0\formshade\viewkind1\viewscale100\pgbrdrhead\pgbrdrfoot \fet0\sectd )";

// The document's lines; every line must end with CR LF and no other line break may occur.
std::vector<std::string> Lines(const std::string& document) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = document.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(document.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(start, document.size()) << "text after the last CR LF";
    return lines;
}

long Count(const std::vector<std::string>& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

// Group depth never drops below zero and ends at zero, escapes ("\\", "\{", "\}") skipped.
bool BracesBalanced(const std::string& text) {
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '{' && ++depth < 0) {
            return false;
        } else if (text[i] == '}' && --depth < 0) {
            return false;
        }
    }
    return depth == 0;
}

// Reads escaped text back into code points, as an RTF reader with \uc1 would.
std::u32string Unescape(const std::string& rtf) {
    std::u32string out;
    char16_t high = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] != '\\') {
            out += static_cast<unsigned char>(rtf[i]);
        } else if (rtf[i + 1] == '\'') {
            out += static_cast<char32_t>(std::stoi(rtf.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else if (rtf[i + 1] == 'u') {
            size_t length = 0;
            const auto unit = static_cast<char16_t>(std::stoi(rtf.substr(i + 2), &length));
            i += 2 + length;  // the "?" after the number is skipped
            if (unit >= 0xD800 && unit < 0xDC00) {
                high = unit;
            } else if (unit >= 0xDC00 && unit < 0xE000) {
                out += 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00);
            } else {
                out += unit;
            }
        } else {
            out += static_cast<unsigned char>(rtf[++i]);
        }
    }
    return out;
}

FieldTicks AllTicked() {
    return FieldTicks().set();
}

class RtfDocumentTest : public ::testing::Test {
  protected:
    RtfDocumentTest() {
        table.AddColumn("Style Name", 100, 1);
        table.AddColumn("Size", 50, 5, ColumnAlignment::Right);
        page = {"My Styles", PaperOrientation::Landscape, "/home/u/Styles/", "Filter: TEMPO>100"};
    }
    std::vector<std::string> Build(const FieldTicks& ticks = AllTicked()) {
        std::string document;
        EXPECT_EQ(BuildRtfDocument(&table, ticks, page, document), 0);
        EXPECT_TRUE(BracesBalanced(document));
        return Lines(document);
    }
    test::FakeTableView table;
    RtfPageText page;
};

TEST_F(RtfDocumentTest, EmptyListGivesTitleBlockAndHeaderRowOnly) {
    const std::vector<std::string> lines = Build();
    const auto title = std::find(lines.begin(), lines.end(), "My Styles");
    ASSERT_NE(title, lines.end());
    const std::vector<std::string> titleBlock(title, title + 8);
    EXPECT_EQ(titleBlock, (std::vector<std::string>{"My Styles", R"(\par })", R"({\f1\lang1033 )",
                                                    "Path: /home/u/Styles/", R"(\par )",
                                                    "Filter: TEMPO>100", R"(\par )", R"(\par })"}));
    EXPECT_EQ(Count(lines, R"(\pard \widctlpar\intbl\adjustright {\f1\lang1033 \row })"), 1);
    EXPECT_EQ(Count(lines, R"(\clbrdrb\brdrs\brdrw40)"), 2);
    EXPECT_EQ(Count(lines, R"(\clbrdrb\brdrs\brdrw15)"), 0);
    EXPECT_EQ(lines.front().rfind(R"({\rtf1\ansi\ansicpg1252\uc1 )", 0), 0u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{R"(\pard \widctlpar\adjustright {\f1\lang1033 )",
                                        R"(\par })", "}"}));
}

TEST_F(RtfDocumentTest, CellEdgesRunOverTheColumnsOfEachRow) {
    table.rows = {{"Pop 1", "1024"}, {"Pop 2", "2048"}};
    const std::vector<std::string> lines = Build();
    EXPECT_EQ(Count(lines, R"(\cellx1750)"), 3);
    EXPECT_EQ(Count(lines, R"(\cellx2625)"), 3);
    EXPECT_EQ(Count(lines, R"(\clbrdrb\brdrs\brdrw15)"), 4);
    // A data row's cells: alignment opener, text, "\cell ", " }".
    const auto cell = std::find(lines.begin(), lines.end(), "2048");
    ASSERT_NE(cell, lines.begin());
    EXPECT_EQ(*(cell - 1), R"({\qr\f1\lang1033 )");
    EXPECT_EQ(*(cell + 1), R"(\cell )");
    EXPECT_EQ(*(cell + 2), " }");
}

TEST_F(RtfDocumentTest, PageLineFollowsOrientation) {
    EXPECT_EQ(Count(Build(), kPortraitLine), 0);
    page.orientation = PaperOrientation::Portrait;
    const std::vector<std::string> lines = Build();
    EXPECT_EQ(Count(lines, kPortraitLine), 1);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find(R"(\lndscpsxn)"), std::string::npos);
    }
}

TEST_F(RtfDocumentTest, OnlyTickedColumnsAreWrittenWithTheirOwnEdges) {
    table.AddColumn("Folder", 200, 3, ColumnAlignment::Centre);
    table.rows = {{"Pop 1", "1024", "/x/"}};
    FieldTicks ticks;
    ticks.set(3).set(5);
    const std::vector<std::string> lines = Build(ticks);
    EXPECT_EQ(Count(lines, "Style Name") + Count(lines, "Pop 1"), 0);
    EXPECT_EQ(Count(lines, "Size"), 1);
    EXPECT_EQ(Count(lines, R"({\qc\f1\lang1033 )"), 2);
    EXPECT_EQ(Count(lines, R"(\cellx875)"), 2);   // 50 px
    EXPECT_EQ(Count(lines, R"(\cellx4375)"), 2);  // + 200 px
}

TEST_F(RtfDocumentTest, TextsAreEscapedAndCutAt254Bytes) {
    page.startFolder = "C:\\Styles\\";
    table.rows = {{"C:\\Styles", "{x}"},
                  {std::string(300, 'a'), "\xC3\xA9" + std::string(300, 'b')}};
    const std::vector<std::string> lines = Build();
    EXPECT_EQ(Count(lines, R"(Path: C:\\Styles\\)"), 1);
    EXPECT_EQ(Count(lines, R"(C:\\Styles)"), 1);
    EXPECT_EQ(Count(lines, R"(\{x\})"), 1);
    EXPECT_EQ(Count(lines, std::string(254, 'a')), 1);
    EXPECT_EQ(Count(lines, R"(\'e9)" + std::string(252, 'b')), 1);
}

TEST(RtfEscape, DecodesUtf8OrWindows1252) {
    EXPECT_EQ(RtfEscape("Caf\xC3\xA9"), R"(Caf\'e9)");
    EXPECT_EQ(RtfEscape("Caf\xE9"), R"(Caf\'e9)");
    EXPECT_EQ(RtfEscape("\xE2\x82\xAC 5"), R"(\u8364? 5)");
    EXPECT_EQ(RtfEscape("\x80 5"), R"(\u8364? 5)");
    EXPECT_EQ(RtfEscape("\xD0\x96"), R"(\u1046?)");
    EXPECT_EQ(RtfEscape("\xEF\xBC\xA1"), R"(\u-223?)");                // U+FF21 as signed 16 bits
    EXPECT_EQ(RtfEscape("\xF0\x9F\x8E\xB5"), R"(\u-10180?\u-8267?)");  // U+1F3B5, surrogates
    EXPECT_EQ(RtfEscape(std::string("a\tb\0c", 5)), R"(a\u9?b\u0?c)");
    // Not UTF-8 (bad lead byte): each byte read as Windows-1252.
    EXPECT_EQ(RtfEscape("\xC0\x9B"), R"(\'c0\u8250?)");
}

TEST(RtfEscape, AnyBytesGivePrintableAsciiThatReadsBackAsShown) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    // Odd rounds: random bytes (read as Windows-1252); even rounds: valid UTF-8 mixes.
    const char* const pieces[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x8E\xB5", "{", "}", "\\",
                                  "a"};
    unsigned seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string bytes = round == 0 ? all : std::string();
        for (int i = 0; i < 40 && round > 0; ++i) {
            seed = seed * 1103515245u + 12345u;
            const unsigned r = seed >> 16;
            bytes += round % 2 ? std::string(1, static_cast<char>(r & 0xFF)) : pieces[r % 7];
        }
        const std::string escaped = RtfEscape(bytes);
        EXPECT_EQ(Unescape(escaped), DecodeDisplayText(bytes)) << escaped;
        EXPECT_TRUE(BracesBalanced("{" + escaped + "}")) << escaped;
        EXPECT_TRUE(std::all_of(escaped.begin(), escaped.end(), [](char c) {
            return c >= 0x20 && c < 0x7F;
        })) << escaped;
    }
}

TEST_F(RtfDocumentTest, UnreadableListsAreRefused) {
    std::string document;
    test::CapturingSink sink;
    EXPECT_EQ(BuildRtfDocument(nullptr, AllTicked(), page, document), status::kRtfNoList);
    EXPECT_TRUE(sink.BoxContains("No ptr to listctrl - Cannot get data for output to rtf file"));
    table.unreadableColumn = 1;
    EXPECT_EQ(BuildRtfDocument(&table, AllTicked(), page, document), status::kRtfHeaderUnreadable);
    table.headerMissing = true;
    EXPECT_EQ(BuildRtfDocument(&table, AllTicked(), page, document), status::kRtfNoHeader);
    table.headerMissing = false;
    table.unreadableColumn = -1;
    while (table.columns.size() <= kMaxOutputColumns) {
        table.AddColumn("More", 10, 7);
    }
    EXPECT_EQ(BuildRtfDocument(&table, AllTicked(), page, document), status::kRtfTooManyColumns);
    EXPECT_TRUE(sink.exits.empty());
}

class RtfFileTest : public RtfDocumentTest {
  protected:
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    test::TempDir dir;
    test::CapturingSink sink;
};

TEST_F(RtfFileTest, WrittenFileHoldsTheDocumentAndNothingElseRemains) {
    table.rows = {{"Pop 1", "1024"}};
    std::string expected;
    ASSERT_EQ(BuildRtfDocument(&table, AllTicked(), page, expected), 0);
    const std::string path = dir.Folder() + "list.rtf";
    test::WriteFileBytes(path, "old contents");
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(WriteRtfDocumentFile(&table, AllTicked(), page, path), 0);
    EXPECT_EQ(test::ReadFileBytes(path), expected);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"list.rtf"});
}

TEST_F(RtfFileTest, FailedWriteLeavesNoDocumentAndKeepsTheOldFile) {
    const std::string missingFolder = dir.Folder() + "gone/list.rtf";
    EXPECT_EQ(WriteRtfDocumentFile(&table, AllTicked(), page, missingFolder),
              status::kRtfCannotWrite);
    EXPECT_TRUE(sink.BoxContains("Unable to write file\nDevice write protected or full ?\nFile:  " +
                                 missingFolder));
    EXPECT_FALSE(std::filesystem::exists(missingFolder));

    // A cell that cannot be read ends the writing; the previous file stays as it was.
    table.rows = {{"a", "1"}, {"b", "2"}};
    table.unreadableRow = 1;
    const std::string path = dir.Write("list.rtf", "old contents");
    EXPECT_EQ(WriteRtfDocumentFile(&table, AllTicked(), page, path), status::kRtfCellUnreadable);
    EXPECT_TRUE(sink.BoxContains("Cannot get column data"));
    EXPECT_EQ(test::ReadFileBytes(path), "old contents");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"list.rtf"});

    if (geteuid() != 0) {  // root writes into read-only folders
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_EQ(WriteRtfDocumentFile(&table, AllTicked(), page, dir.Folder() + "new.rtf"),
                  status::kRtfCannotWrite);
    }
}

}  // namespace
}  // namespace kelvane
