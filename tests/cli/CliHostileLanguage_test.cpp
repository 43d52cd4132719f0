// A language file is outside input: kelvane-cli list and info with a German language file whose
// every format text has other conversions run to the end in English for those texts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliRunner.h"
#include "scan/TreeScanTestEnv.h"

namespace kelvane {
namespace {

using ::testing::HasSubstr;

// The supplied German file with every translation of a text holding "%" replaced by eight
// "%s" and a "%n".
std::string HostileGermanFile() {
    std::istringstream in(test::ReadFileBytes(test::SourceDir() / "data" / "ZOL_deu.lan"));
    std::string out;
    bool format = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("ORIG", 0) == 0) {
            format = line.find('%') != std::string::npos;
        } else if (line.rfind("TRNS", 0) == 0 && format) {
            line = "TRNS = %s%s%s%s%s%s%s%s %n";
        }
        out += line + "\n";
    }
    return out;
}

TEST(CliHostileLanguage, ListAndInfoFallBackToTheEnglishFormatsWithAWarning) {
    test::CliRunner cli;
    const std::string hostile = HostileGermanFile();
    ASSERT_THAT(hostile, HasSubstr("ORIG = Showing %ld %s out of %ld %s     %s\n"
                                   "TRNS = %s%s%s%s%s%s%s%s %n"));
    cli.home.Write("ZOL_deu.lan", hostile);
    cli.home.Write("settings.ini", "[Global]\nLanguage=deu\n");
    test::TempDir tree;
    tree.Write("Pop/8Beat.sty", test::StyleBytes(500000));
    const std::string stray =
        tree.Write("Pop/Stray.sty", test::StyleFileBuilder(test::StyleMidi({"SFF1", "Main A"}))
                                        .Casm("c")
                                        .Stray("0123456789")
                                        .Bytes());

    test::CliResult run = cli.Run({"list", "-s", "--format", "csv", tree.Folder()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("Showing 2 Styles out of 2"));  // English format, German noun
    EXPECT_THAT(run.err, HasSubstr("Showing %ld %s out of %ld %s     %s"));  // the warning

    run = cli.Run({"info", "--extended", stray});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("unexpected bytes (10)"));
    EXPECT_THAT(run.err, HasSubstr("unexpected bytes (%d)"));
}

}  // namespace
}  // namespace kelvane
