// File sets ("with all extensions"): in style mode a style travels with every file of its
// folder that has the same base name and an extension of up to three characters; a member that
// is itself a style file (by extension) is a style of its own and stays, unless it is the
// selected file. Renaming takes every file of the base name, whatever its extension.
//
// The program's own files (extensions ".SDB", ".SDE", ".SDM": data, move, space and extra data
// files) never belong to a set, so a style named like them cannot carry, delete or rename them.
//
// Members are found by comparing names exactly, never by handing the base name to the
// wildcard matcher: a base name holding "*" or "?" would otherwise widen the set to files of
// other names (and DeleteWithAllExtensions would delete them).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

// True when the name's extension (from its last ".") is a style-file extension of the run
// mode, compared without regard to case: ".sty", ".bcs", ".prs", ".sst", ".pst", ".pcs" in
// style mode, ".mid", ".kar" in midi mode.
bool IsStyleFileExtension(std::string_view name);

// The name up to its last "." (the whole name without one); the extension from the last ".".
std::string_view BaseNameOf(std::string_view name);
std::string_view ExtensionOf(std::string_view name);

// The source pattern of the messages: the path up to its last "." followed by ".???".
std::string SourcePatternOf(const std::string& sourcePath);

// The names of the plain files of `folder` that belong to the set of `baseName`: the base
// itself, or the base, "." and up to three characters without a further ".". Sorted.
std::vector<std::string> SetMemberNames(const std::string& folder, std::string_view baseName);
// The names of the plain files of `folder` whose base name equals `baseName`. Sorted.
std::vector<std::string> SameBaseNames(const std::string& folder, std::string_view baseName);

// The naming rules of a copy to the quick-copy path.
struct QuickCopyRules {
    bool upperCaseShortNames = false;  // DefaultUppercaseShortFilenamesOnCopyToA
    bool renameToSty = false;          // DefaultRenameToStyOnCopyToA (style mode only)
};

// The rules in force for a copy into `destinationFolder`: the settings, when the folder lies
// on the quick-copy path (its beginning equals the path, compared without regard to case, and
// the path ends there at a folder boundary); none otherwise.
QuickCopyRules QuickCopyRulesFor(const std::string& destinationFolder);

// The name a copied file gets: a short name upper-cased when the rule is on.
std::string UpperCasedIfShort(const std::string& name, const QuickCopyRules& rules);
// The name the selected file gets: UpperCasedIfShort, then (renameToSty) its extension
// replaced by ".STY" unless it is ".sty" in any case; a name without "." is left alone.
std::string QuickCopyTargetName(const std::string& name, const QuickCopyRules& rules);

// The destination name of set member `member` when the selected file `sourceName` is copied
// as `targetName`: the target itself for the source, else the target's base followed by the
// member's own extension, upper-cased when short under the rules.
std::string MemberTargetName(const std::string& member, const std::string& sourceName,
                             const std::string& targetName, const QuickCopyRules& rules);

// The first member of the source's set (style mode) whose destination name exists in
// `destinationFolder`; empty when none does.
std::string FindClashingCompanion(const std::string& sourceFolder, const std::string& sourceName,
                                  const std::string& destinationFolder,
                                  const std::string& targetName, const QuickCopyRules& rules);

// True when a destination file that a copy of the set would overwrite is read-only.
bool SetOverwritesReadOnlyFile(const std::string& sourceFolder, const std::string& sourceName,
                               const std::string& destinationFolder, const std::string& targetName,
                               const QuickCopyRules& rules);

// Copies the set of `sourceFolder` + `sourceName` (style mode: every member but other style
// files; midi mode: the one file) into `destinationFolder`, the source as `targetName`.
// 0, or the first failing copy's status; files this call created before the failure are
// deleted again (a replaced file is not brought back). `createdFiles` receives the paths of
// the files that did not exist before.
StatusCode CopyWithAllExtensions(const std::string& sourceFolder, const std::string& sourceName,
                                 const std::string& destinationFolder,
                                 const std::string& targetName, const QuickCopyRules& rules,
                                 std::vector<std::string>* createdFiles = nullptr);

// Deletes the set (style mode; midi mode the one file), each file made writable first. The
// selected file goes last, so that a failure leaves it (and its record) in place. 0, or the
// first failing status.
StatusCode DeleteWithAllExtensions(const std::string& sourceFolder, const std::string& sourceName);

// Moves the set (as DeleteWithAllExtensions deletes it) into the desktop's trash, the selected
// file last. 0, or kDesktopTrashFailed at the first file that would not go. `trashedPath`
// receives the selected file's path in the trash.
StatusCode TrashWithAllExtensions(const std::string& sourceFolder, const std::string& sourceName,
                                  std::string& trashedPath);

// Renames every file of `folder` whose base name equals the old name's to the new name's base
// followed by its own extension. A failure renames the files done so far back and returns
// its status.
StatusCode RenameWithAllExtensions(const std::string& folder, const std::string& oldName,
                                   const std::string& newName);

// The next free "-N" name for `targetName` in `folder`: a numbering suffix ("-" and digits, or
// a lone "-") is taken off the base first; N counts up from 0 while any file is named base-N
// with or without an extension. "Song.sty" -> "Song-0.sty"; "Beat-12.prs" -> "Beat-0.prs".
std::string AutoRenameTarget(const std::string& folder, const std::string& targetName);

}  // namespace kelvane
