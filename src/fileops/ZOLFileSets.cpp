#include "fileops/ZOLFileSets.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "platform/DesktopTrash.h"
#include "platform/FileSystem.h"
#include "support/NUVFileInfo.h"
#include "support/NUVFileOps.h"
#include "support/NUVPath.h"
#include "support/NUVText.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr std::array<std::string_view, 6> kStyleExtensions = {".sty", ".bcs", ".prs",
                                                              ".sst", ".pst", ".pcs"};
constexpr std::array<std::string_view, 2> kMidiExtensions = {".mid", ".kar"};
constexpr size_t kMaxMemberExtension = 3;  // the ".???" of the set pattern
// The extensions of the program's own files beside the styles (data, move, space, extra and
// fast access files).
constexpr std::array<std::string_view, 3> kProgramFileExtensions = {".SDB", ".SDE", ".SDM"};

// The plain files of a folder (links to files count), or with `anyEntry` every entry, unsorted;
// empty when the folder cannot be read.
std::vector<std::string> PlainFileNames(const std::string& folder, bool anyEntry = false) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (anyEntry || it->is_regular_file(typeError)) {
            names.push_back(it->path().filename().string());
        }
    }
    return names;
}

// A style named "ZOL.sty" must not take the folder's data file "ZOL.SDB" along (nor delete or
// rename it): the program's own files never belong to a set.
bool IsProgramFile(std::string_view name) {
    const std::string_view extension = ExtensionOf(name);
    return std::any_of(
        kProgramFileExtensions.begin(), kProgramFileExtensions.end(),
        [extension](std::string_view e) { return EqualsIgnoringCase(extension, e); });
}

bool IsSetMember(std::string_view name, std::string_view base) {
    if (IsProgramFile(name)) {
        return false;
    }
    if (name == base) {
        return true;
    }
    if (name.size() <= base.size() || name.compare(0, base.size(), base) != 0 ||
        name[base.size()] != '.') {
        return false;
    }
    const std::string_view extension = name.substr(base.size() + 1);
    return extension.size() <= kMaxMemberExtension && extension.find('.') == std::string_view::npos;
}

// The members a copy or deletion handles: other style files stay where they are.
std::vector<std::string> HandledMembers(const std::string& folder, const std::string& sourceName) {
    if (!CurrentModeNames().styleMode) {
        return {sourceName};
    }
    std::vector<std::string> members = SetMemberNames(folder, BaseNameOf(sourceName));
    std::erase_if(members, [&sourceName](const std::string& member) {
        return member != sourceName && IsStyleFileExtension(member);
    });
    return members;
}

bool StartsWithPathIgnoringCase(std::string_view path, std::string_view prefix) {
    while (prefix.size() > 1 && prefix.back() == '/') {
        prefix.remove_suffix(1);
    }
    if (prefix.empty() || path.size() < prefix.size() ||
        !EqualsIgnoringCase(path.substr(0, prefix.size()), prefix)) {
        return false;
    }
    // "/media/usb" is not the beginning of "/media/usb2/".
    return path.size() == prefix.size() || prefix.back() == '/' || path[prefix.size()] == '/';
}

}  // namespace

bool IsStyleFileExtension(std::string_view name) {
    const std::string_view extension = ExtensionOf(name);
    const auto matches = [extension](std::string_view known) {
        return EqualsIgnoringCase(extension, known);
    };
    return IsStyleMode() ? std::any_of(kStyleExtensions.begin(), kStyleExtensions.end(), matches)
                         : std::any_of(kMidiExtensions.begin(), kMidiExtensions.end(), matches);
}

