#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileops/ZOLCdromCompat.h"

namespace kelvane {
namespace {

const std::string kStart = "/home/u/" + std::string(70, 's') + "/";  // not examined
const CdromCompatChoice kNameCheck{false, true};

std::vector<size_t> Incompatible(const std::vector<CdromCompatRow>& rows,
                                 CdromCompatChoice choice = kNameCheck) {
    const auto result = FindCdromIncompatibleRows(kStart, choice, rows);
    EXPECT_TRUE(result.has_value());
    return result.value_or(std::vector<size_t>{});
}

TEST(CdromCompat, NamesLongerThan64CharactersAreIncompatible) {
    const std::string name64 = std::string(60, 'n') + ".sty";
    const std::string name65 = std::string(61, 'n') + ".sty";
    // 64 characters in 128 bytes of UTF-8 ("é" twice each).
    std::string accented;
    for (int i = 0; i < 64; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_EQ(Incompatible({{kStart, name64}, {kStart, name65}, {kStart, accented}}),
              std::vector<size_t>{1});
}

TEST(CdromCompat, FolderPartsBelowTheStartFolderAreChecked) {
    const std::string deep = kStart + "ok/" + std::string(65, 'f') + "/";
    const std::string deeper = deep + "more/";
    const std::string fine = kStart + std::string(64, 'f') + "/ok/";
    EXPECT_EQ(
        Incompatible({{fine, "a.sty"}, {deep, "b.sty"}, {kStart, "c.sty"}, {deeper, "d.sty"}}),
        (std::vector<size_t>{1, 3}));
}

TEST(CdromCompat, CheckBoxesDecideWhetherAnythingIsTested) {
    const std::string longName(80, 'n');
    const std::vector<CdromCompatRow> rows = {{kStart, longName}};
    EXPECT_FALSE(FindCdromIncompatibleRows(kStart, {false, false}, rows).has_value());
    EXPECT_TRUE(Incompatible(rows, {true, false}).empty());
    EXPECT_EQ(Incompatible(rows, {true, true}), std::vector<size_t>{0});
    EXPECT_TRUE(Incompatible({}).empty());
}

TEST(CdromCompat, StatusTextCarriesTheCount) {
    EXPECT_EQ(CdromCompatStatusText(3),
              "Compatibility test done - 3 incompatibilities found          (Use 'F5'-Key to "
              "redraw the original list)");
}

}  // namespace
}  // namespace kelvane
