// Shared set-up of the file operation tests: a fresh record store and run mode, the program's
// list manager made ready with the records of a tree in a temporary folder, scripted prompts
// and message boxes, and readers of what the data files on disk say.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fileops/ZOLCopyMove.h"
#include "fileops/ZOLFileOpPrompts.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLFilterDlgLogic.h"
#include "list/ZOLListViewMgr.h"
#include "list/ZOLStatusLine.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLSongData.h"
#include "records/ZOLStyleData.h"
#include "scan/ZOLDataFileReader.h"
#include "scan/ZOLDataFileWriter.h"
#include "scan/ZOLScanState.h"
#include "scan/ZOLTreeScan.h"
#include "support/NUVUserInterface.h"
#include "support/TestEnv.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane::test {

// Answers from queues; an empty queue gives the prompt's default. Every question is recorded.
class ScriptedPrompts : public IFileOpPrompts {
  public:
    int FileExists(const FileExistsQuestion& question) override {
        fileExists.push_back(question);
        return Next(fileExistsAnswers, file_exists::kAbort);
    }
    int ReadOnlySource(const std::string& path) override {
        readOnly.push_back(path);
        return Next(readOnlyAnswers, read_only::kNo);
    }
    int DeviceFull() override {
        ++deviceFull;
        if (beforeDeviceFullAnswer) {
            beforeDeviceFullAnswer();
        }
        return Next(deviceFullAnswers, device_full::kAbort);
    }
    int OutputFileExists() override { return output_exists::kCancel; }
    int MissingDestination(const std::string& folder) override {
        missingDestinations.push_back(folder);
        return Next(missingAnswers, missing_folder::kCancel);
    }
    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& start) override {
        folderTitles.push_back(title);
        folderStarts.push_back(start);
        return NextText(folders);
    }
    std::optional<std::string> ChooseNewName(const std::string& folder,
                                             const std::string& name) override {
        renameAsked.push_back(folder + name);
        return NextText(newNames);
    }
    std::optional<CdromCompatChoice> CdromTestChoice() override {
        if (cdromChoices.empty()) {
            return std::nullopt;
        }
        auto choice = cdromChoices.front();
        cdromChoices.pop_front();
        return choice;
    }

    std::deque<int> fileExistsAnswers, readOnlyAnswers, deviceFullAnswers, missingAnswers;
    std::deque<std::optional<std::string>> folders, newNames;
    std::deque<std::optional<CdromCompatChoice>> cdromChoices;
    std::function<void()> beforeDeviceFullAnswer;

    std::vector<FileExistsQuestion> fileExists;
    std::vector<std::string> readOnly, folderTitles, folderStarts, renameAsked, missingDestinations;
    int deviceFull = 0;

  private:
    static int Next(std::deque<int>& answers, int fallback) {
        if (answers.empty()) {
            return fallback;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    static std::optional<std::string> NextText(std::deque<std::optional<std::string>>& texts) {
        if (texts.empty()) {
            return std::nullopt;
        }
        auto text = texts.front();
        texts.pop_front();
        return text;
    }
};

// Message boxes recorded, answered from a queue (default: the box's default answer).
class ScriptedDialogs : public IUserDialogs {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxIcon icon, BoxButtons,
                         BoxAnswer defaultAnswer) override {
        texts.push_back(text);
        icons.push_back(icon);
        if (answers.empty()) {
            return defaultAnswer;
        }
        const BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool Contains(const std::string& fragment) const {
        for (const std::string& text : texts) {
            if (text.find(fragment) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> texts;
    std::vector<BoxIcon> icons;
    std::deque<BoxAnswer> answers;
};

class StatusPanesLog : public IStatusPanes {
  public:
    void SetPaneText(int pane, const std::string& text) override {
        (pane == 0 ? line : counter).push_back(text);
    }
    std::vector<std::string> line, counter;
};

class FileOpsTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(kRunModeStyle); }
    void TearDown() override { Stop(); }

    void Start(int runMode) {
        Stop();
        SetRunMode(runMode);
        ASSERT_EQ(InitRecordStore(), 0);
        Config() = ConfigValues{};
        ResetScanState();
        CopyMoveState() = CopyMoveStateValues{};
        ListScanFolder() = ListFolderState{};
        SetFilterDuplicatesMode(kShowAll);
        SetFileOpPrompts(&prompts);
        SetUserDialogs(&dialogs);
        SetStatusPanes(&panes);
        ListViewMgr().RegisterList(ListKind::Files, nullptr);
        ListViewMgr().RegisterList(ListKind::Songs, nullptr);
        ListViewMgr().SetViewMode(Files);
        tree = dir.Folder() + "tree/";
        std::filesystem::create_directories(tree);
        ScanState().currentStartFolder = tree;
        ScanState().includeSubfolders = 1;
    }

    void Stop() {
        SetFileOpPrompts(nullptr);
        SetUserDialogs(nullptr);
        SetStatusPanes(nullptr);
        StyleFilterDialog().Clear();
        SongFilterDialog().Clear();
        ListViewMgr().DropAllRows();
        ListViewMgr().SetViewMode(Files);
        FreeRecordStore();
        ResetRunMode();
        ResetScanState();
        Config() = ConfigValues{};
        CopyMoveState() = CopyMoveStateValues{};
    }

    // A file below the temporary folder ("tree/a/Song.sty"); returns its full path.
    std::string File(const std::string& relative, const std::string& bytes = "") {
        return dir.Write(relative, bytes.empty() ? relative : bytes);
    }
    std::string Folder(const std::string& relative) const {
        return dir.Folder() + relative + (relative.empty() || relative.back() == '/' ? "" : "/");
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(dir.Path() / relative);
    }
    std::string Read(const std::string& relative) const { return dir.Read(relative); }

    // A record of the file, in the record store, with a hand-kept value to follow.
    StyleDataPacket* Record(const std::string& relativeFolder, const std::string& name,
                            const std::string& author = "") {
        StyleDataPacket* record = NewStyleRecord();
        EXPECT_NE(record, nullptr);
        AssignStyleField(*record, kFieldPath, Folder(relativeFolder));
        AssignStyleField(*record, kFieldFilename, name);
        AssignStyleField(*record, kFieldAuthor, author.empty() ? "by " + name : author);
        RecordStore().records.Append(record);
        return record;
    }
    // Writes the data files of every folder holding records (as after a scan).
    void WriteDataFiles() {
        for (StyleDataPacket* record : RecordStore().records) {
            record->changed = 1;
        }
        ASSERT_EQ(UpdateStyleDataFiles(RecordStore().records), 0);
    }
    void ShowRows() { ListViewMgr().ForceRebuild(false, nullptr, false); }
    // Selects the rows of the given file names (all rows when empty).
    void Select(const std::vector<std::string>& names) {
        ShowRows();
        CMyListCtrl* list = ListViewMgr().CurrentList();
        ASSERT_NE(list, nullptr);
        for (long row = 0; row < list->RowCount(); ++row) {
            const std::string name(list->StyleRecordOfRow(row)->Text(kFieldFilename));
            if (names.empty() || std::find(names.begin(), names.end(), name) != names.end()) {
                list->Select(row);
            }
        }
    }

    // Selects the rows of the given records.
    void SelectRecords(const std::vector<const StyleDataPacket*>& records) {
        ShowRows();
        CMyListCtrl* list = ListViewMgr().CurrentList();
        ASSERT_NE(list, nullptr);
        for (long row = 0; row < list->RowCount(); ++row) {
            if (std::find(records.begin(), records.end(), list->StyleRecordOfRow(row)) !=
                records.end()) {
                list->Select(row);
            }
        }
    }
    // True when status pane 0 showed the text at some time.
    bool StatusShown(const std::string& text) const {
        return std::find(panes.line.begin(), panes.line.end(), text) != panes.line.end();
    }

    // Author values by file name of a folder's data file and move file, as the next scan of
    // the folder reads them.
    std::map<std::string, std::string> DataFileAuthors(const std::string& relativeFolder,
                                                       bool moveFile = false) const {
        RecordList list;
        const std::string folder = Folder(relativeFolder);
        const std::string name =
            moveFile ? CurrentModeNames().moveFile : CurrentModeNames().dataFile;
        if (std::filesystem::exists(folder + name)) {
            EXPECT_EQ(ProcessStyleDataFile(folder + name, folder, list), 0);
        }
        std::map<std::string, std::string> authors;
        for (const StyleDataPacket* record : list) {
            authors[std::string(record->Text(kFieldFilename))] =
                std::string(record->Text(kFieldAuthor));
        }
        list.ReleaseAll();
        return authors;
    }
    // The names in a folder (files only), sorted.
    std::vector<std::string> Names(const std::string& relativeFolder) const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry :
             std::filesystem::directory_iterator(dir.Path() / relativeFolder, error)) {
            if (entry.is_regular_file()) {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // No space reservation file and no temporary file (a name of digits only) in the folder.
    void ExpectNoLeftovers(const std::string& relativeFolder) const {
        for (const std::string& name : Names(relativeFolder)) {
            EXPECT_EQ(name.rfind("ZOLSPACE", 0), std::string::npos) << relativeFolder << name;
            EXPECT_NE(name.find_first_not_of("0123456789"), std::string::npos)
                << relativeFolder << name;
        }
    }
    // Scans the folder (with subfolders) as the program does after the operation and returns
    // the author of every record found, by path below the folder. The analyser configuration is
    // dated back, so records of the data and move files are trusted as on a real rescan.
    std::map<std::string, std::string> RescanAuthors(const std::string& relativeFolder) {
        const std::string config = dir.Folder() + "config/kelvane.CFA";
        if (!std::filesystem::exists(config)) {
            File("config/kelvane.CFA", "! analyser configuration\n");
            const auto past =
                std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
            std::filesystem::last_write_time(config, past);
        }
        Config().analyserConfigFile = config;
        ClearAllRecords();
        ScanState().abortFlag = 0;
        EXPECT_EQ(ProcessStyleTree(Folder(relativeFolder), 1), 0);
        std::map<std::string, std::string> authors;
        for (const StyleDataPacket* record : RecordStore().records) {
            const std::string path(record->Text(kFieldPath));
            authors[path.substr(Folder(relativeFolder).size()) +
                    std::string(record->Text(kFieldFilename))] =
                std::string(record->Text(kFieldAuthor));
        }
        return authors;
    }

    // The record of a file in the record store, or nullptr.
    StyleDataPacket* Find(const std::string& relativeFolder, const std::string& name) const {
        for (StyleDataPacket* record : RecordStore().records) {
            if (record->Text(kFieldPath) == Folder(relativeFolder) &&
                record->Text(kFieldFilename) == name && record->removed == 0) {
                return record;
            }
        }
        return nullptr;
    }

    CapturingSink sink;
    TempDir dir;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    StatusPanesLog panes;
    std::string tree;
};

}  // namespace kelvane::test
