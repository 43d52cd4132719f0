// The records of real MIDI files against what python3-mido and zlib.crc32 read in them:
// TIMEBASE, TRACKS, format, TEMPO, TIME_SIG, COPYRIGHT and FILE_ID.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/AnalyseTestEnv.h"
#include "analysis/MidoFacts.h"

namespace kelvane {
namespace {

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

// mido's copyright (hex of its bytes) as the record keeps it: up to the first NUL, at most 500
// characters, without surrounding blanks.
std::string KeptCopyright(const std::string& hex) {
    std::string text;
    for (size_t i = 0; hex != "-" && i + 1 < hex.size(); i += 2) {
        text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    text = text.substr(0, std::min<size_t>(text.size(), analysis::kMaxMetaText));
    text = text.substr(0, text.find('\0'));
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos
               ? std::string()
               : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

using AnalyseMidoTest = test::AnalyseTest;

TEST_F(AnalyseMidoTest, OpenMsxRecordsAgreeWithMido) {
    if (!std::filesystem::is_directory(test::kOpenMsxFolder)) {
        GTEST_SKIP() << test::kOpenMsxFolder << " is missing (Debian package openttd-openmsx)";
    }
    std::vector<std::string> lines;
    if (!test::MidoFacts(std::string("--crc '") + test::kOpenMsxFolder + "'", &lines)) {
        GTEST_SKIP() << "python3-mido is missing in /usr/bin/python3";
    }
    Start(kRunModeMidi);
    ASSERT_GE(lines.size(), 10u);
    for (const std::string& line : lines) {
        // name, division, tracks, format, tempo, time signature, first copyright, ons, offs,
        // last copyright, crc
        const std::vector<std::string> mido = Split(line);
        ASSERT_EQ(mido.size(), 11u) << line;
        const std::string path = std::string(test::kOpenMsxFolder) + "/" + mido[0];
        ASSERT_EQ(AnalyseFile(analyser, *record, path, mido[0]), 0);
        const int bpm = TempoToBpm(mido[4] == "-" ? 500000 : std::stoul(mido[4]));
        const std::string expected =
            StrFormat("%s|%s|%c|%d|%s|%s|%d", mido[1].c_str(), mido[2].c_str(), mido[3][0], bpm,
                      mido[5] == "-" ? "0/0" : mido[5].c_str(), KeptCopyright(mido[9]).c_str(),
                      static_cast<int32_t>(std::stoul(mido[10])));
        EXPECT_EQ(Field(kFieldTimebase) + "|" + Field(kFieldTracks) + "|" +
                      Field(kFieldMidiType).substr(0, 1) + "|" + Field(kFieldTempo) + "|" +
                      Field(kFieldTimeSig) + "|" + Field(kFieldCopyright) + "|" +
                      Field(kFieldFileId),
                  expected)
            << mido[0];
        EXPECT_EQ(Field(kFieldErrors), "-") << mido[0];
    }
}

}  // namespace
}  // namespace kelvane