std::string_view BaseNameOf(std::string_view name) {
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

std::string_view ExtensionOf(std::string_view name) {
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string SourcePatternOf(const std::string& sourcePath) {
    const auto dot = sourcePath.rfind('.');
    const auto slash = sourcePath.rfind('/');
    const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasDot ? sourcePath.substr(0, dot) : sourcePath) + ".???";
}

std::vector<std::string> SetMemberNames(const std::string& folder, std::string_view baseName) {
    std::vector<std::string> names = PlainFileNames(folder);
    std::erase_if(names,
                  [baseName](const std::string& name) { return !IsSetMember(name, baseName); });
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> SameBaseNames(const std::string& folder, std::string_view baseName) {
    std::vector<std::string> names = PlainFileNames(folder);
    std::erase_if(names, [baseName](const std::string& name) {
        return IsProgramFile(name) || BaseNameOf(name) != baseName;
    });
    std::sort(names.begin(), names.end());
    return names;
}

QuickCopyRules QuickCopyRulesFor(const std::string& destinationFolder) {
    if (!StartsWithPathIgnoringCase(destinationFolder, Config().quickCopyPath)) {
        return {};
    }
    return {Config().uppercaseShortFilenamesOnCopyToA != 0,
            IsStyleMode() && Config().renameToStyOnCopyToA != 0};
}

std::string UpperCasedIfShort(const std::string& name, const QuickCopyRules& rules) {
    std::string result = name;
    if (rules.upperCaseShortNames && IsShortName(result) != 0) {
        UpperCaseNamePart(result);
    }
    return result;
}

std::string QuickCopyTargetName(const std::string& name, const QuickCopyRules& rules) {
    std::string result = UpperCasedIfShort(name, rules);
    const auto dot = result.rfind('.');
    if (rules.renameToSty && dot != std::string::npos &&
        !EqualsIgnoringCase(std::string_view(result).substr(dot), ".STY")) {
        result = result.substr(0, dot) + ".STY";
    }
    return result;
}

std::string MemberTargetName(const std::string& member, const std::string& sourceName,
                             const std::string& targetName, const QuickCopyRules& rules) {
    if (member == sourceName) {
        return targetName;
    }
    return UpperCasedIfShort(std::string(BaseNameOf(targetName)) + std::string(ExtensionOf(member)),
                             rules);
}

std::string FindClashingCompanion(const std::string& sourceFolder, const std::string& sourceName,
                                  const std::string& destinationFolder,
                                  const std::string& targetName, const QuickCopyRules& rules) {
    for (const std::string& member : SetMemberNames(sourceFolder, BaseNameOf(sourceName))) {
        const std::string path =
            destinationFolder + MemberTargetName(member, sourceName, targetName, rules);
        if (PathExists(path)) {
            return path;
        }
    }
    return {};
}

bool SetOverwritesReadOnlyFile(const std::string& sourceFolder, const std::string& sourceName,
                               const std::string& destinationFolder, const std::string& targetName,
                               const QuickCopyRules& rules) {
    for (const std::string& member : HandledMembers(sourceFolder, sourceName)) {
        const std::string path =
            destinationFolder + MemberTargetName(member, sourceName, targetName, rules);
        if (FileWritableState(path) == 1) {
            return true;
        }
    }
    return false;
}

StatusCode CopyWithAllExtensions(const std::string& sourceFolder, const std::string& sourceName,
                                 const std::string& destinationFolder,
                                 const std::string& targetName, const QuickCopyRules& rules,
                                 std::vector<std::string>* createdFiles) {
    std::vector<std::string> members = HandledMembers(sourceFolder, sourceName);
    // The selected file first: when the medium fills up, the style is what matters.
    std::stable_partition(members.begin(), members.end(),
                          [&sourceName](const std::string& m) { return m == sourceName; });
    std::vector<std::string> created;
    for (const std::string& member : members) {
        const std::string target =
            destinationFolder + MemberTargetName(member, sourceName, targetName, rules);
        const bool existed = PathExists(target);
        const StatusCode copied = CopyFileStatus(sourceFolder + member, target);
        if (copied != 0) {
            // A half-copied set is not left on the medium: it would only take up the room the
            // retry after "Changed Media" needs.
            for (const std::string& path : created) {
                FileDeleteForced(path);
            }
            return copied;
        }
        if (!existed) {
            created.push_back(target);
        }
    }
    if (createdFiles != nullptr) {
        *createdFiles = std::move(created);
    }
    return 0;
}

StatusCode DeleteWithAllExtensions(const std::string& sourceFolder, const std::string& sourceName) {
    std::vector<std::string> members = HandledMembers(sourceFolder, sourceName);
    std::stable_partition(members.begin(), members.end(),
                          [&sourceName](const std::string& m) { return m != sourceName; });
    for (const std::string& member : members) {
        const StatusCode deleted = FileDeleteForced(sourceFolder + member);
        if (deleted != 0) {
            return deleted;
        }
    }
    return 0;
}

StatusCode TrashWithAllExtensions(const std::string& sourceFolder, const std::string& sourceName,
                                  std::string& trashedPath) {
    std::vector<std::string> members = HandledMembers(sourceFolder, sourceName);
    std::stable_partition(members.begin(), members.end(),
                          [&sourceName](const std::string& m) { return m != sourceName; });
    for (const std::string& member : members) {
        std::string where;
        if (!MoveToDesktopTrash(sourceFolder + member, &where)) {
            return status::kDesktopTrashFailed;
        }
        if (member == sourceName) {
            trashedPath = where;
        }
    }
    return 0;
}

StatusCode RenameWithAllExtensions(const std::string& folder, const std::string& oldName,
                                   const std::string& newName) {
    const std::string newBase(BaseNameOf(newName));
    std::vector<std::pair<std::string, std::string>> done;  // old path, new path
    for (const std::string& name : SameBaseNames(folder, BaseNameOf(oldName))) {
        const std::string from = folder + name;
        const std::string to = folder + newBase + std::string(ExtensionOf(name));
        const StatusCode renamed = FileRename(from, to);
        if (renamed != 0) {
            for (auto it = done.rbegin(); it != done.rend(); ++it) {
                FileRename(it->second, it->first);
            }
            return renamed;
        }
        done.emplace_back(from, to);
    }
    return 0;
}

std::string AutoRenameTarget(const std::string& folder, const std::string& targetName) {
    std::string base(BaseNameOf(targetName));
    const std::string extension(ExtensionOf(targetName));
    size_t end = base.size();
    while (end > 0 && base[end - 1] >= '0' && base[end - 1] <= '9') {
        --end;
    }
    if (end > 0 && base[end - 1] == '-') {
        base.resize(end - 1);
    }
    const std::vector<std::string> names = PlainFileNames(folder, true);
    for (long number = 0;; ++number) {
        const std::string numbered = base + "-" + std::to_string(number);
        const bool taken = std::any_of(names.begin(), names.end(), [&numbered](const auto& name) {
            return name == numbered || (name.size() > numbered.size() &&
                                        name.compare(0, numbered.size(), numbered) == 0 &&
                                        name[numbered.size()] == '.');
        });
        if (!taken) {
            return numbered + extension;
        }
    }
}

}  // namespace kelvane
