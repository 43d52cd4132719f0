#include "app/DetailPaneTarget.h"

#include <algorithm>

#include "app/ZOLStartSettings.h"
#include "list/MyListCtrl.h"
#include "platform/SettingsStore.h"
#include "records/ZOLStyleData.h"
#include "support/ZOLRunMode.h"

namespace kelvane {
namespace {

constexpr const char* kShownKey = "DetailPane";
constexpr const char* kHeightKey = "DetailPaneHeight";

}  // namespace

PictureTarget PictureTargetOfRow(const CMyListCtrl& list, long row, int runMode) {
    PictureTarget target;
    if (row < 0 || row >= list.RowCount()) {
        return target;
    }
    // A song row stands for its style file; StyleRecordOfRow gives it for both lists.
    const StyleDataPacket* record = list.StyleRecordOfRow(row);
    if (record == nullptr) {
        return target;
    }
    target.path = FullPathOf(record);
    target.kind = runMode == kRunModeMidi ? PictureKind::kSong : PictureKind::kStyle;
    return target;
}

DetailPaneSettings LoadDetailPaneSettings() {
    const NuvSettingsStore& store = SettingsStore();
    DetailPaneSettings settings;
    settings.shown = store.ReadInt(ModeSection(), kShownKey, 0) != 0;
    settings.height =
        std::clamp(store.ReadInt(ModeSection(), kHeightKey, 0), 0, kMaxDetailPaneHeight);
    return settings;
}

int StoreDetailPaneSettings(const DetailPaneSettings& settings) {
    NuvSettingsStore& store = SettingsStore();
    const int shown = store.WriteInt(ModeSection(), kShownKey, settings.shown ? 1 : 0);
    const int height = store.WriteInt(ModeSection(), kHeightKey,
                                      std::clamp(settings.height, 0, kMaxDetailPaneHeight));
    return shown != 0 ? shown : height;
}

}  // namespace kelvane
