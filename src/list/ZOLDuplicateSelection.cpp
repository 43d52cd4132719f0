#include "list/ZOLDuplicateSelection.h"

#include <filesystem>
#include <unordered_map>
#include <vector>

#include "analysis/ZOLGrouping.h"
#include "list/ZOLDuplicatesMode.h"
#include "list/ZOLListViewMgr.h"
#include "list/ZOLStatusLine.h"
#include "records/ZOLRecordStore.h"
#include "records/ZOLRecordText.h"
#include "support/NUVLang.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {
namespace {

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string WithSlash(std::string_view folder) {
    std::string text(TrimBlanks(folder));
    if (text.empty() || text.back() != '/') {
        text.push_back('/');
    }
    return text;
}

bool SameFile(const StyleDataPacket& a, const StyleDataPacket& b) {
    return a.Number(kFieldFileId) == b.Number(kFieldFileId) &&
           a.Number(kFieldFilesize) == b.Number(kFieldFilesize);
}

// The record list in identity order with, for every record, the first index of its group.
struct IdentityGroups {
    IdentityGroups() {
        RecordList& list = RecordStore().records;
        GroupByFileId(list);
        records = &list.Items();
        groupStart.reserve(records->size());
        for (size_t i = 0; i < records->size(); ++i) {
            const bool continues = i > 0 && SameFile(*(*records)[i - 1], *(*records)[i]);
            groupStart.push_back(continues ? groupStart[i - 1] : i);
            indexOf.emplace((*records)[i], i);
        }
    }
    // Calls `visit` for every other member of the record's group until it returns true.
    template <class Visit>
    StyleDataPacket* FindInGroup(const StyleDataPacket* record, Visit visit) const {
        const auto found = indexOf.find(record);
        if (found == indexOf.end()) {
            return nullptr;
        }
        for (size_t i = groupStart[found->second]; i < records->size(); ++i) {
            StyleDataPacket* other = (*records)[i];
            if (i > groupStart[found->second] && !SameFile(*(*records)[i - 1], *other)) {
                break;
            }
            if (other != record && visit(*other)) {
                return other;
            }
        }
        return nullptr;
    }

    const RecordList::Items_t* records = nullptr;
    std::vector<size_t> groupStart;
    std::unordered_map<const StyleDataPacket*, size_t> indexOf;
};

// Working state of a command: "Working - please wait", the list suspended, then back.
class SelectionRun {
  public:
    explicit SelectionRun(CMyListCtrl& list) : list_(list) {
        SetStatusPaneText(0, Translate("Working - please wait"));
        list_.Suspend();
    }
    ~SelectionRun() {
        list_.Resume();
        list_.Display().SelectionChanged();
        list_.Display().TakeFocus();
        list_.WriteStatusText(list_.StatusLine());  // the counts, not "please wait"
    }

  private:
    CMyListCtrl& list_;
};

}  // namespace

std::string& LastDuplicatesFolder() {
    static std::string folder;
    return folder;
}

std::optional<std::string> ActiveTrashFolder() {
    const std::string& trash = Config().trashFolder;
    std::error_code error;
    if (TrimBlanks(trash).empty() ||
        !std::filesystem::is_directory(std::string(TrimBlanks(trash)), error)) {
        return std::nullopt;
    }
    return WithSlash(trash);
}

StatusCode SelectDuplicatesOfFolder(CZOLListViewMgr& manager, IFolderChooser& chooser, bool tree) {
    if (manager.CurrentViewMode() != Files || !manager.IsReady()) {
        return status::kOk;
    }
    std::error_code error;
    const std::string& last = LastDuplicatesFolder();
    const std::string start = (!last.empty() && std::filesystem::is_directory(last, error))
                                  ? last
                                  : ListScanFolder().folder;
    const std::optional<std::string> chosen =
        chooser.ChooseFolder(Translate("Browse for Folder"), start);
    if (!chosen) {
        return status::kOk;
    }
    const std::string folder = WithSlash(*chosen);
    LastDuplicatesFolder() = folder;
    CMyListCtrl& list = manager.FileList();
    SelectionRun run(list);
    const IdentityGroups groups;
    const std::optional<std::string> trash = ActiveTrashFolder();
    for (long row = 0; row < list.RowCount(); ++row) {
        const StyleDataPacket* record = list.StyleRecordOfRow(row);
        const std::string_view path = record->Text(kFieldPath);
        if (tree ? !StartsWithIgnoreCase(path, folder) : !EqualsIgnoreCase(path, folder)) {
            continue;
        }
        const StyleDataPacket* outside =
            groups.FindInGroup(record, [&](const StyleDataPacket& other) {
                const std::string_view otherPath = other.Text(kFieldPath);
                return !StartsWithIgnoreCase(otherPath, folder) &&
                       !(trash && EqualsIgnoreCase(otherPath, *trash));
            });
        if (outside != nullptr) {
            list.Select(row);
        }
    }
    return status::kOk;
}

StatusCode SelectAllExceptOneOfEach(CZOLListViewMgr& manager) {
    if (manager.CurrentViewMode() != Files || !manager.IsReady()) {
        return status::kOk;
    }
    CMyListCtrl& list = manager.FileList();
    SelectionRun run(list);
    const std::optional<std::string> trash = ActiveTrashFolder();
    const auto inTrash = [&](const StyleDataPacket& record) {
        return trash && EqualsIgnoreCase(record.Text(kFieldPath), *trash);
    };
    const IdentityGroups groups;
    ClearKeepMarks(RecordStore().records);
    for (long row = 0; row < list.RowCount(); ++row) {
        StyleDataPacket* record = list.StyleRecordOfRow(row);
        StyleDataPacket* keeper = groups.FindInGroup(record, [&](const StyleDataPacket& other) {
            return other.keepMark == 1 && !inTrash(other);
        });
        if (keeper != nullptr) {
            if (CompareRepresentatives(*record, *keeper) > 0) {
                record->keepMark = 1;
                keeper->keepMark = 0;
            }
        } else if (!inTrash(*record)) {
            record->keepMark = 1;
        }
    }
    for (long row = 0; row < list.RowCount(); ++row) {
        if (list.StyleRecordOfRow(row)->keepMark == 0) {
            list.Select(row);
        }
    }
    return status::kOk;
}

}  // namespace kelvane
