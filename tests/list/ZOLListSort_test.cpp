#include <array>
#include <climits>
#include <random>

#include "list/RowKeySort.h"
#include "list/TypeAheadSearch.h"
#include "list/ZOLListTestEnv.h"
#include "list/ZOLSortSequence.h"

namespace kelvane::test {
namespace {

class ListSortTest : public ListTest {
  protected:
    void TearDown() override {
        SelectSortSequence("Default");
        ListTest::TearDown();
    }
    CMyListCtrl& Files() { return mgr.FileList(); }
};

TEST_F(ListSortTest, SameHeaderThreeTimesSortsAscendingDescendingAscending) {
    AddNamed("b");
    AddNamed("c");
    AddNamed("a");
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"a", "b", "c"}));
    EXPECT_EQ(Files().HeaderImageOf(0), HeaderImage::PrimaryAscending);
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"c", "b", "a"}));
    EXPECT_EQ(Files().HeaderImageOf(0), HeaderImage::PrimaryDescending);
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"a", "b", "c"}));
    EXPECT_TRUE(panes.texts.size() >= 3);
}

TEST_F(ListSortTest, ControlClickWithoutPrimarySetsThePrimaryKey) {
    AddNamed("b");
    AddNamed("a");
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, true);
    EXPECT_EQ(Files().GetSortState().primaryField, kFieldFilename);
    EXPECT_EQ(Files().GetSortState().secondaryField, -1);
    EXPECT_EQ(FileRows(), (Names{"a", "b"}));
}

TEST_F(ListSortTest, SecondaryKeyBreaksTiesAndANewPrimaryDropsIt) {
    AddRecord({"x", "/m/", 1, 200});
    AddRecord({"y", "/m/", 2, 100});
    AddRecord({"x", "/m/", 3, 100});
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    Files().SortByColumn(1, true);
    Files().SortByColumn(1, true);  // secondary now descending
    ASSERT_EQ(Files().HeaderImageOf(1), HeaderImage::SecondaryDescending);
    std::vector<int32_t> sizes;
    for (long row = 0; row < Files().RowCount(); ++row) {
        sizes.push_back(Files().StyleRecordOfRow(row)->Number(kFieldFilesize));
    }
    EXPECT_EQ(sizes, (std::vector<int32_t>{200, 100, 100}));
    Files().SortByColumn(1, false);
    const SortStateValues state = Files().GetSortState();
    EXPECT_EQ(state.primaryField, kFieldFilesize);
    EXPECT_EQ(state.secondaryField, -1);
    EXPECT_EQ(Files().HeaderImageOf(0), HeaderImage::None);
}

TEST_F(ListSortTest, DuplicatesColumnOrdersEqualIdsBySizeInItsDirection) {
    AddRecord({"big", "/m/", 9, 300});
    AddRecord({"other", "/m/", 4, 50});
    AddRecord({"small", "/m/", 9, 100});
    ShowColumns(Files(), {kFieldFilename, kFieldDuplicates});
    mgr.ShowFileList();
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"other", "small", "big"}));
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"big", "small", "other"}));
}

