#include <gtest/gtest.h>

#include "platform/FindFile.h"

namespace kelvane {
namespace {

struct WildcardCase {
    const char* pattern;
    const char* name;
    bool matches;
};

void PrintTo(const WildcardCase& c, std::ostream* out) {
    *out << '"' << c.pattern << "\" vs \"" << c.name << '"';
}

class WildcardRules : public ::testing::TestWithParam<WildcardCase> {};

TEST_P(WildcardRules, MatchAsThePlatformDid) {
    const WildcardCase& c = GetParam();
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(StarDotStarMatchesEveryName, WildcardRules,
                         ::testing::Values(WildcardCase{"*.*", "README", true},
                                           WildcardCase{"*.*", ".bashrc", true},
                                           WildcardCase{"*.*", "a.b.c", true},
                                           WildcardCase{"*", "x", true}));

INSTANTIATE_TEST_SUITE_P(
    ExtensionPatternsTestTheLastExtensionExactly, WildcardRules,
    ::testing::Values(
        WildcardCase{"*.sty", "Pop 1.sty", true}, WildcardCase{"*.sty", "x.y.sty", true},
        WildcardCase{"*.sty", "a.styx", false}, WildcardCase{"*.sty", "a.sty.bak", false},
        WildcardCase{"*.sty", "asty", false},
        WildcardCase{"*.sty", "a.STY", false},  // the file system is case-sensitive
        WildcardCase{"*.tar.gz", "a.tar.gz", true}, WildcardCase{"*.tar.gz", "a.b.tar.gz", true},
        WildcardCase{"*.tar.gz", "a.gz", false}));

INSTANTIATE_TEST_SUITE_P(
    QuestionMarksMayMatchNothingAtADotOrTheEnd, WildcardRules,
    ::testing::Values(WildcardCase{"name.???", "name.abc", true},
                      WildcardCase{"name.???", "name.ab", true},
                      WildcardCase{"name.???", "name", true},
                      WildcardCase{"name.???", "name.abcd", false},
                      WildcardCase{"a?c", "abc", true}, WildcardCase{"a?c", "ac", false},
                      WildcardCase{"a?c", "a.c", false}, WildcardCase{"a?c", "abbc", false},
                      WildcardCase{"???", "ab", true}, WildcardCase{"???", "abcd", false}));

INSTANTIATE_TEST_SUITE_P(
    DotsAndStarsElsewhere, WildcardRules,
    ::testing::Values(WildcardCase{"*.", "README", true}, WildcardCase{"*.", "a.txt", false},
                      WildcardCase{"abc.*", "abc", true}, WildcardCase{"abc.*", "abc.txt", true},
                      WildcardCase{"abc.*", "abcd.txt", false}, WildcardCase{"*a*b", "xaYb", true},
                      WildcardCase{"*a*b", "xab.c", false},
                      WildcardCase{"dd_import_sty_*.txt", "dd_import_sty_1.txt", true},
                      WildcardCase{"dd_import_sty_*.txt", "dd_import_midi_1.txt", false},
                      WildcardCase{"ZOL.SDB", "ZOL.SDB", true},
                      WildcardCase{"ZOL.SDB", "zol.sdb", false}));

TEST(Wildcard, ManyStarsOnALongNameStayCheap) {
    const std::string name(250, 'a');
    EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*a*a*b", name));
    EXPECT_TRUE(WildcardMatch("*a*a*a*a*a*a*a*a*a*a*", name));
}

}  // namespace
}  // namespace kelvane
