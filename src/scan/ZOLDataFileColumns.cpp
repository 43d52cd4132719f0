#include "scan/ZOLDataFileColumns.h"

#include "records/ZOLFieldCatalogue.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

FieldSwitchTables& Tables() {
    static FieldSwitchTables tables;
    return tables;
}

void MakeDefaults(FieldSwitchTables& tables) {
    tables = FieldSwitchTables{};
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Current)) {
        const bool written = row.type != FT_UNUSED && row.type != FT_NONE;
        tables.dataFile.style[static_cast<std::size_t>(row.id)] = written ? 1 : 0;
        tables.csv.style[static_cast<std::size_t>(row.id)] = written ? 1 : 0;
    }
    for (const FieldDescriptor& row : CatalogueRows(CatalogueKind::Song)) {
        const std::size_t id = static_cast<std::size_t>(row.id);
        const bool written = row.type != FT_STYLE_LINK && row.type != FT_NONE;
        tables.dataFile.song[id] = written ? 1 : 0;
        tables.exportData.song[id] = written ? 1 : 0;
        tables.csv.song[id] = row.type != FT_NONE ? 1 : 0;
    }
    tables.mode = RunMode();
}

}  // namespace

FieldSwitchTables& FieldSwitches() {
    FieldSwitchTables& tables = Tables();
    if (tables.mode != RunMode()) {
        MakeDefaults(tables);
    }
    return tables;
}

void ResetFieldSwitches() {
    MakeDefaults(Tables());
}

const FieldSwitchSet& DataFileSwitches() {
    return FieldSwitches().dataFile;
}

}  // namespace kelvane
