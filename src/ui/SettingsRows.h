// The rows of the settings pages that are tables (SettingsPage.h), in the order shown.
#pragma once

#include <span>

#include "ui/SettingsPage.h"

namespace kelvane {

std::span<const SettingRow> FolderRows();         // start folder with Incl. Subfolders, trash
std::span<const SettingRow> PlayerRows();         // the players (midi: and the karaoke player)
std::span<const SettingRow> EditorRows();         // the editors (style: and the CASM editor)
std::span<const SettingRow> ToolRows();           // the dump program
std::span<const SettingRow> MiscellaneousRows();  // the group "Miscellaneous"

}  // namespace kelvane