TEST_F(ListSortTest, TextSortingFollowsTheSortSequenceInForce) {
    AddNamed("abc");
    AddNamed("ABD");
    AddNamed("Zebra");
    AddNamed("apple");
    ShowColumns(Files(), {kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    EXPECT_EQ(FileRows(), (Names{"abc", "ABD", "apple", "Zebra"}));
    SelectSortSequence("Modern");
    AddNamed("Abc");
    Rebuild();
    const Names rows = FileRows();
    const auto position = [&](const std::string& name) {
        return std::find(rows.begin(), rows.end(), name) - rows.begin();
    };
    EXPECT_LT(position("Abc"), position("abc"));
    EXPECT_LT(position("apple"), position("Zebra"));
}

TEST_F(ListSortTest, RebuildAfterThePrimaryColumnWasRemovedKeepsRecordListOrder) {
    AddNamed("c");
    AddNamed("a");
    AddNamed("b");
    ShowColumns(Files(), {kFieldFilename, kFieldFilesize});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    ASSERT_EQ(FileRows(), (Names{"a", "b", "c"}));
    ShowColumns(Files(), {kFieldFilesize});
    Rebuild();
    EXPECT_EQ(FileRows(), (Names{"c", "a", "b"}));
    ShowColumns(Files(), {kFieldFilesize, kFieldFilename});
    Rebuild();
    EXPECT_EQ(FileRows(), (Names{"a", "b", "c"}));  // the stored key applies again once shown
}

TEST_F(ListSortTest, ClicksAreIgnoredWhileSuspendedAndOnTheRowNumberColumn) {
    AddNamed("b");
    AddNamed("a");
    Files().SetRowNumberVisible(true);
    ShowColumns(Files(), {kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    EXPECT_EQ(Files().GetSortState().primaryField, -1);
    Files().Suspend();
    Files().SortByColumn(1, false);
    EXPECT_EQ(Files().GetSortState().primaryField, -1);
    Files().Resume();
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"a", "b"}));
}

TEST_F(ListSortTest, SetSortStateWithZeroLeavesThatKey) {
    ShowColumns(Files(), {kFieldFilename, kFieldTempo});
    Files().SetSortState({kFieldTempo, kFieldFilename, 0, 1});
    Files().SetSortState({0, -1, 1, 1});
    const SortStateValues state = Files().GetSortState();
    EXPECT_EQ(state.primaryField, kFieldTempo);
    EXPECT_EQ(state.primaryAscending, 0);
    EXPECT_EQ(state.secondaryField, -1);
}

TEST_F(ListSortTest, TypeAheadFindsTheLetterInEitherCaseOrTheNextGreaterName) {
    AddNamed("apple");
    AddNamed("Banana");
    AddNamed("cherry");
    AddNamed("dates");
    ShowColumns(Files(), {kFieldTempo, kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(1, false);
    EXPECT_EQ(Files().TypeAheadRow('b'), 1);
    EXPECT_EQ(Files().TypeAheadRow('B'), 1);
    AddNamed("Cider");
    Rebuild();  // apple Banana cherry Cider dates
    EXPECT_EQ(Files().TypeAheadRow('c'), 2);
    EXPECT_EQ(Files().TypeAheadRow(31), -1);
    Files().SortByColumn(1, false);  // descending: dates Cider cherry Banana apple
    EXPECT_EQ(Files().TypeAheadRow('c'), 1);
    EXPECT_EQ(Files().TypeAhead('a'), 4);
    EXPECT_EQ(fileDisplay.visibleRows.back(), 4);
    EXPECT_EQ(Files().SelectedCount(), 0);
}

TEST_F(ListSortTest, TypedTextFindsTheNextRowStartingWithItAndWraps) {
    for (const char* name : {"bossa", "Bolero", "boogie", "Samba", "bolero2", "\xc3\x84rger"}) {
        AddNamed(name);
    }
    ShowColumns(Files(), {kFieldTempo, kFieldFilename});
    mgr.ShowFileList();
    Files().SortByColumn(1, false);  // Bolero bolero2 boogie bossa Samba Ärger (bytes > 127 last)
    EXPECT_EQ(TypeAheadColumn(Files()), 1);
    const auto row = [this](const char* typed, long start) {
        const long found = TypeAheadSearch(Files(), typed, start);
        std::string buffer;
        return found < 0 ? std::string("-") : std::string(Files().CellText(found, 1, buffer));
    };
    EXPECT_EQ(row("bo", 0), "Bolero");
    EXPECT_EQ(row("BOL", 1), "bolero2");  // case does not matter; the search starts at row 1
    EXPECT_EQ(row("bol", 2), "Bolero");   // wraps around to the top
    EXPECT_EQ(row("boo", 0), "boogie");
    EXPECT_EQ(row("\xc3\xa4r", 0), "\xc3\x84rger");  // Latin letters fold too
    EXPECT_EQ(row("bx", 0), "-");  // several characters that match nothing: no row
    // One character that starts no name keeps the single-key rule: the row where it would stand.
    EXPECT_EQ(row("r", 0), "Samba");
    // Sorted by the row-number column, or not at all, the file name column is searched.
    ShowColumns(Files(), {kFieldFilename, kFieldTempo});
    mgr.ShowFileList();
    EXPECT_EQ(TypeAheadColumn(Files()), 1);
}

TEST_F(ListSortTest, SongListSortsByStyleLinkAndStatusColumns) {
    StyleDataPacket* b = AddNamed("b.sty");
    StyleDataPacket* a = AddNamed("a.sty");
    AddSong(b, "one", kSongStatusNotInStyleFile);
    AddSong(a, "two", kSongStatusInStyleFile);
    mgr.ShowSongList();
    ShowColumns(mgr.SongList(), {kSongFieldTitle, kSongFieldStyleFilename, kSongFieldStatus});
    mgr.SongList().SortByColumn(1, false);
    EXPECT_EQ(mgr.SongList().StyleRecordOfRow(0), a);
    mgr.SongList().SortByColumn(2, false);
    EXPECT_EQ(mgr.SongList().SongRecordOfRow(0)->Status(), kSongStatusInStyleFile);
}

// Generated rows, many equal in their first eight bytes or whole: the keyed sort must give the
// order of the sequence's own comparison (rows equal under both keys in their given order),
// also when the rows are many enough to be read and sorted in two halves.
TEST(RowKeySortTest, KeyedOrderEqualsTheComparisonOrderOnGeneratedRows) {
    constexpr size_t kRows = 40000;
    // Both cases, digits, blanks, the tables' special letters and bytes, a NUL.
    const std::string letters("aAbBzZ09 _.\xc4\xe4\xd6\xdf\xe9\x8a\x9a\xff\x00", 20);
    std::mt19937 random(7);
    const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    std::vector<std::string> names(kRows);
    std::vector<std::string> dates(kRows);
    std::vector<int32_t> numbers(kRows);
    const std::array<std::string, 3> stems = {"", "Groove", "Groove Lounge"};
    for (size_t i = 0; i < kRows; ++i) {
        names[i] = stems[pick(stems.size())];
        for (size_t n = pick(6); n > 0; --n) {
            names[i] += letters[pick(letters.size())];
        }
        dates[i] = pick(9) == 0
                       ? std::string()
                       : "20" + std::to_string(10 + pick(3)) + "-0" + std::to_string(1 + pick(9)) +
                             "-1" + std::to_string(pick(10)) + " 12:00";
        const std::array<int32_t, 5> extremes = {INT_MIN, -1, 0, 7, INT_MAX};
        numbers[i] = extremes[pick(extremes.size())];
    }
    // The rows in a shuffled order, so they are neither in the order of their records in
    // memory nor in the order of any key.
    std::vector<StyleDataPacket> packets(kRows);
    std::vector<RowRef> rows;
    for (StyleDataPacket& packet : packets) {
        rows.push_back({&packet, nullptr});
    }
    std::shuffle(rows.begin(), rows.end(), random);
    RowSortBuffers buffers;
    enum Column { kName, kDate, kNumber };
    struct Combo {
        Column first;
        bool firstUp;
        Column second;  // kNumber with secondNone: no second key
        bool secondUp;
        bool secondNone;
    };
    const std::array<Combo, 5> combos = {{{kName, true, kNumber, true, true},
                                          {kName, false, kNumber, true, false},
                                          {kNumber, false, kName, true, false},
                                          {kDate, true, kName, false, false},
                                          {kDate, false, kNumber, false, true}}};
    for (const SortSequence sequence : {SortSequence::Default, SortSequence::Modern,
                                        SortSequence::Classic, SortSequence::Windows}) {
        const TextCompareFn compare = TextComparisonOf(sequence);
        for (const Combo& combo : combos) {
            const auto kindOf = [](Column c) {
                return c == kNumber ? RowKeyKind::Number : RowKeyKind::Text;
            };
            const std::array<RowKeySpec, 2> keys = {
                RowKeySpec{kindOf(combo.first), combo.firstUp},
                RowKeySpec{combo.secondNone ? RowKeyKind::None : kindOf(combo.second),
                           combo.secondUp}};
            const auto textOf = [&](Column c, size_t row) -> std::string_view {
                return c == kName ? names[row] : dates[row];
            };
            const auto compareOn = [&](Column c, size_t a, size_t b) {
                if (c == kNumber) {
                    return (numbers[a] > numbers[b]) - (numbers[a] < numbers[b]);
                }
                return compare(textOf(c, a), textOf(c, b));
            };
            std::vector<RowRef> expected = rows;
            const auto indexOf = [&](const RowRef& row) {
                return static_cast<size_t>(row.style - packets.data());
            };
            std::stable_sort(expected.begin(), expected.end(),
                             [&](const RowRef& x, const RowRef& y) {
                                 const size_t a = indexOf(x);
                                 const size_t b = indexOf(y);
                                 int result = compareOn(combo.first, a, b);
                                 if (result != 0 || combo.secondNone) {
                                     return (combo.firstUp ? result : -result) < 0;
                                 }
                                 result = compareOn(combo.second, a, b);
                                 return (combo.secondUp ? result : -result) < 0;
                             });
            std::vector<RowRef> sorted = rows;
            SortRowsByKeys(
                sorted, keys, SortWeightsOf(sequence),
                [&](const RowRef& row, RowKeyValues& values) {
                    const size_t index = indexOf(row);
                    values.numbers = {numbers[index], numbers[index]};
                    values.texts = {textOf(combo.first, index), textOf(combo.second, index)};
                },
                buffers);  // the same buffers for every sort, as a list keeps them
            ASSERT_EQ(sorted.size(), expected.size());
            size_t mismatch = 0;
            while (mismatch < sorted.size() && sorted[mismatch].style == expected[mismatch].style) {
                ++mismatch;
            }
            EXPECT_EQ(mismatch, sorted.size())
                << SortSequenceName(sequence) << " keys " << combo.first << "/" << combo.second;
        }
    }
}

TEST_F(ListSortTest, DateColumnSortsBothWaysAndEqualDatesKeepTheNameOrder) {
    const std::array<std::pair<const char*, const char*>, 5> files = {{{"d", "2021-03-04 10:00"},
                                                                       {"a", "2021-03-04 10:00"},
                                                                       {"c", ""},
                                                                       {"e", "2019-12-31 23:59"},
                                                                       {"b", "2021-03-04 10:00"}}};
    for (const auto& [name, date] : files) {
        AddNamed(name)->SetDateText(date);
    }
    ShowColumns(Files(), {kFieldFilename, kFieldFiledate});
    mgr.ShowFileList();
    Files().SortByColumn(0, false);
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"c", "e", "a", "b", "d"}));
    Files().SortByColumn(1, false);
    EXPECT_EQ(FileRows(), (Names{"a", "b", "d", "e", "c"}));
}

}  // namespace
}  // namespace kelvane::test
