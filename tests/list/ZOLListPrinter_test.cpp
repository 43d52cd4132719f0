#include "list/ZOLListPrinter.h"

#include <cstdio>
#include <string>

#include "list/ZOLListOptions.h"
#include "list/ZOLListTableView.h"
#include "list/ZOLListTestEnv.h"

namespace kelvane::test {
namespace {

class ListPrinterTest : public ListTest {
  protected:
    StatusCode Parse(std::string_view name, std::string_view value, ViewMode view = Files) {
        return ParseListOption(name, value, view, options, error);
    }
    ListCliOptions options;
    std::string error;
};

TEST_F(ListPrinterTest, TableAlignsColumnsAndEndsWithTheStatusLine) {
    AddRecord({"bossa.sty", "/m/", 1, 2048, "", "", 120});
    AddRecord({"a.sty", "/m/", 2, 10, "", "", 95});
    ShowColumns(mgr.FileList(), {kFieldFilename, kFieldTempo});
    mgr.ShowFileList();
    const std::string table = RenderListTable(mgr);
    EXPECT_EQ(table,
              "Filename   Tempo\n"
              "bossa.sty    120\n"
              "a.sty         95\n"
              "\n" +
                  mgr.FileList().StatusLine() + "\n");
    EXPECT_NE(mgr.FileList().StatusLine().find("Showing 2 styles"), std::string::npos);
}

TEST_F(ListPrinterTest, CsvQuotesWhatNeedsItAndPrintsMarkers) {
    AddRecord({"plain", "/m/", 1, 10});
    AddRecord({"with,comma", "/m/", 1, 10});
    AddRecord({"say \"hi\"", "/m/", 2, 10});
    AddRecord({" padded", "/m/", 3, 10});
    ShowColumns(mgr.FileList(), {kFieldDuplicates, kFieldFilename});
    mgr.ShowFileList();
    mgr.FileList().SortByColumn(0, false);
    EXPECT_EQ(
        RenderListCsv(mgr),
        "Duplicates,Filename\n/,plain\n\\,\"with,comma\"\n-,\"say \"\"hi\"\"\"\n-,\" padded\"\n");
    EXPECT_EQ(RenderListCsv(mgr, ';').substr(0, 20), "Duplicates;Filename\n");
}

// Printed to a file, a long list goes out in pieces; the bytes are those of the rendered text.
TEST_F(ListPrinterTest, PrintedLongListEqualsTheRenderedText) {
    for (int i = 0; i < 6000; ++i) {
        AddRecord(
            {"style number " + std::to_string(i) + ".sty", "/m/", i, 10, "", "", 90 + i % 50});
    }
    ShowColumns(mgr.FileList(), {kFieldFilename, kFieldTempo});
    mgr.ShowFileList();
    const auto printed = [this](ListPrintFormat format) {
        std::FILE* file = std::tmpfile();
        std::FILE* status = std::tmpfile();
        PrintList(mgr, format, ',', file, status);
        std::string text(static_cast<size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        const size_t read = std::fread(text.data(), 1, text.size(), file);
        std::fclose(file);
        std::fclose(status);
        return text.substr(0, read);
    };
    const std::string table = RenderListTable(mgr);
    ASSERT_GT(table.size(), 150000u);  // several pieces
    EXPECT_EQ(printed(ListPrintFormat::Table), table);
    EXPECT_EQ(printed(ListPrintFormat::Csv), RenderListCsv(mgr));
}

TEST_F(ListPrinterTest, TableViewGivesTheOutputsWhatTheListShows) {
    AddRecord({"a.sty", "/m/", 1, 10, "", "", 99});
    ShowColumns(mgr.FileList(), {kFieldFilename, kFieldTempo});
    mgr.ShowFileList();
    const CZOLListTableView view(mgr);
    ASSERT_EQ(view.ColumnCount(), 2);
    TableColumn column;
    ASSERT_TRUE(view.Column(1, column));
    EXPECT_EQ(column.header, "Tempo");
    EXPECT_EQ(column.alignment, ColumnAlignment::Right);
    EXPECT_EQ(column.fieldId, kFieldTempo);
    std::string text;
    ASSERT_TRUE(view.CellText(0, 1, text));
    EXPECT_EQ(text, "99");
    EXPECT_FALSE(view.CellText(1, 0, text));
    EXPECT_FALSE(view.Column(2, column));
    const CZOLListViewMgr unready;
    EXPECT_EQ(CZOLListTableView(unready).ColumnCount(), -1);
}

TEST_F(ListPrinterTest, OptionsParseKeysDirectionsAndModes) {
    ASSERT_EQ(Parse("--sort", "tempo:desc,L_FILENAME"), 0);
    ASSERT_EQ(options.sort.size(), 2u);
    EXPECT_EQ(options.sort[0].fieldId, kFieldTempo);
    EXPECT_TRUE(options.sort[0].descending);
    EXPECT_FALSE(options.sort[1].descending);
    EXPECT_EQ(Parse("--sort", "a,b,c"), status::kCommandLine);
    EXPECT_EQ(Parse("--sort", "tempo:down"), status::kCommandLine);
    EXPECT_EQ(Parse("--columns", "L_FILENAME,NOPE"), status::kCommandLine);
    EXPECT_EQ(error, "unknown field key 'NOPE'");
    EXPECT_EQ(Parse("--filter", "tempo"), status::kCommandLine);
    ASSERT_EQ(Parse("--filter", "STYLE_NAME=a=b"), 0);
    EXPECT_EQ(options.filters.back().second, "a=b");
    ASSERT_EQ(Parse("--show", "duplicate-files"), 0);
    EXPECT_EQ(options.show, kShowDuplicateFiles);
    EXPECT_EQ(Parse("--show", "some"), status::kCommandLine);
    ASSERT_EQ(Parse("--filter", "GENRE=pop", Songs), 0);
    EXPECT_EQ(options.filters.back().first, kSongFieldGenre);
    EXPECT_TRUE(IsListOption("--quick"));
    EXPECT_FALSE(IsListOption("--verbose"));
}

TEST_F(ListPrinterTest, AppliedOptionsFilterSortAndAddTheSortColumn) {
    AddRecord({"b.sty", "/m/", 1, 10, "", "Rock", 100});
    AddRecord({"a.sty", "/m/", 2, 10, "", "Rock", 100});
    AddRecord({"c.sty", "/m/", 3, 10, "", "Jazz", 120});
    AddRecord({"d.sty", "/m/", 4, 10, "", "Rock beat", 90});
    mgr.ShowFileList();
    ASSERT_EQ(Parse("--columns", "L_FILENAME"), 0);
    ASSERT_EQ(Parse("--sort", "TEMPO:desc,L_FILENAME"), 0);
    ASSERT_EQ(Parse("--filter", "STYLE_NAME=rock"), 0);
    ASSERT_EQ(ApplyListOptions(options, mgr, error), 0);
    EXPECT_EQ(FileRows(), (Names{"a.sty", "b.sty", "d.sty"}));
    EXPECT_EQ(mgr.FileList().FieldIdOfColumn(1), kFieldTempo);
    EXPECT_EQ(mgr.FilterText(), "Filter:  [Style Name=rock] ");
    options = ListCliOptions{};
    ASSERT_EQ(Parse("--quick", "(beat"), 0);
    EXPECT_EQ(ApplyListOptions(options, mgr, error), status::kFilterSyntaxError);
    EXPECT_EQ(error, "--quick");
}

TEST_F(ListPrinterTest, SongListSortsByTitleFromTheCommandLine) {
    StyleDataPacket* record = AddNamed("a.sty");
    AddSong(record, "Zulu");
    AddSong(record, "Alpha");
    mgr.ShowSongList();
    ASSERT_EQ(Parse("--sort", "SONG_TITLE", Songs), 0);
    ASSERT_EQ(ApplyListOptions(options, mgr, error), 0);
    EXPECT_EQ(mgr.SongRecordOfRow(0)->Text(kSongFieldTitle), "Alpha");
}

}  // namespace
}  // namespace kelvane::test
