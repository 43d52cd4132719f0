#include "support/NUVTranslateFormat.h"

#include <gtest/gtest.h>

#include "support/NUVLang.h"
#include "support/ScopedEnv.h"
#include "support/TestEnv.h"

namespace kelvane {
namespace {

TEST(TranslateFormat, TranslationIsUsedOnlyWithTheSameConversions) {
    test::TempDir dir;
    test::ScopedEnv home{"KELVANE_HOME", dir.Folder()};
    dir.Write("ZOL_tst.lan",
              "LANGUAGE_SHORT_NAME = tst\nLANGUAGE_FULL_NAME = Test\n"
              "ORIG = Finished: %d records.\nTRNS = Fertig: %d Eintraege (100%%).\n"
              "ORIG = Page %d\nTRNS = Seite %s\n"
              "ORIG = %.0f per second\nTRNS = %.0f je Sekunde %d\n"
              "ORIG = %ld of %ld\nTRNS = %ld von\n");
    ASSERT_EQ(Lang().SetLanguage("tst"), 0);
    EXPECT_EQ(TranslateFormat("Finished: %d records."), "Fertig: %d Eintraege (100%%).");
    EXPECT_EQ(TranslateFormat("Page %d"), "Page %d");
    EXPECT_EQ(TranslateFormat("%.0f per second"), "%.0f per second");
    EXPECT_EQ(TranslateFormat("%ld of %ld"), "%ld of %ld");
    EXPECT_EQ(TranslateFormat("No translation %s"), "No translation %s");
    Lang().SetLanguage("eng");
}

TEST(TranslateFormat, RefusedTranslationIsReportedOncePerText) {
    test::TempDir dir;
    test::ScopedEnv home{"KELVANE_HOME", dir.Folder()};
    dir.Write("ZOL_tst.lan",
              "LANGUAGE_SHORT_NAME = tst\nLANGUAGE_FULL_NAME = Test\n"
              "ORIG = Shown %ld of %ld\nTRNS = %s%s%s%s%s%s%s%s\n"
              "ORIG = Sorting %s\nTRNS = Sortiere %n\n"
              "ORIG = Kept %d\nTRNS = Behalten %d\n");
    ASSERT_EQ(Lang().SetLanguage("tst"), 0);
    test::CapturingSink sink;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(TranslateFormat("Shown %ld of %ld"), "Shown %ld of %ld");
        EXPECT_EQ(TranslateFormat("Sorting %s"), "Sorting %s");
        EXPECT_EQ(TranslateFormat("Kept %d"), "Behalten %d");
    }
    ASSERT_EQ(sink.boxes.size(), 2U);
    EXPECT_EQ(sink.boxes[0].severity, Severity::Warning);
    EXPECT_TRUE(sink.BoxContains("Shown %ld of %ld"));
    EXPECT_TRUE(sink.BoxContains("Sorting %s"));
    Lang().SetLanguage("eng");
}

}  // namespace
}  // namespace kelvane
