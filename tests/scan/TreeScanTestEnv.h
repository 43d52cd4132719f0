// Set-up of the tree scan tests: a scan test environment with an analyser configuration file
// dated a day back, a tree of real style (or MIDI) files built in code with dates set
// explicitly (file-system clocks are coarse, so "written later" is never left to chance),
// and helpers to scan, to read the data files back and to look at the record list.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ZOLStyleFile.h"
#include "records/ZOLRecordStore.h"
#include "scan/ScanTestEnv.h"
#include "scan/ZOLTreeScan.h"
#include "scan/ZOLTreeScanRun.h"
#include "support/NUVFormat.h"
#include "support/SmfBuilder.h"
#include "support/StyleFileBuilder.h"

namespace kelvane::test {

// Status panes that record the texts and let a test act on one (e.g. press Abort).
class HookedPanes final : public IStatusPanes {
  public:
    void SetPaneText(int pane, const std::string& text) override {
        texts.emplace_back(pane, text);
        if (onText) {
            onText(pane, text);
        }
    }
    bool Saw(int pane, const std::string& text) const {
        for (const auto& [p, t] : texts) {
            if (p == pane && t == text) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::pair<int, std::string>> texts;
    std::function<void(int, const std::string&)> onText;
};

inline timespec FileMTime(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mtim;
}
inline bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}
inline void SetMTime(const std::string& path, timespec when) {
    const timespec times[2] = {when, when};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}
// Now plus `seconds` (negative: in the past).
inline timespec Shifted(long seconds) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    now.tv_sec += seconds;
    return now;
}

// A small style file whose bytes (and so its file id) depend on `tempo`.
inline std::string StyleBytes(uint32_t tempo, const std::vector<FinderRecord>& songs = {}) {
    StyleFileBuilder builder(StyleMidi({"SFF1", "SInt", "Main A"}, 480, tempo));
    builder.Casm("c");
    if (!songs.empty()) {
        builder.Mdb(songs);
    }
    return builder.Bytes();
}
inline std::string MidiBytes(const std::string& name) {
    SmfBuilder smf(1, 96);
    smf.AddTrack().TrackName(0, name);
    return smf.Bytes();
}

class TreeScanTest : public ScanTest {
  protected:
    void SetUp() override {
        ScanTest::SetUp();
        SetStatusPanes(&hooked);
        Config().analyserConfigFile = home.Write("kelvane.CFA", "! analyser configuration\n");
        SetMTime(Config().analyserConfigFile, Shifted(-86400));
        Config().autoCorrectIllegalFileDates = 0;
        root = dir.Folder();
    }
    void TearDown() override {
        SetReadOnlyMediumProbe({});
        SetRecentFolderFeed({});
        SetScanFileAnalysis({});
        Config() = ConfigValues{};
        ScanTest::TearDown();
    }

    // Writes a file below the tree dated `age` seconds back.
    std::string Put(const std::string& relative, const std::string& bytes, long age = 3600) {
        const std::string path = dir.Write(relative, bytes);
        SetMTime(path, Shifted(-age));
        return path;
    }
    StatusCode Scan(bool subfolders = true, const std::string& folder = {}) {
        ClearAllRecords();
        ScanState().abortFlag.store(0);
        return ProcessStyleTree(folder.empty() ? root : folder, subfolders ? 1 : 0);
    }
    StatusCode Scan(const ScanOptions& options, bool subfolders = true) {
        ClearAllRecords();
        ScanState().abortFlag.store(0);
        return ProcessStyleTree(root, subfolders ? 1 : 0, options);
    }
    const TreeScanCounts& Counts() const { return LastTreeScanCounts(); }

    // Folder + name of every record, in record-list order.
    std::vector<std::string> Listed() const {
        std::vector<std::string> names;
        for (const StyleDataPacket* record : RecordStore().records) {
            names.push_back(Text(*record, kFieldPath).substr(root.size()) +
                            Text(*record, kFieldFilename));
        }
        return names;
    }
    StyleDataPacket* Record(const std::string& relative) const {
        for (StyleDataPacket* record : RecordStore().records) {
            if (Text(*record, kFieldPath) + Text(*record, kFieldFilename) == root + relative) {
                return record;
            }
        }
        return nullptr;
    }
    // The lines of a data file (CR LF removed).
    std::vector<std::string> Lines(const std::string& relative) const {
        std::vector<std::string> lines;
        std::istringstream in(dir.Read(relative));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
        }
        return lines;
    }
    // The D lines of a data file as key -> value maps, by the file's own header.
    std::vector<std::map<std::string, std::string>> DataRows(const std::string& relative) const {
        std::vector<std::string> header;
        std::vector<std::map<std::string, std::string>> rows;
        for (const std::string& line : Lines(relative)) {
            std::vector<std::string> fields;
            std::istringstream in(line);
            for (std::string field; std::getline(in, field, '|');) {
                fields.push_back(field);
            }
            if (!fields.empty() && fields[0] == "H") {
                header = fields;
            } else if (!fields.empty() && fields[0] == "D") {
                std::map<std::string, std::string> row;
                for (size_t i = 1; i < fields.size() && i < header.size(); ++i) {
                    row[header[i]] = fields[i];
                }
                rows.push_back(row);
            }
        }
        return rows;
    }

    TempDir home;
    HookedPanes hooked;
    std::string root;
};

}  // namespace kelvane::test
